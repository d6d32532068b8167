// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestSupport.h"
#include "support/TextDocumentSupport.h"
#include "support/ui/EditorFixture.h"

#include "documents/NewPage.h"
#include "editor/FormatToolbar.h"
#include "editor/ReplaceDialog.h"
#include "platform/Colours.h"
#include "platform_ui/RichTextBox.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>

using namespace quillery;
using namespace quillery::test;

namespace {

// The item of the editor's menu bar reached through those captions.
QAction *menuItem(const EditorWindow &editor, const QStringList &path)
{
    QList<QAction *> items = editor.findChild<QMenuBar *>()->actions();
    QAction *found = nullptr;
    for (const QString &caption : path) {
        const auto it = std::find_if(items.begin(), items.end(),
                                     [&](const QAction *a) { return a->text() == caption; });
        if (it == items.end())
            return nullptr;
        found = *it;
        items = found->menu() ? found->menu()->actions() : QList<QAction *>();
    }
    return found;
}

} // namespace

class tst_editorwindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newRichPageTakesDefaultFormat()
    {
        EditorFixture f;
        f.binder.setRecord("RTFBold", "True");
        f.binder.setRecord("RTFFontSize", "20");
        f.binder.setRecord("RTFBColour", QString::number(0x00CCFFFF));
        addEmptyPage(*f.workspace, f.binder, PageKind::RTF);
        auto editor = f.edit(f.binder.currentPosition());
        editor->show();
        QTest::keyClicks(editor->textBox(), "Hi");
        const QTextCharFormat format = formatOf(*editor->textBox()->document(), "Hi");
        QCOMPARE(format.fontWeight(), int(QFont::Bold));
        QCOMPARE(format.fontPointSize(), 20.0);
        QCOMPARE(editor->textBox()->backColour(), ColourCode(0x00CCFFFF));
        QVERIFY(editor->changed());
    }

    // A paste of more than two characters, or typing into an emptied page, gives the whole
    // text the plain format again, in the same undo step, leaving the caret after the text.
    void plainTextIsReformatted()
    {
        EditorFixture f;
        f.binder.setRecord("TXTFontSize", "14");
        auto editor = f.edit(f.addPage(PageKind::TXT, "abc"));
        editor->show();
        RichTextBox *box = editor->textBox();
        box->setSelectionStart(2);
        box->setSelectionLength(1);
        box->setSelectionBold(true);
        box->setSelectionStart(1);
        QTest::keyClicks(box, "xy");
        QCOMPARE(formatOf(*box->document(), "c").fontWeight(), int(QFont::Bold));

        QGuiApplication::clipboard()->setText("PST");
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->text(), "axyPSTbc");
        QCOMPARE(box->selectionStart(), 6);
        QCOMPARE(formatOf(*box->document(), "c").fontWeight(), int(QFont::Normal));
        QCOMPARE(family(formatOf(*box->document(), "PST")), "Courier New");
        box->undo();
        QCOMPARE(box->text(), "axybc");
        QCOMPARE(formatOf(*box->document(), "c").fontWeight(), int(QFont::Bold));

        box->setSelectionStart(0);
        box->setSelectionLength(5);
        box->setSelectionItalic(true);
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, "z");
        QCOMPARE(box->selectionStart(), 1);
        const QTextCharFormat format = formatOf(*box->document(), "z");
        QVERIFY(!format.fontItalic());
        QCOMPARE(format.fontPointSize(), 14.0);
    }

    // Each save puts the text in a new data file, takes a new serial and marks the binder
    // changed; the colour field is the background in rich mode and "NA" in plain mode.
    void savePageRewritesTheKey()
    {
        EditorFixture f;
        const int rich = f.addPage(PageKind::RTF, "{\\rtf1 old}");
        const qint64 nextKey = f.binder.nextSerial();
        auto editor = f.edit(rich);
        editor->textBox()->setBackColour(0x00112233);
        QTest::keyClicks(editor->textBox(), "new ");
        QVERIFY(editor->savePage());
        const PageKey first = f.binder.page(rich).key;
        QCOMPARE(first.field(5), QString::number(0x00112233));
        QVERIFY(readFile(first.location).startsWith("{\\rtf"));
        QVERIFY(f.temp->registered().contains(first.location));
        QVERIFY(f.binder.isChanged());
        QVERIFY(!editor->changed());

        QVERIFY(editor->savePage());
        const PageKey second = f.binder.page(rich).key;
        QVERIFY(second.location != first.location);
        QCOMPARE(f.binder.nextSerial(), nextKey + 2);

        const int plain = f.addPage(PageKind::HTML, "<b>x</b>");
        auto plainEditor = f.edit(plain);
        QCOMPARE(plainEditor->textBox()->text(), "<b>x</b>"); // HTML is edited as its source
        QVERIFY(plainEditor->savePage());
        QCOMPARE(f.binder.page(plain).key.field(5), "NA");
    }

    // Plain pages are written as UTF-8 whatever they hold, and pages that are not UTF-8 are
    // read as Windows-1252.
    void plainPagesAreUtf8()
    {
        EditorFixture f;
        const int page = f.addPage(PageKind::TXT, "caf\xe9\r\nna\xefve");
        auto editor = f.edit(page);
        QCOMPARE(editor->textBox()->text(), QString::fromUtf8("café\r\nnaïve"));
        editor->textBox()->setSelectionStart(0);
        editor->textBox()->setSelectedText(QString::fromUtf8("Ωμέγα 日本 € "));
        QVERIFY(editor->savePage());
        QCOMPARE(readFile(f.binder.page(page).key.location),
                 QString::fromUtf8("Ωμέγα 日本 € café\r\nnaïve").toUtf8());
        QCOMPARE(f.binder.page(page).size, readFile(f.binder.page(page).key.location).size());
    }

    void failedSaveKeepsEverything()
    {
        EditorFixture f;
        const int page = f.addPage(PageKind::RTF, "{\\rtf1 keep}");
        const PageRow before = f.binder.page(page);
        const qint64 nextKey = f.binder.nextSerial();
        const bool binderChanged = f.binder.isChanged();
        auto editor = f.edit(page);
        editor->show();
        QTest::keyClicks(editor->textBox(), "more ");
        QVERIFY(QDir(f.temp->path()).removeRecursively());

        f.dialogs.queueMessage(MsgResult::Yes);
        editor->close();
        QVERIFY(editor->isVisible());
        QVERIFY(editor->changed());
        QCOMPARE(editor->textBox()->text(), "more keep");
        QVERIFY(f.dialogs.lastText().startsWith(
            "An error occurred when attempting to save the page 'Notes' - "));
        QCOMPARE(f.binder.page(page).key.toString(), before.key.toString());
        QCOMPARE(f.binder.page(page).modified, before.modified);
        QCOMPARE(f.binder.nextSerial(), nextKey);
        QCOMPARE(f.binder.isChanged(), binderChanged);
        QVERIFY(f.workspace->pageEditorOpen);
    }

    void closePrompt()
    {
        EditorFixture f;
        const int page = f.addPage(PageKind::TXT, "text");
        const QString oldKey = f.binder.page(page).key.toString();

        // Cancel keeps the editor, its text and the main window's notion of an open editor.
        auto editor = f.edit(page);
        editor->show();
        QTest::keyClicks(editor->textBox(), "A");
        f.dialogs.queueMessage(MsgResult::Cancel);
        editor->menuItem("mnuExit")->trigger();
        QCOMPARE(f.dialogs.lastText(), "Do you want to save the changes you made?");
        QVERIFY(editor->isVisible());
        QVERIFY(f.workspace->pageEditorOpen);

        // Escape is not a way out.
        QTest::keyClick(editor.get(), Qt::Key_Escape);
        QVERIFY(editor->isVisible());

        f.dialogs.queueMessage(MsgResult::No);
        editor->close();
        QVERIFY(!editor->isVisible());
        QVERIFY(!f.workspace->pageEditorOpen);
        QCOMPARE(f.binder.page(page).key.toString(), oldKey);

        auto saved = f.edit(page);
        saved->show();
        QTest::keyClicks(saved->textBox(), "B");
        f.dialogs.queueMessage(MsgResult::Yes);
        saved->close();
        QVERIFY(!saved->isVisible());
        QCOMPARE(readFile(f.binder.page(page).key.location), "Btext");
    }

    void undoSteps()
    {
        EditorFixture f;
        auto editor = f.edit(f.addPage(PageKind::RTF, "{\\rtf1 one two one}"));
        editor->show();
        RichTextBox *box = editor->textBox();
        QVERIFY(
            !editor->formatToolbar()->button(FormatToolbar::Cut)->isEnabled()); // nothing selected
        box->setSelectionLength(3);
        QVERIFY(editor->formatToolbar()->button(FormatToolbar::Cut)->isEnabled());

        // Replace All is one step.
        ReplaceDialog &replace = editor->replaceDialog();
        replace.txtFind()->setText("one");
        replace.txtReplace()->setText("1");
        replace.replaceAll();
        QCOMPARE(box->text(), "1 two 1");
        box->undo();
        QCOMPARE(box->text(), "one two one");
        box->redo();
        QCOMPARE(box->text(), "1 two 1");
    }

    void undoneEditsAreNoChange()
    {
        EditorFixture f;
        for (const PageKind kind : {PageKind::RTF, PageKind::TXT}) {
            const int page = f.addPage(kind, kind == PageKind::RTF ? "{\\rtf1 one}" : "one");
            auto editor = f.edit(page);
            editor->show();
            QTest::keyClicks(editor->textBox(), "abc");
            QVERIFY(editor->changed() && editor->isWindowModified());
            while (editor->textBox()->document()->isUndoAvailable())
                editor->textBox()->undo();
            QVERIFY(!editor->changed() && !editor->isWindowModified());
            editor->close();
            QVERIFY(f.messageTitles().isEmpty());
        }

        // A saved text is the new unchanged one.
        auto editor = f.edit(f.addPage(PageKind::RTF, "{\\rtf1 one two}"));
        editor->show();
        RichTextBox *box = editor->textBox();
        QTest::keyClicks(box, "x");
        QVERIFY(editor->savePage());
        QVERIFY(!editor->changed() && !editor->isWindowModified());
        box->undo(); // back before the save: that differs from the page now
        QVERIFY(editor->changed());

        // The background counts until it is set back.
        const ColourCode background = box->backColour();
        box->redo();
        QVERIFY(!editor->changed());
        f.dialogs.queueColour(QColor(Qt::yellow));
        editor->menuItem("mnuColour")->trigger();
        QVERIFY(editor->changed() && editor->isWindowModified());
        f.dialogs.queueColour(colourFromCode(background));
        editor->menuItem("mnuColour")->trigger();
        QVERIFY(!editor->changed() && !editor->isWindowModified());
    }

    // Layout only breaks a long word's lines differently: the editor saves the page's text as
    // it came, however long its unbroken runs.
    void pagesWithLongRunsSaveUnchanged()
    {
        EditorFixture f;
        const QByteArray word = QByteArray("abcdefghijklmnopqrstuvwxyz").repeated(40'000);
        const QByteArray plainBytes = "Start\r\n" + word + "\r\nEnd";
        const int plain = f.addPage(PageKind::TXT, plainBytes);
        QVERIFY(f.edit(plain)->savePage());
        QCOMPARE(readFile(f.binder.page(plain).key.location), plainBytes);

        const QByteArray shorter = word.left(300'000);
        const int rich =
            f.addPage(PageKind::RTF, "{\\rtf1\\ansi Start\\par " + shorter + "\\par End\\par}");
        QVERIFY(f.edit(rich)->savePage());
        const QByteArray saved = readFile(f.binder.page(rich).key.location);
        QTextDocument doc;
        QVERIFY(readRtf(saved, &doc));
        QCOMPARE(doc.toPlainText(), QString::fromLatin1("Start\n" + shorter + "\nEnd"));
        // Opened and saved again, it keeps its bytes.
        QVERIFY(f.edit(rich)->savePage());
        QCOMPARE(readFile(f.binder.page(rich).key.location), saved);
    }

    // The editor shows a rich page as the reader makes it, and opening it is no change:
    // nothing to undo, no changed mark, the binder untouched.
    void openingShowsThePageAsStored()
    {
        EditorFixture f;
        const QByteArray rtf = rtfSample("lo-sample.rtf");
        auto editor = f.edit(f.addPage(PageKind::RTF, rtf));
        editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
        QTextDocument stored;
        QVERIFY(readRtf(rtf, &stored));
        const QTextDocument &shown = *editor->textBox()->document();
        QCOMPARE(paragraphs(shown), paragraphs(stored));
        QCOMPARE(writeRtf(shown), writeRtf(stored));
        QVERIFY(!editor->changed() && !editor->isWindowModified());
        QVERIFY(!shown.isUndoAvailable());
        QVERIFY(!f.binder.isChanged());
        editor->close();
        QVERIFY(f.messageTitles().isEmpty());
    }

    // The Edit and Format menus do what the toolbar does, enabled and checked as its buttons
    // are; Ctrl+I, like Ctrl+B and Ctrl+U, turns a style over only where the selection is
    // all one way.
    void editAndFormatMenusActAsTheToolbar()
    {
        EditorFixture f;
        auto editor = f.edit(f.addPage(PageKind::RTF, "{\\rtf1 one two}"));
        editor->show();
        // Shortcuts reach only the active window.
        editor->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(editor.get()));
        RichTextBox *box = editor->textBox();
        QAction *cut = menuItem(*editor, {"&Edit", "Cu&t"});
        QAction *bold = menuItem(*editor, {"For&mat", "&Bold"});
        QVERIFY(cut && bold);
        box->setSelectionStart(0);
        QVERIFY(!cut->isEnabled());
        box->setSelectionLength(3);
        QVERIFY(cut->isEnabled());

        bold->trigger();
        QCOMPARE(formatOf(*box->document(), "one").fontWeight(), int(QFont::Bold));
        QVERIFY(bold->isChecked());
        menuItem(*editor, {"For&mat", "&Centre"})->trigger();
        QCOMPARE(box->selectionAlignment(), std::optional<int>(RichTextBox::AlignCentre));
        QTest::keyClick(box, Qt::Key_I, Qt::ControlModifier);
        QVERIFY(formatOf(*box->document(), "one").fontItalic());
        QTest::keyClick(box, Qt::Key_I, Qt::ControlModifier);
        QVERIFY(!formatOf(*box->document(), "one").fontItalic());
        // "one" bold, "two" not: Ctrl+B leaves both as they are.
        box->setSelectionLength(7);
        QTest::keyClick(box, Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(formatOf(*box->document(), "one").fontWeight(), int(QFont::Bold));
        QCOMPARE(formatOf(*box->document(), "two").fontWeight(), int(QFont::Normal));

        // Paste Plain Text drops what the clipboard's rich form carries.
        auto *data = new QMimeData;
        data->setHtml("<b>Loud</b>");
        data->setText("Loud");
        QGuiApplication::clipboard()->setMimeData(data);
        box->setSelectionStart(box->textLength());
        QAction *pastePlain = menuItem(*editor, {"&Edit", "Paste Plain Te&xt"});
        QVERIFY(pastePlain->isEnabled());
        pastePlain->trigger();
        QCOMPARE(formatOf(*box->document(), "Loud").fontWeight(), int(QFont::Normal));
        QGuiApplication::clipboard()->clear();
        QVERIFY(!pastePlain->isEnabled());

        // A plain text page has no formatting to offer; its Edit menu still pastes.
        auto plain = f.edit(f.addPage(PageKind::TXT, "text"));
        plain->show();
        QVERIFY(!menuItem(*plain, {"For&mat"})->isVisible());
        QVERIFY(!menuItem(*plain, {"For&mat", "&Bold"})->isEnabled());
        QGuiApplication::clipboard()->setText("more ");
        plain->textBox()->setSelectionStart(0);
        menuItem(*plain, {"&Edit", "&Paste"})->trigger();
        QCOMPARE(plain->textBox()->text(), QString("more text"));
    }

    // Save Page and Quillery saves the binder as well, and keeps the editor open.
    void saveThePageAndTheBinder()
    {
        EditorFixture f;
        auto editor = f.edit(f.addPage(PageKind::TXT, "text"));
        editor->show();
        QTest::keyClicks(editor->textBox(), "more ");
        f.dialogs.queueSaveFile(f.path("saved.qly"));
        editor->menuItem("mnuSaveQLY")->trigger();
        QVERIFY(!f.binder.isChanged());
        QVERIFY(editor->isVisible());
        const auto saved = f.open(f.path("saved.qly"));
        QVERIFY(saved);
        QCOMPARE(pageBytes(*saved, 1), "more text");
    }
};

QTEST_MAIN(tst_editorwindow)
#include "tst_editorwindow.moc"
