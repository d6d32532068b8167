// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "pagetext/HtmlEncoding.h"
#include "pagetext/HtmlShownText.h"
#include "pagetext/RtfShownText.h"
#include "pagetext/StoredTextMatcher.h"
#include "rtf/RtfReader.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>

using namespace quillery;
using namespace quillery::test;

namespace {

// The shown text of the bytes, handed over in pieces of the given size, so that every
// state of the reader is also crossed by the seam between two pieces.
QByteArray shown(ShownText &&reader, const QByteArray &bytes, qsizetype piece)
{
    QByteArray text;
    for (qsizetype at = 0; at < bytes.size(); at += piece)
        reader.read(QByteArrayView(bytes).sliced(at, qMin(piece, bytes.size() - at)), text);
    reader.finish(text);
    return text;
}

QString rtfText(const QByteArray &rtf, qsizetype piece = 1 << 20)
{
    return QString::fromUtf8(shown(RtfShownText(), rtf, piece));
}

QString htmlText(const QByteArray &html, qsizetype piece = 1 << 20)
{
    return QString::fromUtf8(shown(HtmlShownText(html), html, piece));
}

// The one liberty the shown text takes with the document's plain text: a soft hyphen is
// not seen, so it is not searched. Paragraphs, cells and the edges of tables are each a
// line break, however many the document has in a row.
QString comparable(QString text)
{
    text.remove(QChar(0x00AD));
    text.replace(QRegularExpression("\n+"), "\n");
    while (text.startsWith(u'\n'))
        text.remove(0, 1);
    while (text.endsWith(u'\n'))
        text.chop(1);
    return text;
}

QString readerText(const QByteArray &rtf)
{
    QTextDocument doc;
    readRtf(rtf, &doc);
    return doc.toPlainText();
}

// Words of the text, including those with letters beyond ASCII.
QStringList wordsOf(const QString &text)
{
    QStringList words;
    for (const QString &word :
         text.split(QRegularExpression("\\W+", QRegularExpression::UseUnicodePropertiesOption),
                    Qt::SkipEmptyParts)) {
        if (!words.contains(word))
            words << word;
    }
    return words;
}

} // namespace

class tst_showntext : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Every RTF file of the corpus shows, read as a stream, the very text the RTF reader
    // puts into a document, and so every word of it is found exactly where searching the
    // document's text finds it; words the markup splits or escapes among them.
    void rtfCorpusShowsWhatTheReaderReads()
    {
        const QDir corpus(QUILLERY_TEST_DATA "/rtf");
        const QStringList files = corpus.entryList({"*.rtf"}, QDir::Files);
        QVERIFY(files.size() >= 10);
        int hiddenFromStoredSearch = 0;
        for (const QString &name : files) {
            const QByteArray rtf = readFile(corpus.filePath(name));
            const QString expected = comparable(readerText(rtf));
            QVERIFY2(!expected.isEmpty(), qPrintable(name));
            for (qsizetype piece : {qsizetype(1) << 20, qsizetype(7), qsizetype(1)}) {
                const QString got = comparable(rtfText(rtf, piece));
                if (got != expected) {
                    qWarning().noquote() << name << "pieces of" << piece << "\nshown:" << got
                                         << "\nreader:" << expected;
                }
                QVERIFY2(got == expected, qPrintable(name));
            }
            const QByteArray shownText = shown(RtfShownText(), rtf, 4096);
            const QByteArray documentText = readerText(rtf).toUtf8();
            for (const QString &word : wordsOf(expected)) {
                for (bool matchCase : {false, true}) {
                    const StoredTextMatcher matcher(word, matchCase,
                                                    StoredTextMatcher::Encodings::Utf8);
                    QVERIFY2(matcher.contains(shownText) == matcher.contains(documentText),
                             qPrintable(name + ": " + word));
                }
                if (!StoredTextMatcher(word, false).contains(rtf))
                    ++hiddenFromStoredSearch;
            }
        }
        // The corpus holds words that only the shown text finds.
        QVERIFY(hiddenFromStoredSearch > 20);
    }

    void rtfMarkupIsNotText()
    {
        // Escapes in the document's code page and in Unicode, with the \uc skip.
        QCOMPARE(rtfText("{\\rtf1\\ansi Z\\'fcrich, \\uc1\\u233?t\\u233?}"),
                 QString("Zürich, été"));
        QCOMPARE(rtfText("{\\rtf1\\ansi\\ansicpg1251 \\'c6\\'f3\\'ea}"), QString("Жук"));
        QCOMPARE(rtfText("{\\rtf1{\\fonttbl{\\f0\\fcharset204 Arial Cyr;}}\\f0 \\'c6}"),
                 QString("Ж"));
        QCOMPARE(rtfText("{\\rtf1\\uc2\\u1046\\'3f\\'3fa}"), QString("Жa"));
        // A character beyond 16 bits comes as its two halves.
        QCOMPARE(rtfText("{\\rtf1 \\u-10179?\\u-8704?!}"), QString::fromUtf8("\xF0\x9F\x98\x80!"));
        // Formatting inside a word does not split it; hidden text, fields' instructions,
        // tables of fonts, colours and styles, pictures and starred groups are not shown.
        QCOMPARE(rtfText("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}{\\stylesheet{Normal;}}"
                         "gar{\\b de}n{\\v secret}{\\*\\generator Writer;}"
                         "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}"
                         "{\\pict\\pngblip 89504e47}}"),
                 QString("gardenlink\uFFFC"));
        QCOMPARE(rtfText("{\\rtf1 one\\par two\\line three\\tab four\\~five\\-six\\_}"),
                 QString("one\ntwo\nthree\tfour fivesix\u2011"));
        QCOMPARE(rtfText("{\\rtf1 \\{braces\\} and \\\\}"), QString("{braces} and \\"));
        // \bin data is skipped whole, whatever bytes it holds.
        QCOMPARE(rtfText("{\\rtf1 a{\\pict\\bin4 }{\\}}b}"), QString("a\uFFFCb"));
        QCOMPARE(rtfText("{\\rtf1 a{\\*\\foo \\bin3 }}}b}c}"), QString("ac"));
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
        QCOMPARE(htmlText("r&eacute;sum&eacute r&#233;sum&#x00e9;"), QString("résumé résumé"));
        // Single spaces between words and runs of white space, wherever the pieces end.
        for (qsizetype piece : {1, 2, 3, 4, 1 << 20})
            QCOMPARE(htmlText(" one two  three \t four <p> five six ", piece),
                     QString("one two three four\nfive six"));
        QCOMPARE(htmlText("&#150; &#0; &#x110000;"), QString("\u2013 \uFFFD \uFFFD"));
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
        // A code page of one byte a character and one of several, cut anywhere.
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

    void htmlAgreesWithTheTextDocumentOnThePlainSample()
    {
        const QByteArray html = readFile(QUILLERY_TEST_DATA "/rtf/lo-sample.html");
        QTextDocument doc;
        doc.setHtml(QString::fromUtf8(html));
        QCOMPARE(comparable(htmlText(html, 5)).simplified(),
                 comparable(doc.toPlainText()).simplified());
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
