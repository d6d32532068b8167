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
        applyTextFormat(box, "TXT", records);
        QCOMPARE(box.backColour(), ColourCode(0x00FFFF));
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
        box.setRtf("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}"
                   "{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}\\fi-360\\li720\\ri300 "
                   "item\\par\\pard\\li1440 {\\up6 raised} {\\super high} {\\b\\ul\\strike x}}");
        applyTextFormat(box, "RTF", records);
        QCOMPARE(box.selectionBullet(), false);
        QCOMPARE(box.selectionIndent(), 0);
        QCOMPARE(box.selectionCharOffset(), 0);
        QCOMPARE(box.selectionAlignment(), int(RichTextBox::AlignCentre));
        QCOMPARE(box.selectionFontName(), "Times New Roman");
        QCOMPARE(box.selectionItalic(), true);
        QCOMPARE(box.selectionColour(), ColourCode(0x0000FF));
        QCOMPARE(formatOf(*box.document(), "high").verticalAlignment(),
                 QTextCharFormat::AlignNormal);
    }

    // A flag is on as older binders write it (-1) as well as True or 1; anything else is off.
    void flagsReadInEverySpelling()
    {
        const auto boldFrom = [](const char *stored) {
            InfoRecords records;
            setTXTopts(records);
            records.write("TXTBold", stored);
            RichTextBox box;
            box.setText("x");
            applyTextFormat(box, "TXT", records);
            return box.selectionBold() == true;
        };
        for (const char *on : {"-1", "True", "true", "1"})
            QVERIFY2(boldFrom(on), on);
        for (const char *off : {"0", "False", "", "no"})
            QVERIFY2(!boldFrom(off), off);
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
        applyTextFormat(box, "TXT", records);
        QCOMPARE(box.selectionFontName(), "Courier New");
        QCOMPARE(box.selectionFontSize(), 10.0);
        QCOMPARE(box.selectionColour(), SystemWindowText);
        QCOMPARE(box.selectionAlignment(), int(RichTextBox::AlignLeft));
        QCOMPARE(box.backColour(), SystemWindowBackground);
    }
};

QTEST_MAIN(tst_defaulttextformats)
#include "tst_defaulttextformats.moc"
