// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform_ui/QtDialogs.h"

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

const QString longText = "This name will be stored in new Quillery files to show you as the "
                         "author and in existing files as the last person to save.  <b>x</b>";

void checkPrompt(QLabel *label, const QString &text)
{
    QVERIFY(label);
    QCOMPARE(label->text(), text);
    QVERIFY(label->wordWrap());
    QCOMPARE(label->textFormat(), Qt::PlainText);
}

} // namespace

class tst_qtdialogs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void filtersTranslateToQtNameFilters()
    {
        const std::pair<QString, QStringList> cases[] = {
            {"Quillery (*.qly)|*.qly|All files (*.*)|*.*",
             {"Quillery (*.qly *.QLY)", "All files (*)"}},
            {"HTML (*.htm;*.php)|*.htm;*.php", {"HTML (*.htm *.HTM *.php *.PHP)"}},
            {"Application|*.exe", {"Application (*.exe *.EXE)"}},
            {"Text (plain)|*.1", {"Text (plain) (*.1)"}},
            {"Pictures|*.bmp|All files (*.*)", {"Pictures (*.bmp *.BMP)"}},
            {"", {}},
        };
        for (const auto &[filter, expected] : cases)
            QCOMPARE(qtNameFilters(filter), expected);
    }

    void fileDialogsStartInThePresetOrInitialFolder()
    {
        QTemporaryDir first;
        QTemporaryDir second;
        const QString missing = first.path() + "/missing";
        QCOMPARE(fileDialogFolder({"", "", second.path() + "/b.qly", first.path()}), second.path());
        QCOMPARE(fileDialogFolder({"", "", missing + "/b.qly", first.path()}), first.path());
        QCOMPARE(fileDialogFolder({"", "", "b.qly", missing}), QString());
    }

    void messageBoxesShowIconButtonsAndPlainText()
    {
        QtDialogs dialogs;
        whenModalShown([](QWidget *widget) {
            auto *box = qobject_cast<QMessageBox *>(widget);
            QCOMPARE(box->icon(), QMessageBox::Warning);
            QCOMPARE(box->standardButtons(),
                     QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            QCOMPARE(static_cast<QAbstractButton *>(box->defaultButton()),
                     box->button(QMessageBox::Yes));
            QCOMPARE(box->windowTitle(), QString("Title"));
            QCOMPARE(box->textFormat(), Qt::PlainText);
            box->button(QMessageBox::No)->click();
        });
        QCOMPARE(dialogs.message(MsgIcon::Exclamation, MsgButtons::YesNoCancel, "Title", longText),
                 MsgResult::No);
        // Closing a question without a Cancel button is a No.
        whenModalShown([](QWidget *box) { QTest::keyClick(box, Qt::Key_Escape); });
        QCOMPARE(dialogs.message(MsgIcon::Question, MsgButtons::YesNo, "t", "?"), MsgResult::No);
        // A destructive question answers No to Enter.
        whenModalShown([](QWidget *box) { QTest::keyClick(box, Qt::Key_Return); });
        QCOMPARE(dialogs.message(MsgIcon::Question, MsgButtons::YesNoDefaultNo, "t", "?"),
                 MsgResult::No);
    }

    void inputWrapsItsPromptAndTellsEmptyFromCancel()
    {
        QtDialogs dialogs;
        whenModalShown([](QWidget *dialog) {
            checkPrompt(dialog->findChild<QLabel *>(), longText);
            auto *edit = dialog->findChild<QLineEdit *>();
            QCOMPARE(edit->text(), QString("tamsin"));
            edit->clear();
            QTest::keyClick(edit, Qt::Key_Return);
        });
        QCOMPARE(dialogs.input("Author Name", longText, "tamsin"), std::optional<QString>(""));
        whenModalShown([](QWidget *dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
        QCOMPARE(dialogs.input("Author Name", longText, "tamsin"), std::nullopt);
    }

    void folderDialogShowsThePromptAndReturnsTheFolder()
    {
        QTemporaryDir folder;
        QtDialogs dialogs;
        whenModalShown([](QWidget *dialog) {
            checkPrompt(dialog->findChild<QLabel *>(QString(), Qt::FindDirectChildrenOnly),
                        "Please choose a folder & more to import files from.");
            static_cast<QDialog *>(dialog->findChild<QFileDialog *>())->accept();
        });
        QCOMPARE(
            dialogs.folder("Please choose a &folder && more to import files from.", folder.path()),
            folder.path());
    }
};

QTEST_MAIN(tst_qtdialogs)
#include "tst_qtdialogs.moc"
