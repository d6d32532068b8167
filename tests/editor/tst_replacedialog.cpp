// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ui/EditorFixture.h"

#include "editor/ReplaceDialog.h"
#include "platform_ui/RichTextBox.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

using namespace quillery;
using namespace quillery::test;

namespace {

struct Search
{
    EditorFixture fixture;
    std::unique_ptr<EditorWindow> editor;
    RichTextBox *box = nullptr;
    ReplaceDialog *dialog = nullptr;

    Search(const QByteArray &page, const QString &find, const QString &replacement = QString(),
           PageKind kind = PageKind::TXT)
    {
        editor = fixture.edit(fixture.addPage(kind, page));
        box = editor->textBox();
        dialog = &editor->replaceDialog();
        dialog->txtFind()->setText(find);
        dialog->txtReplace()->setText(replacement);
    }

    int finishedMessages() const
    {
        return int(fixture.messageTitles().count(QStringLiteral("Find")));
    }
};

} // namespace

class tst_replacedialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A search goes on one character after the start of the selection, so overlapping
    // matches are all found; after the last one the user is told and the caret goes home.
    void findsOverlappingMatches()
    {
        Search s("aaa", "aa");
        QCOMPARE(s.dialog->findNext(), 0);
        QCOMPARE(s.box->selectionLength(), 2);
        QCOMPARE(s.dialog->findNext(), 1);
        QCOMPARE(s.dialog->findNext(), -1);
        QCOMPARE(s.finishedMessages(), 1);
        QCOMPARE(s.fixture.dialogs.lastText(), "Quillery has finished searching");
        QCOMPARE(s.box->selectionStart(), 0);
    }

    void replaceOnlyAMatchingSelection()
    {
        Search s("x cat cat", "cat", "dog");
        s.dialog->replace();
        QCOMPARE(s.box->text(), "x cat cat");
        QCOMPARE(s.box->selectionStart(), 2);
        s.dialog->replace();
        QCOMPARE(s.box->text(), "x dog cat");
        QCOMPARE(s.box->selectionStart(), 6);
        QCOMPARE(s.box->selectedText(), "cat");

        // An empty replacement deletes the match.
        s.dialog->txtReplace()->clear();
        s.dialog->replace();
        QCOMPARE(s.box->text(), "x dog ");
        QCOMPARE(s.finishedMessages(), 1);
    }

    void replaceAll_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("result");
        const auto row = [](const char *name, const char *text, const char *find,
                            const char *replacement, const char *result) {
            QTest::newRow(name) << QByteArray(text) << QString::fromUtf8(find)
                                << QString::fromUtf8(replacement) << QString::fromUtf8(result);
        };
        row("replacement holds the search text", "a a a", "a", "aa", "aa aa aa");
        row("empty replacement, match at start", "catdogcat cat", "cat", "", "dog ");
        row("adjacent matches", "aaaa", "aa", "b", "bb");
    }

    void replaceAll()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, find);
        QFETCH(QString, replacement);
        QFETCH(QString, result);
        Search s(text, find, replacement);
        s.box->setSelectionStart(2);
        s.dialog->replaceAll();
        QCOMPARE(s.box->text(), result);
        QCOMPARE(s.box->selectionStart(), 0);
        QCOMPARE(s.box->selectionLength(), 0);
        QCOMPARE(s.finishedMessages(), 1);
        QVERIFY(s.editor->changed());
    }

    void replaceAllKeepsFormattingAround()
    {
        Search s("{\\rtf1 {\\b bold x} plain x}", "x", "yy", PageKind::RTF);
        s.dialog->replaceAll();
        QCOMPARE(s.box->text(), "bold yy plain yy");
        s.box->setSelectionStart(0);
        s.box->setSelectionLength(7);
        QCOMPARE(s.box->selectionBold(), true);
        s.box->setSelectionStart(8);
        s.box->setSelectionLength(8);
        QCOMPARE(s.box->selectionBold(), false);
    }

    void matchCase()
    {
        Search s("ABC abc", "abc", "x");
        QCOMPARE(s.dialog->findNext(), 0);
        s.dialog->chkCase()->setChecked(true);
        s.box->setSelectionStart(0);
        QCOMPARE(s.dialog->findNext(), 4);
        // Replace compares the selection the same way.
        s.box->setSelectionStart(0);
        s.box->setSelectionLength(3);
        s.dialog->replace();
        QCOMPARE(s.box->text(), "ABC abc");
        s.dialog->replaceAll();
        QCOMPARE(s.box->text(), "ABC x");
        s.dialog->chkCase()->setChecked(false);
        s.dialog->txtFind()->setText("Abc");
        s.dialog->replaceAll();
        QCOMPARE(s.box->text(), "x x");
    }
};

QTEST_MAIN(tst_replacedialog)
#include "tst_replacedialog.moc"
