// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestSupport.h"
#include "support/TextDocumentSupport.h"

#include "platform_ui/RichTextBox.h"
#include "rtf/RtfFormat.h"
#include "rtf/RtfReader.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTextList>

using namespace quillery;
using namespace quillery::test;

namespace {

// A box holding "plain bold italic" with the middle word bold and the first line indented,
// and a second paragraph.
void fill(RichTextBox &box)
{
    box.setRtf("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}"
               "\\pard\\fi360\\fs24 plain {\\b bold} {\\f1\\fs32\\i italic}\\par"
               "\\qc second\\par}");
}

void select(RichTextBox &box, const QString &text)
{
    box.setSelectionStart(int(box.text().indexOf(text)));
    box.setSelectionLength(int(text.size()));
}

} // namespace

class tst_richtextbox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Positions count the characters of Text, where a plain text page with Windows line ends
    // keeps them and a paragraph mark then counts as its two characters, so searching Text
    // and selecting agree.
    void positionsCountTextCharacters()
    {
        RichTextBox box;
        box.setText(u"ab\ncd\u00A0e"_qs);
        QCOMPARE(box.text(), u"ab\ncd\u00A0e"_qs);
        box.setSelectionStart(3);
        box.setSelectionLength(2);
        QCOMPARE(box.selectedText(), "cd");
        // Lengths past the end stop at the end; setting selectionStart drops the selection.
        box.setSelectionStart(0);
        box.setSelectionLength(int(box.text().size()) + 2);
        QCOMPARE(box.selectionLength(), box.text().size());
        box.setSelectionStart(1);
        QCOMPARE(box.selectionLength(), 0);
        box.setSelectionStart(1000);
        QCOMPARE(box.selectionStart(), box.text().size());

        const QString text = "first\r\nsecond line\r\n\r\nlast";
        box.setText(text);
        QCOMPARE(box.document()->blockCount(), 4);
        QCOMPARE(box.text(), text);
        box.setSelectionStart(3);
        box.setSelectionLength(6);
        QCOMPARE(box.selectedText(), "st\r\nse");
        for (int position = 0; position < box.document()->characterCount(); ++position)
            QCOMPARE(box.documentPosition(box.textPosition(position)), position);
    }

    void selectedText()
    {
        RichTextBox box;
        fill(box);
        select(box, "bold");
        box.setSelectedText("strong");
        QCOMPARE(box.text(), "plain strong italic\nsecond");
        QCOMPARE(box.selectionLength(), 0);
        QCOMPARE(box.selectionStart(), 12);
        // the inserted text takes the format of where it goes
        QCOMPARE(formatOf(*box.document(), "strong").fontWeight(), int(QFont::Bold));
    }

    // A property without one value over the selection has none, which leaves the editor's
    // toolbar buttons as they are; what is set reaches the text and no further.
    void characterProperties()
    {
        RichTextBox box;
        fill(box);
        select(box, "bold");
        QCOMPARE(box.selectionBold(), true);
        // the insertion point has the format of the character before it
        box.setSelectionStart(int(box.text().indexOf("old")));
        QCOMPARE(box.selectionBold(), true);
        select(box, "plain bold");
        QCOMPARE(box.selectionBold(), std::nullopt);
        box.setSelectionBold(true);
        QCOMPARE(box.selectionBold(), true);

        select(box, "plain");
        box.setSelectionUnderline(true);
        box.setSelectionColour(0x0000FF);
        const QTextCharFormat format = formatOf(*box.document(), "plain");
        QVERIFY(format.fontUnderline());
        QCOMPARE(format.foreground().color(), QColor(255, 0, 0));
        QCOMPARE(box.selectionColour(), ColourCode(0x0000FF));
        QVERIFY(!formatOf(*box.document(), " bold").fontUnderline());
        select(box, "plain bold");
        QCOMPARE(box.selectionColour(), std::nullopt);
        // "automatic" is no colour of the text's own
        box.setSelectionColour(SystemWindowText);
        QCOMPARE(box.selectionColour(), SystemWindowText);
        QCOMPARE(formatOf(*box.document(), "plain").foreground().style(), Qt::NoBrush);

        select(box, "bold");
        box.setSelectionCharOffset(60);
        QCOMPARE(box.selectionCharOffset(), 60);
        QVERIFY(box.toRtf().contains("\\up6"));
    }

    // Indents (in twips) of the selected paragraphs; bullets keep each paragraph's own.
    void paragraphProperties()
    {
        RichTextBox box;
        fill(box);
        select(box, "plain");
        box.setSelectionIndent(720);
        box.setSelectionHangingIndent(360);
        QCOMPARE(box.selectionIndent(), 720); // the first line stays where it was
        box.setSelectionRightIndent(1440);
        QVERIFY(box.toRtf().contains("\\fi-360\\li1080\\ri1440"));
        select(box, "italic\nsec");
        QCOMPARE(box.selectionIndent(), std::nullopt);

        box.setSelectionStart(0);
        box.setSelectionLength(int(box.text().size()));
        box.setSelectionBullet(true);
        const QTextList *list = box.document()->firstBlock().textList();
        QVERIFY(list);
        QCOMPARE(box.document()->lastBlock().textList(), list);
        QCOMPARE(box.selectionHangingIndent(), std::nullopt); // each paragraph keeps its own
        select(box, "plain");
        box.setSelectionBullet(false);
        QCOMPARE(box.selectionHangingIndent(), 360);
        QCOMPARE(box.selectionIndent(), 720);
        QCOMPARE(box.document()->firstBlock().blockFormat().indent(), 0);
    }

    // The editor formats an empty page before loading it: the format is kept for the text
    // that comes, and written with the empty page.
    void emptyBoxKeepsItsFormat()
    {
        RichTextBox box;
        box.setSelectionStart(0);
        box.setSelectionLength(int(box.text().size()) + 2);
        box.setSelectionFontName("Courier New");
        box.setSelectionBold(true);
        QVERIFY(box.toRtf().contains("\\b\\par"));
        box.setRtf(QByteArray());
        box.setSelectedText("typed");
        const QTextCharFormat format = formatOf(*box.document(), "typed");
        QCOMPARE(family(format), "Courier New");
        QCOMPARE(format.fontWeight(), int(QFont::Bold));
        box.setSelectionBullet(true);
        box.setText("plain again");
        QCOMPARE(family(formatOf(*box.document(), "plain again")), "Courier New");
        QCOMPARE(box.selectionBullet(), false);
    }

    void textRtfTakesPlainText()
    {
        RichTextBox box;
        box.setRtf("plain\r\nlines");
        QCOMPARE(box.text(), "plain\r\nlines");
        box.setRtf("caf\xe9");
        QCOMPARE(box.text(), u"café"_qs);
        fill(box);
        QVERIFY(!box.document()->isUndoAvailable()); // loading is not an edit
        QCOMPARE(box.selectionStart(), 0);
    }

    void saveFile()
    {
        RichTextBox box;
        fill(box);
        QTemporaryDir dir;
        const QString path = dir.filePath("page.rtf");
        QVERIFY(box.saveRtfFile(path));
        QCOMPARE(readFile(path), box.toRtf());
        QString error;
        QVERIFY(!box.saveRtfFile(dir.filePath("missing/page.rtf"), &error));
        QVERIFY(!error.isEmpty());
    }

    void clipboardCarriesRtf()
    {
        RichTextBox source;
        fill(source);
        select(source, "bold italic");
        source.copy();
        const QMimeData *data = QApplication::clipboard()->mimeData();
        QVERIFY(data);
        QVERIFY(data->hasFormat("text/rtf"));
        QCOMPARE(data->text(), "bold italic");

        RichTextBox target;
        target.setText("[]");
        target.setSelectionStart(1);
        target.paste();
        QCOMPARE(target.text(), "[bold italic]");
        QCOMPARE(formatOf(*target.document(), "bold").fontWeight(), int(QFont::Bold));
        QCOMPARE(family(formatOf(*target.document(), "italic")), "Courier New");
    }

    void longRunsAreCutOnlyWhereNothingIsSaved()
    {
        const QString word = QString("abcdefghijklmnopqrstuvwxyz").repeated(12'000);
        const QString text = "Start\n" + word + "\nEnd";
        const QByteArray rtf = "{\\rtf1\\ansi Start\\par " + word.toLatin1() + "\\par End}";

        // The viewer's box lays the word out in short pieces, yet copies it whole.
        RichTextBox viewer;
        viewer.setReadOnly(true);
        viewer.resize(400, 300);
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        viewer.setRtf(rtf);
        viewer.grab();
        QCOMPARE(viewer.document()->blockCount(), 2 + 312);
        viewer.selectAll();
        QCOMPARE(viewer.selectedText(), text);
        viewer.copy();
        const QMimeData *data = QApplication::clipboard()->mimeData();
        QCOMPARE(data->text(), text);
        QTextDocument pasted;
        QVERIFY(readRtf(data->data("text/rtf"), &pasted));
        QCOMPARE(pasted.toPlainText(), text);
        // Across a cut: the word's characters 990 to 1009.
        QTextCursor across(viewer.document());
        across.setPosition(6 + 990);
        across.setPosition(6 + 1011, QTextCursor::KeepAnchor);
        viewer.setTextCursor(across);
        QCOMPARE(viewer.selectedText(), word.mid(990, 20));

        // A box that can be edited keeps the text it is given; its lines break anywhere instead.
        RichTextBox editor;
        editor.setText(text);
        QCOMPARE(editor.document()->blockCount(), 3);
        QCOMPARE(editor.text(), text);
        QCOMPARE(editor.wordWrapMode(), QTextOption::WrapAnywhere);
    }
};

QTEST_MAIN(tst_richtextbox)
#include "tst_richtextbox.moc"
