// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TextDocumentSupport.h"

#include "platform/Twips.h"
#include "rtf/RtfFormat.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"

#include <QBuffer>
#include <QDeadlineTimer>
#include <QImage>
#include <QRegularExpression>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextList>
#include <QTextTable>

#include <memory>

using namespace quillery;
using namespace quillery::test;

namespace {

std::unique_ptr<QTextDocument> roundTrip(const QTextDocument &doc)
{
    auto copy = std::make_unique<QTextDocument>();
    if (!readRtf(writeRtf(doc), copy.get()))
        qWarning("our own RTF was not read");
    return copy;
}

// Checks that every property the expected format sets comes back with the same value.
bool sameProperties(const QTextFormat &expected, const QTextFormat &actual)
{
    const QMap<int, QVariant> properties = expected.properties();
    for (auto it = properties.cbegin(); it != properties.cend(); ++it) {
        if (it.key() == QTextFormat::ObjectIndex || it.key() == QTextFormat::ImageName)
            continue; // the list or picture object of each document
        const QVariant value = actual.property(it.key());
        bool same = false;
        if (it.value().typeId() == QMetaType::Double)
            same = qAbs(value.toDouble() - it.value().toDouble()) < 0.01;
        else if (it.value().typeId() == QMetaType::QBrush)
            same =
                qvariant_cast<QBrush>(value).color() == qvariant_cast<QBrush>(it.value()).color();
        else
            same = value == it.value();
        if (!same) {
            qWarning() << "property" << Qt::hex << it.key() << "expected" << it.value() << "got"
                       << value;
            return false;
        }
    }
    return true;
}

// Every font the text uses (\fN) is in the font table.
bool fontsDeclared(const QByteArray &rtf)
{
    const QString text = QString::fromLatin1(rtf);
    const qsizetype tableEnd = text.indexOf(QLatin1String("}}"));
    static const QRegularExpression entry(QStringLiteral(R"(\{\\f\d)"));
    static const QRegularExpression use(QStringLiteral(R"(\\f(\d+))"));
    const int declared = int(text.left(tableEnd).count(entry));
    for (auto it = use.globalMatch(text); it.hasNext();) {
        if (it.next().captured(1).toInt() >= declared)
            return false;
    }
    return declared > 0;
}

QImage imageOf(const QTextDocument &doc, const QTextImageFormat &format)
{
    return qvariant_cast<QImage>(doc.resource(QTextDocument::ImageResource, QUrl(format.name())));
}

QTextImageFormat imageAt(const QTextDocument &doc, int position)
{
    QTextCursor cursor(const_cast<QTextDocument *>(&doc));
    cursor.setPosition(position + 1);
    return cursor.charFormat().toImageFormat();
}

const QString Scripts = u"Western: Café naïve €‚ Œ™; Central: Zażółć gęślą jaźń; Cyrillic: Съешь; "
                        u"Greek: Ξεσκεπάζω; CJK: 日本語 中文 한국어; Emoji: 😀🎉; Arabic: مرحبا; "
                        u"Marks: \\ { } ; \t nbsp\u00A0soft\u00ADhy\u2011phen line\u2028break"_qs;

} // namespace

class tst_rtfwriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void characterFormats_data()
    {
        // What the samples below do not hold already.
        QTest::addColumn<QTextCharFormat>("format");
        const auto add = [](const char *name, auto set) {
            QTextCharFormat format;
            set(format);
            QTest::newRow(name) << format;
        };
        add("wavy underline",
            [](QTextCharFormat &f) { f.setUnderlineStyle(QTextCharFormat::WaveUnderline); });
        add("font with odd characters",
            [](QTextCharFormat &f) { f.setFontFamilies(QStringList{u"Σ; {x}\\ 明朝"_qs}); });
        add("size", [](QTextCharFormat &f) { f.setFontPointSize(17.5); });
        add("colour", [](QTextCharFormat &f) { f.setForeground(QColor(12, 34, 56)); });
        add("small capitals",
            [](QTextCharFormat &f) { f.setFontCapitalization(QFont::SmallCaps); });
        add("letter spacing", [](QTextCharFormat &f) {
            f.setFontLetterSpacingType(QFont::AbsoluteSpacing);
            f.setFontLetterSpacing(twipsToPixels(30));
        });
        add("link", [](QTextCharFormat &f) {
            f.setAnchor(true);
            f.setAnchorHref(u"http://example.com/a?b=\"c\"&d=ü"_qs.replace(u'"', "%22"));
        });
    }

    // Each attribute survives writing and reading, and ends where it ended.
    void characterFormats()
    {
        QFETCH(QTextCharFormat, format);
        QTextDocument doc;
        QTextCursor cursor(&doc);
        cursor.insertText("before ");
        cursor.insertText("sample", format);
        cursor.insertText(" after");
        const auto copy = roundTrip(doc);
        QCOMPARE(copy->toRawText(), "before sample after");
        QVERIFY(sameProperties(format, formatOf(*copy, "sample")));
        QVERIFY(sameProperties(formatOf(doc, "after"), formatOf(*copy, "after")));
        QVERIFY(sameProperties(formatOf(doc, "before"), formatOf(*copy, "before")));
    }

    void paragraphFormats_data()
    {
        // What the samples below do not hold already.
        QTest::addColumn<QTextBlockFormat>("format");
        const auto add = [](const char *name, auto set) {
            QTextBlockFormat format;
            set(format);
            QTest::newRow(name) << format;
        };
        add("justified", [](QTextBlockFormat &f) { f.setAlignment(Qt::AlignJustify); });
        add("first line indent", [](QTextBlockFormat &f) { f.setTextIndent(twipsToPixels(720)); });
        add("exact lines", [](QTextBlockFormat &f) {
            f.setLineHeight(twipsToPixels(300), QTextBlockFormat::FixedHeight);
        });
        add("tabs", [](QTextBlockFormat &f) {
            f.setTabPositions(
                {QTextOption::Tab(twipsToPixels(1440), QTextOption::LeftTab),
                 QTextOption::Tab(twipsToPixels(2880), QTextOption::RightTab),
                 QTextOption::Tab(twipsToPixels(4320), QTextOption::CenterTab),
                 QTextOption::Tab(twipsToPixels(5760), QTextOption::DelimiterTab, u'.')});
        });
        add("page break",
            [](QTextBlockFormat &f) { f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore); });
        add("right to left", [](QTextBlockFormat &f) { f.setLayoutDirection(Qt::RightToLeft); });
        add("shading", [](QTextBlockFormat &f) { f.setBackground(QColor(200, 220, 240)); });
    }

    void paragraphFormats()
    {
        QFETCH(QTextBlockFormat, format);
        QTextDocument doc;
        QTextCursor cursor(&doc);
        cursor.insertText("first");
        cursor.insertBlock(format);
        cursor.insertText("sample");
        cursor.insertBlock(QTextBlockFormat());
        cursor.insertText("last");
        const auto copy = roundTrip(doc);
        QCOMPARE(paragraphs(*copy), QStringList({"first", "sample", "last"}));
        QTextBlockFormat expected = format;
        if (expected.hasProperty(QTextFormat::BlockAlignment))
            expected.setAlignment(format.alignment() & Qt::AlignHorizontal_Mask);
        QTextBlockFormat actual = blockOf(*copy, "sample").blockFormat();
        actual.setAlignment(actual.alignment() & Qt::AlignHorizontal_Mask);
        QVERIFY(sameProperties(expected, actual));
        QCOMPARE(blockOf(*copy, "last").blockFormat().leftMargin(), 0.0);
        QCOMPARE(blockOf(*copy, "last").blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignLeft);
    }

    // Text in any script, and the characters RTF gives a meaning, comes back unchanged, in RTF
    // that is plain 7-bit text.
    void scripts()
    {
        QTextDocument doc;
        QTextCursor(&doc).insertText(Scripts);
        const QByteArray rtf = writeRtf(doc);
        QVERIFY(std::all_of(rtf.cbegin(), rtf.cend(), [](char c) { return uchar(c) < 0x80; }));
        QVERIFY(rtf.contains("Caf\\'e9"));
        QVERIFY(rtf.contains("\\u1057?"));
        QVERIFY(rtf.contains("\\u-10179?\\u-8704?")); // 😀 as a surrogate pair
        QTextDocument copy;
        QVERIFY(readRtf(rtf, &copy));
        QCOMPARE(copy.toRawText(), Scripts);

        // Symbol fonts read bytes as glyph codes, so their text goes out as Unicode.
        QTextDocument symbols;
        QTextCursor cursor(&symbols);
        for (const char *font : {"Symbol", "Wingdings"}) {
            QTextCharFormat format;
            format.setFontFamilies(QStringList{QString::fromLatin1(font)});
            cursor.insertText(u"a•α\uF0A7 "_qs, format);
        }
        QVERIFY(readRtf(writeRtf(symbols), &copy));
        QCOMPARE(copy.toRawText(), symbols.toRawText());
    }

    void emptyParagraphsKeepTheirFormat()
    {
        QTextDocument doc;
        QTextCursor cursor(&doc);
        QTextCharFormat large;
        large.setFontPointSize(20);
        large.setFontFamilies(QStringList{"Arial"});
        cursor.setBlockCharFormat(large);
        cursor.insertBlock();
        cursor.insertText("x");
        cursor.insertBlock();
        auto copy = roundTrip(doc);
        QCOMPARE(paragraphs(*copy), QStringList({"", "x", ""}));
        QCOMPARE(copy->firstBlock().charFormat().fontPointSize(), 20.0);
        QCOMPARE(family(copy->firstBlock().charFormat()), "Arial");

        // An empty document stays one empty paragraph.
        QTextDocument empty;
        copy = roundTrip(empty);
        QCOMPARE(copy->blockCount(), 1);
        QVERIFY(copy->isEmpty());
    }

    void lists()
    {
        QTextDocument doc;
        QTextCursor cursor(&doc);
        const auto list = [&cursor](QTextListFormat::Style style, const QStringList &items,
                                    const QString &prefix = {}, const QString &suffix = {}) {
            QTextListFormat format;
            format.setStyle(style);
            if (!prefix.isEmpty())
                format.setNumberPrefix(prefix);
            if (!suffix.isEmpty())
                format.setNumberSuffix(suffix);
            cursor.insertBlock(QTextBlockFormat());
            cursor.insertText(items.first());
            QTextList *made = cursor.createList(format);
            for (const QString &item : items.mid(1)) {
                cursor.insertBlock();
                cursor.insertText(item);
            }
            return made;
        };
        cursor.insertText("start");
        list(QTextListFormat::ListDisc, {"d1", "d2", "d3"});
        cursor.insertBlock(QTextBlockFormat());
        cursor.insertText("between");
        list(QTextListFormat::ListLowerAlpha, {"a1", "a2"}, "(", ")");
        QTextCharFormat mark; // numbers are written in the paragraph mark's font
        mark.setFontFamilies(QStringList{"Georgia"});
        cursor.setBlockCharFormat(mark);
        cursor.insertBlock(QTextBlockFormat());
        list(QTextListFormat::ListUpperRoman, {"r1", "r2"}, "", ".");

        QVERIFY(fontsDeclared(writeRtf(doc)));
        const auto copy = roundTrip(doc);
        QCOMPARE(paragraphs(*copy), paragraphs(doc));
        for (const QString &item : QStringList{"d1", "d3", "a2", "r2"}) {
            const QTextList *expected = blockOf(doc, item).textList();
            const QTextList *actual = blockOf(*copy, item).textList();
            QVERIFY2(actual, qPrintable(item));
            QCOMPARE(actual->format().style(), expected->format().style());
            QCOMPARE(actual->count(), expected->count());
            QCOMPARE(actual->itemText(blockOf(*copy, item)),
                     expected->itemText(blockOf(doc, item)));
        }
        QVERIFY(!blockOf(*copy, "between").textList());
        QVERIFY(!blockOf(*copy, "start").textList());
    }

    void tables()
    {
        QTextDocument doc;
        QTextCursor cursor(&doc);
        cursor.insertText("before");
        QTextTableFormat format;
        format.setColumnWidthConstraints(
            {QTextLength(QTextLength::FixedLength, twipsToPixels(1440)),
             QTextLength(QTextLength::FixedLength, twipsToPixels(2880)),
             QTextLength(QTextLength::FixedLength, twipsToPixels(720))});
        QTextTable *table = cursor.insertTable(2, 3, format);
        table->cellAt(0, 0).firstCursorPosition().insertText("a1");
        QTextCursor cell = table->cellAt(0, 1).firstCursorPosition();
        cell.insertText("b1");
        cell.insertBlock();
        cell.insertText("b1 second", formatOf(doc, "a1"));
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        table->cellAt(1, 2).firstCursorPosition().insertText("c2", bold);
        cursor.setPosition(table->lastPosition() + 1);
        cursor.insertText("after");

        const auto copy = roundTrip(doc);
        QTextTable *read = firstTable(*copy);
        QVERIFY(read);
        QCOMPARE(read->rows(), 2);
        QCOMPARE(read->columns(), 3);
        QCOMPARE(paragraphs(*copy), paragraphs(doc));
        QCOMPARE(formatOf(*copy, "c2").fontWeight(), int(QFont::Bold));
        const QList<QTextLength> widths = read->format().columnWidthConstraints();
        QCOMPARE(widths.size(), 3);
        QCOMPARE(widths.at(1).rawValue(), twipsToPixels(2880));
    }

    void pictures()
    {
        QTextDocument doc;
        QImage green(5, 4, QImage::Format_RGB32);
        green.fill(QColor(0, 200, 0));
        doc.addResource(QTextDocument::ImageResource, QUrl("made-here.png"), green);
        QTextCursor cursor(&doc);
        cursor.insertText("a");
        QTextImageFormat made;
        made.setName("made-here.png");
        made.setWidth(twipsToPixels(1500));
        made.setHeight(twipsToPixels(1200));
        cursor.insertImage(made);

        // Pictures read from RTF go back with their own bytes: a JPEG stays a JPEG, a metafile
        // that cannot be shown is not lost.
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        green.save(&buffer, "JPEG");
        QTextDocument source;
        QVERIFY(readRtf("{\\rtf1 {\\pict\\jpegblip\\picw5\\pich4 " + jpeg.toHex() +
                            "}{\\pict\\emfblip\\picw100\\pich50\\picwgoal600\\pichgoal300 0a0b0c}}",
                        &source));
        QTextCursor from(&source);
        from.setPosition(0);
        from.setPosition(2, QTextCursor::KeepAnchor);
        cursor.insertFragment(from.selection());
        for (const QString &name : {imageAt(source, 0).name(), imageAt(source, 1).name()})
            doc.addResource(QTextDocument::ImageResource, QUrl(name),
                            source.resource(QTextDocument::ImageResource, QUrl(name)));

        const QByteArray rtf = writeRtf(doc);
        QVERIFY(rtf.contains("\\pict\\pngblip"));
        QVERIFY(rtf.contains("\\pict\\jpegblip"));
        QVERIFY(rtf.contains("\\pict\\emfblip"));
        QTextDocument copy;
        QVERIFY(readRtf(rtf, &copy));
        const QTextImageFormat png = imageAt(copy, 1);
        QCOMPARE(png.width(), twipsToPixels(1500));
        QCOMPARE(png.height(), twipsToPixels(1200));
        QCOMPARE(imageOf(copy, png).size(), QSize(5, 4));
        QCOMPARE(imageOf(copy, png).pixelColor(2, 2), QColor(0, 200, 0));
        QCOMPARE(imageAt(copy, 2).property(rtf::PictData).toByteArray(), jpeg);
        QCOMPARE(imageAt(copy, 3).property(rtf::PictKind).toByteArray(), "emfblip");
        QCOMPARE(imageAt(copy, 3).property(rtf::PictData).toByteArray(),
                 QByteArray("\x0a\x0b\x0c"));
        QCOMPARE(imageAt(copy, 3).width(), twipsToPixels(600));
    }

    // A selection is written alone; its last paragraph mark only when the selection holds it.
    void selection()
    {
        QTextDocument doc;
        doc.setPlainText("Hello\nWorld\nAgain");
        QTextDocument part;
        QVERIFY(readRtf(writeRtf(doc, 2, 8), &part));
        QCOMPARE(paragraphs(part), QStringList({"llo", "Wo"}));

        QTextDocument target;
        target.setPlainText("ABCD");
        QTextCursor cursor(&target);
        cursor.setPosition(2);
        QVERIFY(insertRtf(writeRtf(doc, 0, 5), cursor));
        QCOMPARE(target.toPlainText(), "ABHelloCD");
        QVERIFY(insertRtf(writeRtf(doc, 6, 12), cursor));
        QCOMPARE(paragraphs(target), QStringList({"ABHelloWorld", "CD"}));
    }

    // What the rich edit control writes and reads: a header with the code page, the default
    // font and the view kind, and a \par at the end of every paragraph.
    void richEditShape()
    {
        QTextDocument doc;
        doc.setPlainText("one\ntwo");
        const QByteArray rtf = writeRtf(doc);
        QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
        QVERIFY(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 "));
        QVERIFY(rtf.contains("\\viewkind4\\uc1"));
        QVERIFY(rtf.contains("one\\par\r\ntwo\\par\r\n}"));
        QCOMPARE(rtf.count('{'), rtf.count('}'));
    }

    // Every paragraph and run of the samples comes back from writing and reading with the
    // formats it was read with, and a second write is the first byte for byte.
    void samplesComeBackWhole()
    {
        for (const QString &name : QStringList{"lo-sample.rtf", "wordpad-western.rtf",
                                               "pandoc-sample.rtf", "quillery-sample.rtf"}) {
            QTextDocument first;
            QVERIFY(readRtf(rtfSample(name), &first));
            const QByteArray written = writeRtf(first);
            QVERIFY(fontsDeclared(written));
            QTextDocument second;
            QVERIFY(readRtf(written, &second));
            QCOMPARE(second.toRawText(), first.toRawText());
            QTextCursor cursor(&second);
            for (QTextBlock block = first.begin(); block.isValid(); block = block.next()) {
                cursor.setPosition(block.position());
                QVERIFY2(sameProperties(block.blockFormat(), cursor.blockFormat()),
                         qPrintable(name + ": " + block.text()));
                for (auto it = block.begin(); !it.atEnd(); ++it) {
                    cursor.setPosition(it.fragment().position() + 1);
                    QVERIFY2(sameProperties(it.fragment().charFormat(), cursor.charFormat()),
                             qPrintable(name + ": " + it.fragment().text()));
                }
            }
            QCOMPARE(writeRtf(second), written);
        }
    }

    // Written one paragraph or table at a time, as between the event loop's turns, the RTF is
    // byte for byte what one write makes.
    void writtenAPartAtATimeIsTheSame()
    {
        for (const char *name : {"lo-sample.rtf", "wordpad-western.rtf", "pandoc-sample.rtf"}) {
            QTextDocument doc;
            QVERIFY(readRtf(rtfSample(QLatin1String(name)), &doc));
            RtfWriteJob job(doc);
            int parts = 1;
            while (!job.writeUntil(QDeadlineTimer(0)) && parts <= doc.blockCount() * 2 + 2)
                ++parts;
            QVERIFY2(parts > 2, name);
            QVERIFY2(parts <= doc.blockCount() * 2 + 2, name); // each part gets somewhere
            QCOMPARE(job.take(), writeRtf(doc));
        }
    }
};

QTEST_MAIN(tst_rtfwriter)
#include "tst_rtfwriter.moc"
