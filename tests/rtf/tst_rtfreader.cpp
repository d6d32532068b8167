// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TextDocumentSupport.h"

#include "platform/Twips.h"
#include "rtf/RtfFormat.h"
#include "rtf/RtfReader.h"

#include <QBuffer>
#include <QImage>
#include <QTest>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QtEndian>

using namespace quillery;
using namespace quillery::test;

namespace {

QTextDocument *read(const QByteArray &rtf, QObject *parent)
{
    auto *doc = new QTextDocument(parent);
    if (!readRtf(rtf, doc))
        qWarning("not read as RTF");
    return doc;
}

// Wraps a snippet of document text in a minimal RTF header.
QByteArray snippet(const QByteArray &body)
{
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}" + body + "}";
}

QString cellText(QTextTable *table, int row, int column)
{
    QTextCursor cursor = table->cellAt(row, column).firstCursorPosition();
    cursor.setPosition(table->cellAt(row, column).lastCursorPosition().position(),
                       QTextCursor::KeepAnchor);
    return cursor.selectedText();
}

QColor colourOf(const QBrush &brush)
{
    return brush.style() == Qt::NoBrush ? QColor() : brush.color();
}

QByteArray hex(const QByteArray &bytes)
{
    return bytes.toHex();
}

} // namespace

class tst_rtfreader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // WordPad's way of writing: \par endings, \pn bullets and numbers, a HYPERLINK field.
    void richEditDocument()
    {
        QScopedPointer<QTextDocument> doc(read(rtfSample("wordpad-western.rtf"), nullptr));
        QCOMPARE(
            paragraphs(*doc),
            QStringList(
                {u"Café naïve résumé"_qs,
                 u"Plain bold italic underline strike red marked mono big x2 H2O up € – end"_qs,
                 u"Right\taligned\u2028second line"_qs, "Indented paragraph", "first bullet",
                 "second bullet", "one", "two", "Example after link"}));

        const QTextCharFormat title = formatOf(*doc, "Café");
        QCOMPARE(family(title), "Calibri");
        QCOMPARE(title.fontPointSize(), 16.0);
        QCOMPARE(title.fontWeight(), int(QFont::Bold));
        QCOMPARE(blockOf(*doc, "Café").blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignHCenter);

        QCOMPARE(formatOf(*doc, "Plain").fontPointSize(), 11.0);
        QCOMPARE(formatOf(*doc, "Plain").fontWeight(), int(QFont::Normal));
        QCOMPARE(formatOf(*doc, "bold").fontWeight(), int(QFont::Bold));
        QVERIFY(formatOf(*doc, "italic").fontItalic());
        QCOMPARE(formatOf(*doc, "underline").underlineStyle(), QTextCharFormat::SingleUnderline);
        QCOMPARE(formatOf(*doc, " strike").underlineStyle(), QTextCharFormat::NoUnderline);
        QVERIFY(formatOf(*doc, "strike").fontStrikeOut());
        QCOMPARE(colourOf(formatOf(*doc, "red").foreground()), QColor(255, 0, 0));
        QCOMPARE(colourOf(formatOf(*doc, "marked").background()), QColor(255, 255, 0));
        QCOMPARE(colourOf(formatOf(*doc, " marked").background()), QColor());
        QCOMPARE(family(formatOf(*doc, "mono")), "Courier New");
        QCOMPARE(formatOf(*doc, "big").fontPointSize(), 20.0);
        QCOMPARE(formatOf(*doc, "2 H").verticalAlignment(), QTextCharFormat::AlignSuperScript);
        QCOMPARE(formatOf(*doc, "2O").verticalAlignment(), QTextCharFormat::AlignSubScript);
        QCOMPARE(formatOf(*doc, "O up").verticalAlignment(), QTextCharFormat::AlignNormal);
        QCOMPARE(formatOf(*doc, "up").intProperty(rtf::CharOffsetTwips), 60);
        QCOMPARE(formatOf(*doc, " end").intProperty(rtf::CharOffsetTwips), 0);
        const QTextBlockFormat spaced = blockOf(*doc, "Plain").blockFormat();
        QCOMPARE(spaced.lineHeightType(), int(QTextBlockFormat::ProportionalHeight));
        QCOMPARE(spaced.lineHeight(), 115.0);
        QCOMPARE(spaced.bottomMargin(), twipsToPixels(200));

        QCOMPARE(blockOf(*doc, "Right").blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignRight);
        const QTextBlockFormat indented = blockOf(*doc, "Indented").blockFormat();
        QCOMPARE(indented.leftMargin(), twipsToPixels(720));
        QCOMPARE(indented.rightMargin(), twipsToPixels(360));
        QCOMPARE(indented.textIndent(), twipsToPixels(-360));
        QCOMPARE(indented.topMargin(), twipsToPixels(120));

        const QTextList *bullets = blockOf(*doc, "first bullet").textList();
        QVERIFY(bullets);
        QCOMPARE(bullets->format().style(), QTextListFormat::ListDisc);
        QCOMPARE(blockOf(*doc, "second bullet").textList(), bullets);
        QCOMPARE(bullets->count(), 2);
        const QTextBlockFormat item = blockOf(*doc, "first bullet").blockFormat();
        QCOMPARE(item.leftMargin(), twipsToPixels(720));
        QCOMPARE(item.intProperty(rtf::ListFirstIndentTwips), -360);

        const QTextList *numbers = blockOf(*doc, "one").textList();
        QVERIFY(numbers && numbers != bullets);
        QCOMPARE(numbers->format().style(), QTextListFormat::ListDecimal);
        QCOMPARE(numbers->itemText(blockOf(*doc, "two")), "2.");
        QVERIFY(!blockOf(*doc, "Example").textList());

        const QTextCharFormat link = formatOf(*doc, "Example");
        QVERIFY(link.isAnchor());
        QCOMPARE(link.anchorHref(), "http://www.example.com/");
        QCOMPARE(link.underlineStyle(), QTextCharFormat::SingleUnderline);
        QCOMPARE(colourOf(link.foreground()), QColor(0, 0, 255));
        QVERIFY(!formatOf(*doc, "after").isAnchor());
        // \plain in a link's result resets its format, not the link.
        QScopedPointer<QTextDocument> plain(read(
            snippet(
                "{\\field{\\*\\fldinst HYPERLINK \"http://a.example/\"}{\\fldrslt \\plain there}}"),
            nullptr));
        QCOMPARE(formatOf(*plain, "there").anchorHref(), "http://a.example/");
    }

    void codePages_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("font");
        QTest::newRow("Cyrillic 1251")
            << "wordpad-cyrillic.rtf" << u"Съешь же ещё этих мягких французских булок"_qs
            << "Calibri";
        // Shift-JIS puts '{' and '\' in trail bytes, which arrive as escaped symbols.
        QTest::newRow("Japanese 932")
            << "wordpad-japanese.rtf" << u"日本語の表示テスト latin"_qs << u"ＭＳ 明朝"_qs;
        QTest::newRow("Korean 949")
            << "wordpad-korean.rtf" << u"한국어 시험 latin"_qs << u"굴림"_qs;
    }

    void codePages()
    {
        QFETCH(QString, file);
        QFETCH(QString, text);
        QFETCH(QString, font);
        QScopedPointer<QTextDocument> doc(read(rtfSample(file), nullptr));
        QCOMPARE(doc->toPlainText(), text);
        QCOMPARE(family(formatOf(*doc, text.left(1))), font);
    }

    void pandocDocument()
    {
        QScopedPointer<QTextDocument> doc(read(rtfSample("pandoc-sample.rtf"), nullptr));
        QCOMPARE(
            blockOf(*doc, "Plain text").text(),
            "Plain text with bold, italic, struck and code words. A link to the example site.");
        QCOMPARE(formatOf(*doc, "the example").anchorHref(), "https://example.com/page?a=1&b=2");
        QCOMPARE(blockOf(*doc, "first bullet").text(), u"•\tfirst bullet"_qs);
        QCOMPARE(blockOf(*doc, "first bullet").blockFormat().textIndent(), twipsToPixels(-360));
        QCOMPARE(blockOf(*doc, "quoted").blockFormat().leftMargin(), twipsToPixels(720));
        QCOMPARE(
            blockOf(*doc, "Unicode").text(),
            u"Unicode: Zażółć gęślą jaźń, Привет мир, Καλημέρα, 日本語のテキスト, emoji 😀."_qs);

        QTextTable *table = firstTable(*doc);
        QVERIFY(table);
        QCOMPARE(cellText(table, 2, 1), u"2\u2029"_qs);
        // "text\par\cell" is the text and an empty paragraph, as word processors read it
        QCOMPARE(cellText(table, 1, 0), u"alpha\u2029"_qs);
    }

    void libreOfficeDocument()
    {
        QScopedPointer<QTextDocument> doc(read(rtfSample("lo-sample.rtf"), nullptr));
        QCOMPARE(formatOf(*doc, "2 H").intProperty(rtf::CharOffsetTwips), 80);
        QCOMPARE(formatOf(*doc, "2O").intProperty(rtf::CharOffsetTwips), -20);

        const QTextList *bullets = blockOf(*doc, "apple").textList();
        QVERIFY(bullets);
        QCOMPARE(bullets->format().style(), QTextListFormat::ListDisc);
        QCOMPARE(blockOf(*doc, "banana").textList(), bullets);
        QCOMPARE(blockOf(*doc, "apple").blockFormat().leftMargin(), twipsToPixels(709));
        const QTextList *numbers = blockOf(*doc, "second").textList();
        QVERIFY(numbers);
        QCOMPARE(numbers->format().style(), QTextListFormat::ListDecimal);
        QCOMPARE(numbers->itemText(blockOf(*doc, "second")), "2.");

        QCOMPARE(formatOf(*doc, "example org").anchorHref(), "http://www.example.org/x");
        QCOMPARE(
            blockOf(*doc, "Czech").text(),
            u"Czech: Příliš žluťoučký kůň. Russian: Съешь же ещё этих булок. Greek: "
            u"Ξεσκεπάζω την ψυχοφθόρα. Japanese: いろはにほへと. Chinese: 汉字测试. Emoji: 🎉"_qs);

        QTextTable *table = firstTable(*doc);
        QVERIFY(table);
        QCOMPARE(cellText(table, 1, 0), "a2");

        // The PNG is shown at its goal size scaled by \picscalex, and the metafile copy that
        // follows for older readers is left out.
        const QTextCharFormat picture = formatOf(*doc, QString(QChar::ObjectReplacementCharacter));
        QVERIFY(picture.isImageFormat());
        QCOMPARE(picture.toImageFormat().width(), twipsToPixels(1200));
        QCOMPARE(picture.toImageFormat().height(), twipsToPixels(900));
        const QImage image = qvariant_cast<QImage>(
            doc->resource(QTextDocument::ImageResource, QUrl(picture.toImageFormat().name())));
        QCOMPARE(image.size(), QSize(8, 6));
        QCOMPARE(image.pixelColor(3, 3), QColor(255, 0, 0));
        QCOMPARE(doc->toRawText().count(QChar::ObjectReplacementCharacter), 1);
    }

    void escapesAndDestinations_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("text");
        QTest::newRow("\\uc2 skips two bytes")
            << QByteArray("\\uc2 a\\u8364\\'80\\'80b") << u"a€b"_qs;
        QTest::newRow("\\uc0 skips nothing") << QByteArray("\\uc0 a\\u8364 b") << u"a€b"_qs;
        QTest::newRow("skipping stops at a group end") << QByteArray("{\\uc3\\u8364}x") << u"€x"_qs;
        QTest::newRow("negative \\u") << QByteArray("\\u-3913 ?") << u"\uF0B7"_qs;
        QTest::newRow("surrogate pair") << QByteArray("\\u-10179?\\u-8704?") << u"😀"_qs;
        QTest::newRow("unknown word") << QByteArray("a\\foo123 b") << u"ab"_qs;
        QTest::newRow("unknown starred destination")
            << QByteArray("a{\\*\\foo hidden}b") << u"ab"_qs;
        QTest::newRow("known skipped destination")
            << QByteArray("a{\\info{\\title T}{\\author A}}b") << u"ab"_qs;
        QTest::newRow("braces in a skipped group")
            << QByteArray("a{\\*\\foo x\\}y\\{{z}}b") << u"ab"_qs;
        QTest::newRow("binary data in a skipped group")
            << QByteArray("a{\\*\\foo\\bin4 }}c{}b") << u"ab"_qs;
        QTest::newRow("hidden text") << QByteArray("a{\\v hidden}b") << u"ab"_qs;
        QTest::newRow("special characters")
            << QByteArray("\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet\\~\\_")
            << u"—–‘’“”•\u00A0\u2011"_qs;
        QTest::newRow("escaped symbols") << QByteArray("\\\\\\{\\}") << u"\\{}"_qs;
        QTest::newRow("field result without a link")
            << QByteArray("{\\field{\\*\\fldinst PAGE}{\\fldrslt 7}}") << u"7"_qs;
        QTest::newRow("tab and line") << QByteArray("a\\tab b\\line c") << u"a\tb\u2028c"_qs;
        QTest::newRow("list text for an unknown list")
            << QByteArray("{\\listtext 1.\\tab}\\ls5 item") << u"1.\titem"_qs;
        QTest::newRow("invalid hex") << QByteArray("a\\'zzb") << u"azzb"_qs;
        QTest::newRow("line feed escape") << QByteArray("a\\'0ab") << u"a\u2028b"_qs;
        QTest::newRow("structure characters stay text")
            << QByteArray("a\\u8233?\\u-560?\\u-4?b") << u"a\u2028\uFFFD\uFFFDb"_qs;
        QTest::newRow("font change mid-text") << QByteArray("a\\f0 b\\plain c") << u"abc"_qs;
    }

    void escapesAndDestinations()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, text);
        QScopedPointer<QTextDocument> doc(read(snippet(body), nullptr));
        QCOMPARE(doc->toRawText(), text);
    }

    // Symbol font letters are Greek and mathematical characters; other symbol fonts keep their
    // glyph codes in the private use area, as Windows does.
    void symbolFonts()
    {
        const QByteArray rtf =
            "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1\\fnil\\fcharset2 "
            "Symbol;}{\\f2\\fnil\\fcharset2 Wingdings;}}a\\f1 abp\\'b7\\'a3\\f2 J\\f0 z}";
        QScopedPointer<QTextDocument> doc(read(rtf, nullptr));
        QCOMPARE(doc->toRawText(), u"aαβπ•≤\uF04Az"_qs);
        QCOMPARE(family(formatOf(*doc, u"α"_qs)), "Symbol");
    }

    void paragraphBreaks()
    {
        // The last \par closes the last paragraph; two in a row leave an empty one.
        QScopedPointer<QTextDocument> doc(read(snippet("a\\par b\\par\\par"), nullptr));
        QCOMPARE(paragraphs(*doc), QStringList({"a", "b", ""}));
        doc.reset(read(snippet("a\\par\r\n\\pard\\qc b"), nullptr));
        QCOMPARE(paragraphs(*doc), QStringList({"a", "b"}));
        QCOMPARE(doc->lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignHCenter);
        // A backslash before a line end is a paragraph mark.
        doc.reset(read(snippet("a\\\nb"), nullptr));
        QCOMPARE(paragraphs(*doc), QStringList({"a", "b"}));
        // The mark of an empty paragraph keeps its size.
        doc.reset(read(snippet("\\fs48\\par\\fs20 x"), nullptr));
        QCOMPARE(doc->firstBlock().charFormat().fontPointSize(), 24.0);
    }

    // Each paragraph starts with the formats of the one before; what differs must still be
    // set, a list must not carry over, and a paragraph left without its own formats (a table
    // straight after its text, or the end inside a table) keeps the default ones.
    void paragraphsKeepTheirOwnFormats()
    {
        const auto alignment = [](const QTextDocument &doc, const char *text) {
            return blockOf(doc, QLatin1String(text)).blockFormat().alignment() &
                   Qt::AlignHorizontal_Mask;
        };
        QScopedPointer<QTextDocument> doc(
            read(snippet("\\pard\\qc\\fs40 centred\\par\\pard\\fs20 left\\par\\pard\\qr right\\par"
                         "\\pard\\qr again\\par\\pard plain"),
                 nullptr));
        QCOMPARE(alignment(*doc, "centred"), Qt::AlignHCenter);
        QCOMPARE(alignment(*doc, "left"), Qt::AlignLeft);
        QCOMPARE(alignment(*doc, "right"), Qt::AlignRight);
        QCOMPARE(alignment(*doc, "again"), Qt::AlignRight);
        QCOMPARE(alignment(*doc, "plain"), Qt::AlignLeft);
        QCOMPARE(blockOf(*doc, "centred").charFormat().fontPointSize(), 20.0);
        QCOMPARE(blockOf(*doc, "left").charFormat().fontPointSize(), 10.0);

        doc.reset(
            read(snippet("{\\*\\listtable{\\list\\listid7{\\listlevel\\levelnfc0{\\leveltext "
                         "\\'02\\'00.;}}}}{\\*\\listoverridetable{\\listoverride\\listid7\\ls1}}"
                         "\\pard\\ls1 one\\par\\ls1 two\\par\\pard after\\par\\ls1 three\\par"
                         "\\pard end"),
                 nullptr));
        const QTextList *list = blockOf(*doc, "one").textList();
        QVERIFY(list);
        QCOMPARE(list->count(), 3);
        QCOMPARE(blockOf(*doc, "three").textList(), list);
        QVERIFY(!blockOf(*doc, "after").textList());
        QVERIFY(!blockOf(*doc, "end").textList());

        doc.reset(read(snippet("a\\page b\\par c"), nullptr));
        QCOMPARE(blockOf(*doc, "b").blockFormat().pageBreakPolicy(),
                 QTextFormat::PageBreak_AlwaysBefore);
        QCOMPARE(blockOf(*doc, "c").blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_Auto);

        doc.reset(read(snippet("\\pard\\qc first\\par x\\trowd\\cellx1000\\intbl y\\cell\\row"
                               "\\pard\\qr after\\par tail"),
                       nullptr));
        QCOMPARE(alignment(*doc, "x"), Qt::AlignLeft);
        QCOMPARE(alignment(*doc, "y"), Qt::AlignHCenter);
        QCOMPARE(alignment(*doc, "tail"), Qt::AlignRight);
        doc.reset(read(snippet("\\pard\\qc\\trowd\\cellx1000\\intbl y\\par inside"), nullptr));
        QCOMPARE(alignment(*doc, "y"), Qt::AlignHCenter);
        QCOMPARE(alignment(*doc, "inside"), Qt::AlignLeft);
    }

    // More character formats than the reader keeps at hand, each used twice: every run has its own.
    void manyCharacterFormats()
    {
        QByteArray body;
        for (int round = 0; round < 2; ++round) {
            for (int size = 20; size <= 44; size += 2)
                body += "\\fs" + QByteArray::number(size) + " s" + QByteArray::number(size) + ' ';
        }
        QScopedPointer<QTextDocument> doc(read(snippet(body), nullptr));
        int runs = 0;
        for (QTextBlock::iterator it = doc->begin().begin(); !it.atEnd(); ++it) {
            const QString text = it.fragment().text();
            for (const QString &run : text.split(u' ', Qt::SkipEmptyParts))
                QCOMPARE(it.fragment().charFormat().fontPointSize(), run.mid(1).toInt() / 2.0);
            ++runs;
        }
        QCOMPARE(runs, 26);
    }

    void deeperLevelThanTheList()
    {
        // Eight decimal levels, a ninth of bullets and a tenth in lower roman, past the nine
        // levels a list keeps. A paragraph deeper than the ninth takes the ninth.
        QByteArray levels;
        for (int i = 0; i < 8; ++i)
            levels += "{\\listlevel\\levelnfc0{\\leveltext \\'02\\'00.;}}";
        levels += "{\\listlevel\\levelnfc23{\\leveltext \\'01\\u8226 ?;}}";
        levels += "{\\listlevel\\levelnfc2{\\leveltext \\'02\\'09.;}}";
        QScopedPointer<QTextDocument> doc(
            read(snippet("{\\*\\listtable{\\list\\listid7" + levels +
                         "}}{\\*\\listoverridetable{\\listoverride\\listid7\\ls1}}"
                         "\\ls1\\ilvl8 ninth\\par\\ls1\\ilvl12 deeper\\par"),
                 nullptr));
        for (const char *text : {"ninth", "deeper"}) {
            const QTextList *list = blockOf(*doc, QLatin1String(text)).textList();
            QVERIFY2(list, text);
            QCOMPARE(list->format().style(), QTextListFormat::ListDisc);
        }
    }

    void tables()
    {
        const QByteArray rtf =
            snippet("before\\par\\trowd\\cellx1440\\cellx4320"
                    "\\pard\\intbl a\\cell b\\par c\\cell\\row"
                    "\\trowd\\cellx1440\\cellx4320\\pard\\intbl\\cell d\\cell\\row"
                    "\\pard after\\par");
        QScopedPointer<QTextDocument> doc(read(rtf, nullptr));
        QTextTable *table = firstTable(*doc);
        QVERIFY(table);
        QCOMPARE(table->rows(), 2);
        QCOMPARE(table->columns(), 2);
        QCOMPARE(cellText(table, 0, 0), "a");
        QCOMPARE(cellText(table, 0, 1), u"b\u2029c"_qs);
        QCOMPARE(cellText(table, 1, 0), "");
        QCOMPARE(cellText(table, 1, 1), "d");
        const QList<QTextLength> widths = table->format().columnWidthConstraints();
        QCOMPARE(widths.size(), 2);
        QCOMPARE(widths.at(1).rawValue(), twipsToPixels(2880));
        QCOMPARE(doc->firstBlock().text(), "before");
        QCOMPARE(doc->lastBlock().text(), "after");

        // A row with more cells than its definition grows the table.
        doc.reset(read(snippet("\\trowd\\cellx1000\\intbl a\\cell b\\cell\\row"), nullptr));
        QCOMPARE(firstTable(*doc)->columns(), 2);
    }

    void pictures()
    {
        QImage source(4, 3, QImage::Format_RGB32);
        source.fill(QColor(0, 0, 255));
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        source.save(&buffer, "JPEG");
        const QByteArray png = rtfSample("red.png");

        const QByteArray rtf =
            snippet("{\\pict\\pngblip\\picw8\\pich6\\picwgoal1440\\pichgoal720 " + hex(png) + "}" +
                    "{\\pict\\jpegblip\\picw4\\pich3 " + hex(jpeg) + "}" +
                    "{\\pict\\wmetafile8\\picw2540\\pich1270 0102030405}" +
                    "{\\pict\\pngblip\\bin" + QByteArray::number(png.size()) + " " + png + "}");
        QScopedPointer<QTextDocument> doc(read(rtf, nullptr));
        QList<QTextImageFormat> images;
        for (auto it = doc->firstBlock().begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            for (int i = 0; i < it.fragment().length(); ++i)
                images.append(format.toImageFormat());
        }
        QCOMPARE(images.size(), 4);
        const auto image = [&doc](const QTextImageFormat &format) {
            return qvariant_cast<QImage>(
                doc->resource(QTextDocument::ImageResource, QUrl(format.name())));
        };
        QCOMPARE(images[0].width(), twipsToPixels(1440));
        QCOMPARE(images[0].height(), twipsToPixels(720));
        QCOMPARE(image(images[0]).pixelColor(0, 0), QColor(255, 0, 0));
        QCOMPARE(images[0].property(rtf::PictData).toByteArray(), png);
        // without goal sizes a bitmap's \picw is in pixels
        QCOMPARE(images[1].width(), twipsToPixels(4 * 15));
        QCOMPARE(image(images[1]).size(), QSize(4, 3));
        // a metafile cannot be shown: a placeholder of its size (hundredths of a millimetre),
        // and its bytes are kept for writing
        QCOMPARE(images[2].width(), twipsToPixels(1440));
        QCOMPARE(images[2].height(), twipsToPixels(720));
        QVERIFY(!image(images[2]).isNull());
        QCOMPARE(images[2].property(rtf::PictKind).toByteArray(), "wmetafile8");
        QCOMPARE(images[2].property(rtf::PictData).toByteArray(),
                 QByteArray::fromHex("0102030405"));
        QCOMPARE(image(images[3]).pixelColor(0, 0), QColor(255, 0, 0));
        QCOMPARE(images[3].name(), images[0].name()); // the same picture is held once
    }

    void notRtf()
    {
        QTextDocument doc;
        doc.setPlainText("kept");
        QString error;
        QVERIFY(!readRtf("plain text", &doc, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(doc.toPlainText(), "kept");
        QVERIFY(!readRtf(QByteArray(), &doc));
        QVERIFY(isRtf("\xEF\xBB\xBF \r\n{\\rtf1}"));
    }

    void insertsAtCursor()
    {
        QTextDocument doc;
        doc.setPlainText("ABCD");
        QTextCursor cursor(&doc);
        cursor.setPosition(2);
        QVERIFY(insertRtf(snippet("{\\b x}y"), cursor));
        QCOMPARE(doc.toPlainText(), "ABxyCD");
        QCOMPARE(cursor.position(), 4);
        QCOMPARE(formatOf(doc, "x").fontWeight(), int(QFont::Bold));

        // A final paragraph mark is part of what is pasted.
        QVERIFY(insertRtf(snippet("p\\par q\\par"), cursor));
        QCOMPARE(paragraphs(doc), QStringList({"ABxyp", "q", "CD"}));
    }

    void truncatedFiles()
    {
        for (const QString &name :
             QStringList{"wordpad-western.rtf", "lo-sample.rtf", "pandoc-sample.rtf"}) {
            const QByteArray whole = rtfSample(name);
            const int step = whole.size() > 4000 ? 7 : 1;
            for (qsizetype length = 5; length < whole.size(); length += step) {
                QTextDocument doc;
                QVERIFY(readRtf(whole.left(length), &doc));
            }
        }
    }

    void hostileInput_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        const QByteArray open(100000, '{');
        const QByteArray close(100000, '}');
        QTest::newRow("deep nesting") << "{\\rtf1 a" + open + "x" + close + "b}";
        QTest::newRow("deep nesting, never closed") << "{\\rtf1 a" + open + "x";
        QTest::newRow("deep starred nesting") << "{\\rtf1 {\\*\\x" + open + close + "}";
        QTest::newRow("\\bin past the end")
            << QByteArray("{\\rtf1 a{\\pict\\pngblip\\bin999999999 abc}");
        QTest::newRow("\\bin negative") << QByteArray("{\\rtf1 a\\bin-5 b}");
        QTest::newRow("huge numbers")
            << QByteArray("{\\rtf1 \\fs99999999999999999999 \\li-99999999999 \\fi99999999999"
                          "\\u99999999999 x\\uc99999999 \\u65 abc\\cf4294967296 \\sl-2147483648 "
                          "\\tx99999999999\\cellx99999999999\\picscalex-5 \\expnd999999999 y}");
        QTest::newRow("invalid hex in a picture")
            << QByteArray("{\\rtf1 {\\pict\\pngblip zz12xq\\'zz}{\\pict\\pngblip 8}}");
        QTest::newRow("stray closing braces") << QByteArray("{\\rtf1 a}}}}b");
        QTest::newRow("control word at the end") << QByteArray("{\\rtf1 a\\");
        QTest::newRow("hex at the end") << QByteArray("{\\rtf1 a\\'4");
        QTest::newRow("long control word") << "{\\rtf1 \\" + QByteArray(100000, 'a') + "1 b}";
        QTest::newRow("cells without a table") << QByteArray("{\\rtf1 a\\cell b\\row\\nestcell c}");
        QTest::newRow("empty rows") << QByteArray("{\\rtf1 \\intbl\\row\\row\\row\\cell\\row}");
        QTest::newRow("lists without tables")
            << QByteArray("{\\rtf1 \\ls3\\ilvl99 a\\par{\\*\\pn\\pnlvlcont}b\\par}");
        QTest::newRow("list table out of place")
            << QByteArray("{\\rtf1 {\\listlevel\\levelnfc4{\\leveltext x}}{\\listoverride\\ls1}}");
        QTest::newRow("destination at the top") << QByteArray("{\\rtf1\\fonttbl\\pict a\\info b}");
        QTest::newRow("font table without entries")
            << QByteArray("{\\rtf1{\\fonttbl\\f1\\fcharset128 \\'82;\\f2}\\f1 \\'82\\'a0 x}");
        QByteArray claim("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        uchar size[8];
        qToBigEndian<quint32>(100000, size);
        qToBigEndian<quint32>(100000, size + 4);
        claim.append(reinterpret_cast<const char *>(size), 8);
        claim.append("\x08\x02\0\0\0", 5);
        QTest::newRow("picture claiming ten gigapixels")
            << "{\\rtf1 {\\pict\\pngblip " + claim.toHex() + "}}";
    }

    void hostileInput()
    {
        QFETCH(QByteArray, rtf);
        QTextDocument doc;
        QVERIFY(readRtf(rtf, &doc));
        QVERIFY(doc.characterCount() < 1000);
    }

    // Inputs where a few bytes ask for much document stay within bounds.
    void amplification()
    {
        const QByteArray wide = "{\\rtf1 " + wideRtfRow(5000, "x") + "\\pard after\\par}";
        QTextDocument doc;
        QVERIFY(readRtf(wide, &doc));
        // The row goes on in further rows of the table's width, its cells in order, so that it
        // lays out as a table of ordinary rows.
        const QTextTable *table = firstTable(doc);
        QCOMPARE(table->columns(), 64);
        QCOMPARE(table->rows(), 79);
        QCOMPARE(table->cellAt(0, 63).firstCursorPosition().block().text(), "x63");
        QCOMPARE(table->cellAt(1, 0).firstCursorPosition().block().text(), "x64");
        QCOMPARE(table->cellAt(78, 7).firstCursorPosition().block().text(), "x4999");
        QCOMPARE(doc.toRawText().count(u'x'), 5000);
        QCOMPARE(doc.lastBlock().text(), "after");

        QByteArray tall = "{\\rtf1 \\trowd";
        for (int i = 0; i < 64; ++i)
            tall += "\\cellx" + QByteArray::number(100 * (i + 1));
        for (int i = 0; i < 20000; ++i)
            tall += "\\intbl a\\cell\\row";
        tall += "}";
        QTextDocument tallDoc;
        QVERIFY(readRtf(tall, &tallDoc));
        QVERIFY(tallDoc.characterCount() < 300 * 1024);
        QCOMPARE(tallDoc.toRawText().count(u'a'), 20000);
    }
};

QTEST_MAIN(tst_rtfreader)
#include "tst_rtfreader.moc"
