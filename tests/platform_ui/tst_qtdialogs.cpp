// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform_ui/QtDialogs.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialogButtonBox>
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

// Runs handle on the modal dialog of type T once it is the one up (the dialog call itself
// blocks), and closes the dialog if a failed check left it open.
template <typename T> void whenShownAs(std::function<void(T *)> handle)
{
    QTimer::singleShot(10, [handle] {
        QPointer<T> dialog = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return whenShownAs<T>(handle);
        handle(dialog);
        if (dialog && dialog->isVisible())
            dialog->reject();
    });
}

void typeAndSave(QFileDialog *dialog, const QString &name)
{
    // A name typed into a window without focus (offscreen) leaves the list's selection,
    // which the dialog would take over the name; the user's typing clears it.
    dialog->findChild<QAbstractItemView *>("listView")->selectionModel()->clear();
    dialog->findChild<QLineEdit *>("fileNameEdit")->setText(name);
    // The button, not Return, which the name completer may take for itself.
    dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Save)->click();
}

const QString longText = "This name will be stored in new Quillery files to show you as the "
                         "author and in existing files as the last person to save.  <b>x</b>";

} // namespace

class tst_qtdialogs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void filtersTranslateToQtNameFilters()
    {
        const std::pair<QString, QStringList> cases[] = {
            {"HTML (*.htm;*.php)|*.htm;*.php|All files (*.*)|*.*",
             {"HTML (*.htm *.HTM *.php *.PHP)", "All files (*)"}},
            {"Pictures|*.bmp|All files (*.*)", {"Pictures (*.bmp *.BMP)"}},
        };
        for (const auto &[filter, expected] : cases)
            QCOMPARE(qtNameFilters(filter), expected);
    }

    void savedNamesGetTheChosenFiltersExtension()
    {
        const QString jpeg = "JPEG File (*.jpg *.JPG)";
        const QString binder = "Quillery (*.qly *.QLY)";
        const std::tuple<QString, QString, bool, QString> cases[] = {
            {"/d/scan", jpeg, false, "/d/scan.jpg"},
            {"/d/scan.png", jpeg, false, "/d/scan.png"},
            {"/d/notes.txt", binder, true, "/d/notes.txt.qly"},
            {"/d/Notes.QLY", binder, true, "/d/Notes.QLY"},
            {"/d/.profile", "Text (*.txt *.TXT)", false, "/d/.profile.txt"},
            {"/d/a.", "Text (*.txt *.TXT)", false, "/d/a.txt"},
            {"/d/v1.0/notes", binder, false, "/d/v1.0/notes.qly"},
        };
        for (const auto &[chosen, filter, required, saved] : cases)
            QCOMPARE(savePath(chosen, filter, required), saved);
    }

    // The name the file is saved under, extension and all, is the one asked about.
    void saveDialogsAskBeforeReplacingTheFinalName()
    {
        QTemporaryDir dir;
        QVERIFY(QFile(dir.filePath("notes.qly")).open(QIODevice::WriteOnly));
        QtDialogs dialogs;
        FileDialogRequest request{"Save Quillery", "Quillery (*.qly)|*.qly|All files (*.*)|*.*",
                                  QString(), dir.path(), true};
        // Checks come after the dialogs are answered: a dialog left open would wait forever.
        QString question;
        bool defaultsToNo = false;
        QString proposedAgain;
        whenShownAs<QFileDialog>([&](QFileDialog *dialog) {
            whenShownAs<QMessageBox>([&](QMessageBox *box) {
                question = box->text();
                defaultsToNo = box->defaultButton() == box->button(QMessageBox::No);
                whenShownAs<QFileDialog>([&](QFileDialog *again) {
                    proposedAgain = again->findChild<QLineEdit *>("fileNameEdit")->text();
                    typeAndSave(again, "notes.txt");
                });
                box->button(QMessageBox::No)->click();
            });
            typeAndSave(dialog, "notes");
        });
        QCOMPARE(dialogs.saveFile(request), dir.filePath("notes.txt.qly"));
        QVERIFY(question.contains(dir.filePath("notes.qly")));
        QVERIFY(defaultsToNo);
        QCOMPARE(proposedAgain, QString("notes.qly"));
    }

    void messageBoxesShowPlainTextAndAnswerNoWhenClosed()
    {
        QtDialogs dialogs;
        whenShownAs<QMessageBox>([](QMessageBox *box) {
            QCOMPARE(box->standardButtons(),
                     QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            QCOMPARE(box->textFormat(), Qt::PlainText);
            box->button(QMessageBox::No)->click();
        });
        QCOMPARE(dialogs.message(MsgIcon::Exclamation, MsgButtons::YesNoCancel, "Title", longText),
                 MsgResult::No);
        // Closing a question without a Cancel button is a No.
        whenShownAs<QDialog>([](QDialog *box) { QTest::keyClick(box, Qt::Key_Escape); });
        QCOMPARE(dialogs.message(MsgIcon::Question, MsgButtons::YesNo, "t", "?"), MsgResult::No);
        // A destructive question answers No to Enter.
        whenShownAs<QDialog>([](QDialog *box) { QTest::keyClick(box, Qt::Key_Return); });
        QCOMPARE(dialogs.message(MsgIcon::Question, MsgButtons::YesNoDefaultNo, "t", "?"),
                 MsgResult::No);
    }

    void inputShowsItsPromptAsTextAndTellsEmptyFromCancel()
    {
        QtDialogs dialogs;
        whenShownAs<QDialog>([](QDialog *dialog) {
            const QLabel *prompt = dialog->findChild<QLabel *>();
            QCOMPARE(prompt->text(), longText);
            QCOMPARE(prompt->textFormat(), Qt::PlainText);
            auto *edit = dialog->findChild<QLineEdit *>();
            QCOMPARE(edit->text(), QString("tamsin"));
            edit->clear();
            QTest::keyClick(edit, Qt::Key_Return);
        });
        QCOMPARE(dialogs.input("Author Name", longText, "tamsin"), std::optional<QString>(""));
        whenShownAs<QDialog>([](QDialog *dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
        QCOMPARE(dialogs.input("Author Name", longText, "tamsin"), std::nullopt);
    }
};

QTEST_MAIN(tst_qtdialogs)
#include "tst_qtdialogs.moc"
