// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TextDocumentSupport.h"

#include "documents/InfoRecords.h"
#include "editor/DefaultTextFormats.h"
#include "platform_ui/RichTextBox.h"
#include "rtf/RtfFormat.h"

#include <QTest>
#include <QTextDocument>

using namespace quillery;
using namespace quillery::test;

class tst_defaulttextformats : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The background and the base font are set even when there is no text to format.
    void plainFormatOnAnEmptyBox()
    {
        InfoRecords records;
        setTXTopts(records);
        records.write("TXTBColour", 0x00FFFF);
        records.write("TXTBold", true);
        RichTextBox box;
        SetRTFFont(box, "TXT", records);
        QCOMPARE(box.BackColor(), ColourCode(0x00FFFF));
        QCOMPARE(box.font().family(), "Courier New");
        box.setText("line one\nline two");
        const QTextCharFormat format = formatOf(*box.document(), "two");
        QCOMPARE(family(format), "Courier New");
        QCOMPARE(format.fontPointSize(), 10.0);
        QCOMPARE(format.fontWeight(), int(QFont::Bold));
    }

    // Applying a format removes bullets, indents and raised text and sets the format on the
    // whole content.
    void formatReplacesParagraphLooks()
    {
        InfoRecords records;
        setRTFopts(records);
        records.write("RTFAlign", 2);
        records.write("RTFItalic", true);
        records.write("RTFColour", 0x0000FF);
        RichTextBox box;
        box.setTextRTF(
            "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}"
            "{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}\\fi-360\\li720\\ri300 "
            "item\\par\\pard\\li1440 {\\up6 raised} {\\super high} {\\b\\ul\\strike x}}");
        SetRTFFont(box, "RTF", records);
        QCOMPARE(box.SelBullet(), false);
        QCOMPARE(box.SelIndent(), 0);
        QCOMPARE(box.SelCharOffset(), 0);
        QCOMPARE(box.SelAlignment(), int(RichTextBox::AlignCentre));
        QCOMPARE(box.SelFontName(), "Times New Roman");
        QCOMPARE(box.SelItalic(), true);
        QCOMPARE(box.SelColor(), ColourCode(0x0000FF));
        QCOMPARE(formatOf(*box.document(), "high").verticalAlignment(),
                 QTextCharFormat::AlignNormal);
    }

    // A binder without its plain text keys, or with values that are not what they should be,
    // still shows its pages in the default format.
    void damagedRecordsFallBackToDefaults()
    {
        InfoRecords records;
        records.write("TXTFontSize", "large");
        records.write("TXTColour", "red");
        records.write("TXTAlign", "7");
        RichTextBox box;
        box.setText("text");
        SetRTFFont(box, "TXT", records);
        QCOMPARE(box.SelFontName(), "Courier New");
        QCOMPARE(box.SelFontSize(), 10.0);
        QCOMPARE(box.SelColor(), SystemWindowText);
        QCOMPARE(box.SelAlignment(), int(RichTextBox::AlignLeft));
        QCOMPARE(box.BackColor(), SystemWindowBackground);
    }
};

QTEST_MAIN(tst_defaulttextformats)
#include "tst_defaulttextformats.moc"
