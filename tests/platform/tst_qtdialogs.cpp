#include "platform/QtDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace quillery;

namespace {

// Runs handle on the modal dialog once it is up (the dialog call itself blocks), and
// closes the dialog if a failed check left it open.
void whenModalShown(std::function<void(QWidget *)> handle)
{
    QTimer::singleShot(10, [handle] {
        QPointer<QWidget> dialog = QApplication::activeModalWidget();
        if (!dialog)
            return whenModalShown(handle);
        handle(dialog);
        if (dialog && dialog->isVisible())
            qobject_cast<QDialog *>(dialog)->reject();
    });
}

const QString longPrompt =
    "This name will be stored in new Quillery files to show you as the author and in "
    "existing files as the last person to save.  It is stored in the registry here: "
    "'<b>settings</b>'";

} // namespace

class tst_qtdialogs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void nameFilters_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("binders") << "Quillery (*.qly)|*.qly|All files (*.*)|*.*"
                                 << QStringList{"Quillery (*.qly *.QLY)", "All files (*)"};
        QTest::newRow("several patterns")
            << "HTML (*.htm;*.html;*.php)|*.htm;*.html;*.php"
            << QStringList{"HTML (*.htm *.HTM *.html *.HTML *.php *.PHP)"};
        QTest::newRow("only all files") << "All files (*.*)|*.*" << QStringList{"All files (*)"};
        QTest::newRow("description without patterns")
            << "Application|*.exe" << QStringList{"Application (*.exe *.EXE)"};
        QTest::newRow("other brackets stay")
            << "Text (plain)|*.txt" << QStringList{"Text (plain) (*.txt *.TXT)"};
        QTest::newRow("patterns without letters")
            << "Numbered|*.1" << QStringList{"Numbered (*.1)"};
        QTest::newRow("description left alone")
            << "Pictures|*.bmp|All files (*.*)" << QStringList{"Pictures (*.bmp *.BMP)"};
        QTest::newRow("empty") << "" << QStringList{};
    }

    void nameFilters()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        QCOMPARE(qtNameFilters(filter), expected);
    }

    void fileDialogStartFolder()
    {
        QTemporaryDir first;
        QTemporaryDir second;
        const QString missing = first.path() + "/missing";
        QCOMPARE(fileDialogFolder({"t", "", second.path() + "/b.qly", first.path()}),
                 second.path());
        QCOMPARE(fileDialogFolder({"t", "", missing + "/b.qly", first.path()}), first.path());
        QCOMPARE(fileDialogFolder({"t", "", "b.qly", first.path()}), first.path());
        QCOMPARE(fileDialogFolder({"t", "", "b.qly", missing}), QString());
        QCOMPARE(fileDialogFolder({"t", "", "", ""}), QString());
    }

    void accessKeysAreRemoved()
    {
        QCOMPARE(withoutAccessKeys("Please choose a &folder:"), QString("Please choose a folder:"));
        QCOMPARE(withoutAccessKeys("Tom && Jerry&"), QString("Tom & Jerry"));
    }

    void messageBoxes_data()
    {
        QTest::addColumn<MsgIcon>("icon");
        QTest::addColumn<MsgButtons>("buttons");
        QTest::addColumn<QMessageBox::Icon>("shownIcon");
        QTest::addColumn<QMessageBox::StandardButtons>("shownButtons");
        QTest::addColumn<QMessageBox::StandardButton>("defaultButton");
        QTest::addColumn<QMessageBox::StandardButton>("pressed");
        QTest::addColumn<MsgResult>("result");
        QTest::newRow("critical ok") << MsgIcon::Critical << MsgButtons::Ok << QMessageBox::Critical
                                     << QMessageBox::StandardButtons(QMessageBox::Ok)
                                     << QMessageBox::Ok << QMessageBox::Ok << MsgResult::Ok;
        QTest::newRow("question yes no")
            << MsgIcon::Question << MsgButtons::YesNo << QMessageBox::Question
            << (QMessageBox::Yes | QMessageBox::No) << QMessageBox::Yes << QMessageBox::No
            << MsgResult::No;
        QTest::newRow("exclamation ok cancel")
            << MsgIcon::Exclamation << MsgButtons::OkCancel << QMessageBox::Warning
            << (QMessageBox::Ok | QMessageBox::Cancel) << QMessageBox::Ok << QMessageBox::Cancel
            << MsgResult::Cancel;
        QTest::newRow("information yes no cancel")
            << MsgIcon::Information << MsgButtons::YesNoCancel << QMessageBox::Information
            << (QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) << QMessageBox::Yes
            << QMessageBox::Yes << MsgResult::Yes;
        QTest::newRow("none retry cancel")
            << MsgIcon::None << MsgButtons::RetryCancel << QMessageBox::NoIcon
            << (QMessageBox::Retry | QMessageBox::Cancel) << QMessageBox::Retry
            << QMessageBox::Retry << MsgResult::Retry;
    }

    void messageBoxes()
    {
        QFETCH(MsgIcon, icon);
        QFETCH(MsgButtons, buttons);
        QFETCH(QMessageBox::Icon, shownIcon);
        QFETCH(QMessageBox::StandardButtons, shownButtons);
        QFETCH(QMessageBox::StandardButton, defaultButton);
        QFETCH(QMessageBox::StandardButton, pressed);
        QFETCH(MsgResult, result);

        QtDialogs dialogs;
        bool inspected = false;
        whenModalShown([&](QWidget *widget) {
            auto *box = qobject_cast<QMessageBox *>(widget);
            QVERIFY(box);
            inspected = true;
            QCOMPARE(box->icon(), shownIcon);
            QCOMPARE(box->standardButtons(), shownButtons);
            QCOMPARE(static_cast<QAbstractButton *>(box->defaultButton()),
                     box->button(defaultButton));
            QCOMPARE(box->windowTitle(), QString("Title"));
            QCOMPARE(box->text(), longPrompt);
            QCOMPARE(box->textFormat(), Qt::PlainText);
            box->button(pressed)->click();
        });
        QCOMPARE(dialogs.message(icon, buttons, "Title", longPrompt), result);
        QVERIFY(inspected);
    }

    void closingAQuestionAnswersNo()
    {
        QtDialogs dialogs;
        whenModalShown([](QWidget *widget) { QTest::keyClick(widget, Qt::Key_Escape); });
        QCOMPARE(dialogs.message(MsgIcon::Question, MsgButtons::YesNo, "t", "Sure?"),
                 MsgResult::No);
    }

    void inputWrapsItsPromptAndReturnsTheAnswer()
    {
        QtDialogs dialogs;
        whenModalShown([](QWidget *dialog) {
            QCOMPARE(dialog->windowTitle(), QString("Author Name"));
            auto *label = dialog->findChild<QLabel *>();
            QVERIFY(label);
            QCOMPARE(label->text(), longPrompt);
            QVERIFY(label->wordWrap());
            QCOMPARE(label->textFormat(), Qt::PlainText);
            auto *edit = dialog->findChild<QLineEdit *>();
            QCOMPARE(edit->text(), QString("tamsin"));
            edit->setText("Tamsin Orde");
            QTest::keyClick(edit, Qt::Key_Return);
        });
        QCOMPARE(dialogs.input("Author Name", longPrompt, "tamsin"),
                 std::optional<QString>("Tamsin Orde"));

        whenModalShown([](QWidget *dialog) {
            dialog->findChild<QLineEdit *>()->clear();
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QCOMPARE(dialogs.input("Author Name", "Name:", "x"), std::nullopt);

        // An accepted empty answer is an answer, not a cancel.
        whenModalShown([](QWidget *dialog) {
            dialog->findChild<QLineEdit *>()->clear();
            QTest::keyClick(dialog->findChild<QLineEdit *>(), Qt::Key_Return);
        });
        QCOMPARE(dialogs.input("Author Name", "Name:", "x"), std::optional<QString>(""));
    }

    void fileDialogsShowTheRequest()
    {
        QTemporaryDir folder;
        QtDialogs dialogs;
        whenModalShown([&](QWidget *widget) {
            auto *dialog = qobject_cast<QFileDialog *>(widget);
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QString("Save Quillery ('Plans')"));
            QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
            QCOMPARE(dialog->nameFilters(),
                     QStringList({"Quillery (*.qly *.QLY)", "All files (*)"}));
            QCOMPARE(dialog->directory().absolutePath(), folder.path());
            static_cast<QDialog *>(dialog)->accept();
        });
        const QString chosen = dialogs.saveFile({"Save Quillery ('Plans')",
                                                 "Quillery (*.qly)|*.qly|All files (*.*)|*.*",
                                                 folder.path() + "/plans.qly", "/nonexistent"});
        QCOMPARE(chosen, folder.path() + "/plans.qly");

        whenModalShown([](QWidget *widget) { qobject_cast<QDialog *>(widget)->reject(); });
        QCOMPARE(dialogs.openFile({"Open a Quillery", "", "", folder.path()}), QString());
    }

    void folderDialogShowsThePromptAndReturnsTheFolder()
    {
        QTemporaryDir folder;
        QtDialogs dialogs;
        const QString prompt = "Please choose a &folder to import files from.  This could take "
                               "a while if the folder contains files that are large in size.";
        whenModalShown([&](QWidget *dialog) {
            auto *label = dialog->findChild<QLabel *>(QString(), Qt::FindDirectChildrenOnly);
            QVERIFY(label);
            QCOMPARE(label->text(), withoutAccessKeys(prompt));
            QVERIFY(label->wordWrap());
            auto *chooser = dialog->findChild<QFileDialog *>();
            QVERIFY(chooser);
            QCOMPARE(chooser->directory().absolutePath(), folder.path());
            static_cast<QDialog *>(chooser)->accept();
        });
        QCOMPARE(dialogs.folder(prompt, folder.path()), folder.path());

        whenModalShown([](QWidget *dialog) { qobject_cast<QDialog *>(dialog)->reject(); });
        QCOMPARE(dialogs.folder(prompt, folder.path()), QString());
    }
};

QTEST_MAIN(tst_qtdialogs)
#include "tst_qtdialogs.moc"
