// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShownRtf.h"
#include "TestSupport.h"
#include "pagetext/HtmlEncoding.h"
#include "pagetext/HtmlShownText.h"

#include <QDir>
#include <QTest>

using namespace quillery;
using namespace quillery::test;

namespace {

QString rtfText(const QByteArray &rtf, qsizetype piece = 1 << 20)
{
    return QString::fromUtf8(shownRtf(rtf, piece));
}

QString htmlText(const QByteArray &html, qsizetype piece = 1 << 20)
{
    return QString::fromUtf8(shownInPieces(HtmlShownText(html), html, piece));
}

QByteArray rtfPage(const QByteArray &header, const QByteArray &body)
{
    return "{\\rtf1" + header + "{\\fonttbl{\\f0 Arial;}}\\f0 " + body + "}";
}

} // namespace

class tst_showntext : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Every RTF file of the corpus shows, read as a stream and however it is cut, the very
    // text the RTF reader puts into a document.
    void rtfCorpusShowsWhatTheReaderReads()
    {
        const QDir corpus(QUILLERY_TEST_DATA "/rtf");
        const QStringList files = corpus.entryList({"*.rtf"}, QDir::Files);
        QVERIFY(files.size() >= 10);
        for (const QString &name : files) {
            const QByteArray rtf = readFile(corpus.filePath(name));
            const QString expected = comparable(readerText(rtf));
            QVERIFY2(!expected.isEmpty(), qPrintable(name));
            for (qsizetype piece : {qsizetype(1) << 20, qsizetype(7), qsizetype(1)}) {
                const QString got = comparable(rtfText(rtf, piece));
                QVERIFY2(got == expected, qPrintable(name + "\nshown: " + got));
            }
        }
    }

    // Every byte an escape may give in code pages of one byte a character, raw bytes beyond
    // ASCII, \uN alone or as the halves of a pair, the Symbol font and a double-byte code
    // page show as the reader reads them, wherever they fall in a run of text (on each side
    // of every 16-byte block edge) and however the page is cut.
    void rtfCharactersShowAsTheReaderReadsThem()
    {
        QList<QByteArray> pages;
        for (const char *header : {"\\ansi\\ansicpg1252", "\\ansi\\ansicpg1251", "\\mac"}) {
            QByteArray body;
            for (int b = 1; b < 256; ++b)
                if (b != '\r' && b != '\n')
                    body += "x\\'" + QByteArray::number(b, 16).rightJustified(2, '0');
            pages << rtfPage(header, body);
        }
        for (const QByteArray &piece : {QByteArray("Z\\'fcrich \\'a0\\'ad\\'0d\\'e9\\\\\\{\\}"),
                                        QByteArray("Z\xfcrich \xe9t\xe9\r\n\xa0")})
            for (int before = 0; before < 40; ++before)
                pages << rtfPage("\\ansi\\ansicpg1252",
                                 QByteArray(before, 'a') + piece + QByteArray(40 - before, 'b'));
        for (const char *body : {
                 "\\u-3?x",                          // 65533
                 "a\\u8232?b\\u8233?c",              // line and paragraph separators
                 "soft\\u173?ly non\\u160?breaking", // soft hyphen, no-break space
                 "\\u55357?\\u56832? smile",         // a pair
                 "\\u55357?alone",                   // a half with no other half
                 "\\u56832?low",                     // the other half alone
                 "\\uc2\\u252??? two skipped", "{\\v hidden\\u252?}shown\\u233?",
                 "\\u65020?\\u64976?\\u65532?", // characters that pose as structure
                 "\\'e9\\u233?\\'e9",
                 "\\u55357?\\u252?after", // a half, then a character that is no half
                 "nul\\'00\\u0?here",     // NUL is no text
             })
            pages << rtfPage("\\ansi\\ansicpg1252", body);
        const QByteArray symbol = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}"
                                  "\\f0 abc {\\f1 abg\\'61\\'e5 lmnopqrstuvwxyz} abc}";
        const QByteArray japanese =
            rtfPage("\\ansi\\ansicpg932", "\\'93\\'fa\\'96\\'7b abc \\'82\\'a0");
        pages << symbol << japanese << rtfPage("\\ansi\\ansicpg932", "nul\\'00\\u0?here");
        for (const QByteArray &page : pages) {
            const QString text = rtfText(page);
            QCOMPARE(comparable(text), comparable(readerText(page)));
            QCOMPARE(rtfText(page, 1), text);
        }
        // Spelled out, for what the reader and this reader might both get wrong.
        QCOMPARE(rtfText(symbol).left(8), QString("abc αβγα"));
        QCOMPARE(rtfText(japanese), QString("日本 abc あ"));
        QCOMPARE(readerText(rtfPage("\\ansi", "a\\'00b\\u0?c")), QString("abc"));
    }

    void rtfMarkupIsNotText()
    {
        // Formatting inside a word does not split it; hidden text, fields' instructions,
        // tables of fonts, colours and styles, pictures and starred groups are not shown.
        QCOMPARE(rtfText("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}{\\stylesheet{Normal;}}"
                         "gar{\\b de}n{\\v secret}{\\*\\generator Writer;}"
                         "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}"
                         "{\\pict\\pngblip 89504e47}}"),
                 QString("gardenlink\uFFFC"));
        // \bin data is skipped whole, whatever bytes it holds.
        QCOMPARE(rtfText("{\\rtf1 a{\\pict\\bin4 }{\\}}b}"), QString("a\uFFFCb"));
        QCOMPARE(rtfText("{\\rtf1 a{\\*\\foo \\bin3 }}}b}c}"), QString("ac"));
        // \v0 ends hidden text within its group.
        QCOMPARE(rtfText("{\\rtf1 a{\\v secret\\v0 b}c}"), QString("abc"));
        // After the document's group nothing more is text.
        QCOMPARE(rtfText("{\\rtf1 in}out"), QString("in"));
    }

    void rtfEndsCleanlyWhereverItIsCut()
    {
        QCOMPARE(rtfText("{\\rtf1 caf\\'e"), QString("cafe"));
        QCOMPARE(rtfText("{\\rtf1 caf\\'"), QString("caf"));
        QCOMPARE(rtfText("{\\rtf1 a\\u"), QString("a"));
        QCOMPARE(rtfText("{\\rtf1 a\\par-b"), QString("a\n-b"));
        QCOMPARE(rtfText("{\\rtf1 a\\par-"), QString("a\n-"));
        QCOMPARE(rtfText("{\\rtf1 a\\u-"), QString("a-"));
        QCOMPARE(rtfText("{\\rtf1 a\\bin99 xyz"), QString("a"));
    }

    void hostileRtfCostsNothingMuch()
    {
        // Nesting beyond any real document, a \bin of two gigabytes, a \u beyond Unicode.
        QByteArray deep = "{\\rtf1 a";
        deep += QByteArray(200000, '{') + "x" + QByteArray(200000, '}');
        deep += "b\\u-99999999?c\\bin2147483647 ";
        const QString text = rtfText(deep, 4096);
        QCOMPARE(text, QString("ab\uFFFDc"));
        QCOMPARE(comparable(text), comparable(readerText(deep)));
    }

    void htmlShowsItsText()
    {
        QCOMPARE(
            htmlText(
                "<html><head><title>Title</title><style>p{color:red}</style>"
                "<script>var x = '<p>no</p>';</script></head>"
                "<body><p class=\"garden\">gar<b>de</b>n</p><!-- a <p>comment</p> -->"
                "<p title='a > b'>Caf&eacute; &amp; na&iuml;ve &#233;&#xE9;</p></body></html>"),
            QString("garden\nCafé & naïve éé\n"));
        // White space collapses outside pre and breaks nothing; blocks and br do.
        QCOMPARE(htmlText("  São\n   Paulo <br> x&nbsp;&nbsp;y<pre> a\n  b</pre>c"),
                 QString("São Paulo\nx  y\n a\n  b\nc"));
        // Tag names are read in any case.
        QCOMPARE(htmlText("a<TABLE>b</TABLE>c<SCRIPT>no</SCRIPT>"), QString("a\nb\nc"));
        // What is not a tag or a reference stays as it is written.
        QCOMPARE(htmlText("a < b && c &unknown; &#; AT&T <3"),
                 QString("a < b && c &unknown; &#; AT&T <3"));
        // Single spaces between words and runs of white space, wherever the pieces end and
        // wherever the run falls in a 16-byte block.
        for (qsizetype piece : {1, 2, 3, 4, 1 << 20})
            QCOMPARE(htmlText(" one two  three \t four <p> five six ", piece),
                     QString("one two three four\nfive six"));
        for (int before = 0; before < 40; ++before) {
            const QByteArray a(before, 'a');
            QCOMPARE(htmlText("<p>" + a + "   b c  d" + QByteArray(20, 'e') + " </p>"),
                     QString::fromLatin1((a + " b c d" + QByteArray(20, 'e')).trimmed() + '\n'));
        }
        QCOMPARE(htmlText("<p>a\xc2\xa0\xc2\xa0 b</p>"), QString("a   b\n"));
        QCOMPARE(htmlText("&#150; &#0; &#x110000;"), QString("\u2013 \uFFFD \uFFFD"));
        QCOMPARE(htmlText("&#X263A; &#x263a;"), QString("\u263A \u263A"));
        QCOMPARE(htmlText("so&shy;ft <img src=x.png alt=no> picture"),
                 QString("soft \uFFFC picture"));
    }

    void htmlEncodings()
    {
        // Windows-1252 bytes in a page that is not UTF-8, and a meta element naming
        // another code page.
        QCOMPARE(htmlText("<p>na\xefve caf\xe9 \x93quoted\x94</p>"),
                 QString("naïve café “quoted”\n"));
        QCOMPARE(htmlText("<p>na\xc3\xafve</p>", 8), QString("naïve\n"));
        // Code pages of one byte a character and one of several, cut anywhere, each page
        // read in the encoding it declares whatever pages came before it.
        for (qsizetype piece : {1, 2, 3, 1 << 20}) {
            QCOMPARE(htmlText("<meta charset=\"windows-1251\"><p>\xc6\xf3\xea \xa0x</p>", piece),
                     QString("Жук  x\n"));
            QCOMPARE(htmlText("<meta charset=\"shift_jis\"><p>\x93\xfa\x96\x7b</p>", piece),
                     QString("日本\n"));
        }
        const QByteArray utf16 = QByteArray("\xff\xfe", 2) +
                                 QByteArray(reinterpret_cast<const char *>(u"<b>Zürich</b>"), 26);
        QCOMPARE(htmlText(utf16), QString("Zürich"));
        // A sequence cut by the seam of two pieces waits for its end.
        for (qsizetype piece = 1; piece <= 5; ++piece)
            QCOMPARE(htmlText("<i>\xe6\x97\xa5\xe6\x9c\xac</i>&eacute;\xf0\x9f\x98\x80", piece),
                     QString::fromUtf8("日本é\xF0\x9F\x98\x80"));

        // The viewer hands the browser a page that names no encoding read the same way, and
        // leaves alone one that names its own.
        QCOMPARE(undeclaredHtmlAsUtf8("<p>caf\xc3\xa9 na\xefve \xe6\x97\xa5\xe6\x97</p>"),
                 QByteArray("<p>caf\xc3\xa9 na\xc3\xafve \xe6\x97\xa5\xc3\xa6\xe2\x80\x94</p>"));
        QCOMPARE(undeclaredHtmlAsUtf8("<meta charset=utf-8><p>\xe9</p>"),
                 QByteArray("<meta charset=utf-8><p>\xc3\xa9</p>"));
        QCOMPARE(undeclaredHtmlAsUtf8("<meta charset=\"windows-1251\"><p>\xc6</p>"), std::nullopt);
        QCOMPARE(undeclaredHtmlAsUtf8(utf16), std::nullopt);
    }

    void hostileHtmlEndsAnywhere()
    {
        QCOMPARE(htmlText("a<!-- never closed <p>b"), QString("a"));
        QCOMPARE(htmlText("a<script>never closed"), QString("a"));
        QCOMPARE(htmlText("a<p title=\"never closed>b"), QString("a"));
        QCOMPARE(htmlText("a&" + QByteArray(100000, 'x')), "a&" + QString(100000, 'x'));
        QCOMPARE(htmlText("a<"), QString("a<"));
        QCOMPARE(htmlText("a&eacute"), QString("aé"));
    }
};

QTEST_MAIN(tst_showntext)
#include "tst_showntext.moc"
