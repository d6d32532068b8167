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
    box.setTextRTF("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}"
                   "\\pard\\fi360\\fs24 plain {\\b bold} {\\f1\\fs32\\i italic}\\par"
                   "\\qc second\\par}");
}

void select(RichTextBox &box, const QString &text)
{
    box.setSelStart(int(box.Text().indexOf(text)));
    box.setSelLength(int(text.size()));
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
        QCOMPARE(box.Text(), u"ab\ncd\u00A0e"_qs);
        box.setSelStart(3);
        box.setSelLength(2);
        QCOMPARE(box.SelText(), "cd");
        // Lengths past the end stop at the end; setting SelStart drops the selection.
        box.setSelStart(0);
        box.setSelLength(int(box.Text().size()) + 2);
        QCOMPARE(box.SelLength(), box.Text().size());
        box.setSelStart(1);
        QCOMPARE(box.SelLength(), 0);
        box.setSelStart(1000);
        QCOMPARE(box.SelStart(), box.Text().size());

        const QString text = "first\r\nsecond line\r\n\r\nlast";
        box.setText(text);
        QCOMPARE(box.document()->blockCount(), 4);
        QCOMPARE(box.Text(), text);
        box.setSelStart(3);
        box.setSelLength(6);
        QCOMPARE(box.SelText(), "st\r\nse");
        for (int position = 0; position < box.document()->characterCount(); ++position)
            QCOMPARE(box.documentPosition(box.textPosition(position)), position);
    }

    void selectedText()
    {
        RichTextBox box;
        fill(box);
        select(box, "bold");
        box.setSelText("strong");
        QCOMPARE(box.Text(), "plain strong italic\nsecond");
        QCOMPARE(box.SelLength(), 0);
        QCOMPARE(box.SelStart(), 12);
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
        QCOMPARE(box.SelBold(), true);
        // the insertion point has the format of the character before it
        box.setSelStart(int(box.Text().indexOf("old")));
        QCOMPARE(box.SelBold(), true);
        select(box, "plain bold");
        QCOMPARE(box.SelBold(), std::nullopt);
        box.setSelBold(true);
        QCOMPARE(box.SelBold(), true);

        select(box, "plain");
        box.setSelUnderline(true);
        box.setSelColor(0x0000FF);
        const QTextCharFormat format = formatOf(*box.document(), "plain");
        QVERIFY(format.fontUnderline());
        QCOMPARE(format.foreground().color(), QColor(255, 0, 0));
        QCOMPARE(box.SelColor(), ColourCode(0x0000FF));
        QVERIFY(!formatOf(*box.document(), " bold").fontUnderline());
        select(box, "plain bold");
        QCOMPARE(box.SelColor(), std::nullopt);
        // "automatic" is no colour of the text's own
        box.setSelColor(SystemWindowText);
        QCOMPARE(box.SelColor(), SystemWindowText);
        QCOMPARE(formatOf(*box.document(), "plain").foreground().style(), Qt::NoBrush);

        select(box, "bold");
        box.setSelCharOffset(60);
        QCOMPARE(box.SelCharOffset(), 60);
        QVERIFY(box.TextRTF().contains("\\up6"));
    }

    // Indents (in twips) of the selected paragraphs; bullets keep each paragraph's own.
    void paragraphProperties()
    {
        RichTextBox box;
        fill(box);
        select(box, "plain");
        box.setSelIndent(720);
        box.setSelHangingIndent(360);
        QCOMPARE(box.SelIndent(), 720); // the first line stays where it was
        box.setSelRightIndent(1440);
        QVERIFY(box.TextRTF().contains("\\fi-360\\li1080\\ri1440"));
        select(box, "italic\nsec");
        QCOMPARE(box.SelIndent(), std::nullopt);

        box.setSelStart(0);
        box.setSelLength(int(box.Text().size()));
        box.setSelBullet(true);
        const QTextList *list = box.document()->firstBlock().textList();
        QVERIFY(list);
        QCOMPARE(box.document()->lastBlock().textList(), list);
        QCOMPARE(box.SelHangingIndent(), std::nullopt); // each paragraph keeps its own
        select(box, "plain");
        box.setSelBullet(false);
        QCOMPARE(box.SelHangingIndent(), 360);
        QCOMPARE(box.SelIndent(), 720);
        QCOMPARE(box.document()->firstBlock().blockFormat().indent(), 0);
    }

    // The editor formats an empty page before loading it: the format is kept for the text
    // that comes, and written with the empty page.
    void emptyBoxKeepsItsFormat()
    {
        RichTextBox box;
        box.setSelStart(0);
        box.setSelLength(int(box.Text().size()) + 2);
        box.setSelFontName("Courier New");
        box.setSelBold(true);
        QVERIFY(box.TextRTF().contains("\\b\\par"));
        box.setTextRTF(QByteArray());
        box.setSelText("typed");
        const QTextCharFormat format = formatOf(*box.document(), "typed");
        QCOMPARE(family(format), "Courier New");
        QCOMPARE(format.fontWeight(), int(QFont::Bold));
        box.setSelBullet(true);
        box.setText("plain again");
        QCOMPARE(family(formatOf(*box.document(), "plain again")), "Courier New");
        QCOMPARE(box.SelBullet(), false);
    }

    void textRtfTakesPlainText()
    {
        RichTextBox box;
        box.setTextRTF("plain\r\nlines");
        QCOMPARE(box.Text(), "plain\r\nlines");
        box.setTextRTF("caf\xe9");
        QCOMPARE(box.Text(), u"café"_qs);
        fill(box);
        QVERIFY(!box.document()->isUndoAvailable()); // loading is not an edit
        QCOMPARE(box.SelStart(), 0);
    }

    void saveFile()
    {
        RichTextBox box;
        fill(box);
        QTemporaryDir dir;
        const QString path = dir.filePath("page.rtf");
        QVERIFY(box.SaveFile(path));
        QCOMPARE(readFile(path), box.TextRTF());
        QString error;
        QVERIFY(!box.SaveFile(dir.filePath("missing/page.rtf"), &error));
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
        target.setSelStart(1);
        target.paste();
        QCOMPARE(target.Text(), "[bold italic]");
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
        viewer.setTextRTF(rtf);
        viewer.grab();
        QCOMPARE(viewer.document()->blockCount(), 2 + 312);
        viewer.selectAll();
        QCOMPARE(viewer.SelText(), text);
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
        QCOMPARE(viewer.SelText(), word.mid(990, 20));

        // A box that can be edited keeps the text it is given; its lines break anywhere instead.
        RichTextBox editor;
        editor.setText(text);
        QCOMPARE(editor.document()->blockCount(), 3);
        QCOMPARE(editor.Text(), text);
        QCOMPARE(editor.wordWrapMode(), QTextOption::WrapAnywhere);
    }
};

QTEST_MAIN(tst_richtextbox)
#include "tst_richtextbox.moc"
