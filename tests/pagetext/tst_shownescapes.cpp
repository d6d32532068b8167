// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "pagetext/ByteScan.h"
#include "pagetext/HtmlShownText.h"
#include "pagetext/RtfShownText.h"
#include "rtf/RtfReader.h"

#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>

#include <random>

using namespace quillery;

namespace {

QString rtfText(const QByteArray &rtf, qsizetype piece = 1 << 20)
{
    RtfShownText reader;
    QByteArray text;
    for (qsizetype at = 0; at < rtf.size(); at += piece)
        reader.read(QByteArrayView(rtf).sliced(at, qMin(piece, rtf.size() - at)), text);
    reader.finish(text);
    return QString::fromUtf8(text);
}

QString htmlText(const QByteArray &html)
{
    HtmlShownText reader(html);
    QByteArray text;
    reader.read(html, text);
    reader.finish(text);
    return QString::fromUtf8(text);
}

// The document's text as the shown text has it: in UTF-8, which has a question mark for
// half a pair, without soft hyphens, which are not seen, and with each run of paragraph
// ends one line break.
QString readerText(const QByteArray &rtf)
{
    QTextDocument doc;
    readRtf(rtf, &doc);
    QString text = doc.toPlainText();
    text.remove(QChar(0x00AD));
    text.replace(QRegularExpression("\n+"), "\n");
    return QString::fromUtf8(text.toUtf8());
}

QByteArray rtfPage(const QByteArray &header, const QByteArray &body)
{
    return "{\\rtf1" + header + "{\\fonttbl{\\f0 Arial;}}\\f0 " + body + "}";
}

// Text of plain letters with the given piece put at every place in turn, so that it
// falls on each side of every 16-byte block edge.
QList<QByteArray> placed(const QByteArray &piece)
{
    QList<QByteArray> bodies;
    for (int before = 0; before < 40; ++before)
        bodies << QByteArray(before, 'a') + piece + QByteArray(40 - before, 'b');
    return bodies;
}

// The first byte that is a stop or beyond ASCII, looked for one byte at a time.
const char *slowStop(const char *p, const char *end, std::string_view stops, bool nonAscii)
{
    while (p < end && !(nonAscii && uchar(*p) >= 0x80) && stops.find(*p) == stops.npos)
        ++p;
    return p;
}

const char *slowPair(const char *p, const char *end, char c)
{
    for (; end - p >= 2; ++p) {
        if (p[0] == c && p[1] == c)
            return p;
    }
    return end;
}

} // namespace

class tst_shownescapes : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Every byte an escape may give, in code pages of one byte a character, shows as the
    // reader reads it, wherever it falls in a run of text.
    void hexEscapesShowAsTheReaderReadsThem()
    {
        for (const QByteArray &header : {QByteArray("\\ansi\\ansicpg1252"),
                                         QByteArray("\\ansi\\ansicpg1251"), QByteArray("\\mac")}) {
            QByteArray body;
            for (int b = 1; b < 256; ++b) {
                if (b != '\r' && b != '\n')
                    body += "x\\'" + QByteArray::number(b, 16).rightJustified(2, '0');
            }
            const QByteArray page = rtfPage(header, body);
            QCOMPARE(rtfText(page), readerText(page));
        }
        for (const QByteArray &body : placed("Z\\'fcrich \\'a0\\'ad\\'0d\\'e9\\\\\\{\\}")) {
            const QByteArray page = rtfPage("\\ansi\\ansicpg1252", body);
            QCOMPARE(rtfText(page), readerText(page));
            QCOMPARE(rtfText(page, 7), rtfText(page));
        }
        // Spelled out, for what the reader and this reader might both get wrong.
        QCOMPARE(rtfText(rtfPage("\\ansi", "Z\\'fcrich \\'a0caf\\'e9 soft\\'adly\\'0dnext")),
                 QString::fromUtf8("Z\u00fcrich  caf\u00e9 softly\nnext"));
        QCOMPARE(rtfText(rtfPage("\\ansi\\ansicpg1251", "\\'cc\\'ee\\'f1\\'ea\\'e2\\'e0 plain")),
                 QString::fromUtf8("\u041c\u043e\u0441\u043a\u0432\u0430 plain"));
    }

    // The Symbol font's letters are Greek, written or escaped.
    void symbolFont()
    {
        const QByteArray page = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}"
                                "\\f0 abc {\\f1 abg\\'61\\'e5 lmnopqrstuvwxyz} abc}";
        QCOMPARE(rtfText(page), readerText(page));
        QVERIFY(rtfText(page).startsWith(QString::fromUtf8("abc \u03b1\u03b2\u03b3\u03b1")));
    }

    // Raw bytes beyond ASCII in the markup are characters of the document's code page.
    void rawBytesBeyondAscii()
    {
        for (const QByteArray &body : placed("Z\xfcrich \xe9t\xe9\r\n\xa0")) {
            const QByteArray page = rtfPage("\\ansi\\ansicpg1252", body);
            QCOMPARE(rtfText(page), readerText(page));
        }
        QCOMPARE(rtfText(rtfPage("\\ansi", "na\xefve")), QString::fromUtf8("na\u00efve"));
    }

    // \uN, alone or as the halves of a pair, and the characters the text shows otherwise.
    void unicodeEscapes()
    {
        const QByteArray cases[] = {
            "Z\\u252?rich",
            "\\u-3?x",                          // 65533
            "a\\u8232?b\\u8233?c",              // line and paragraph separators
            "soft\\u173?ly non\\u160?breaking", // soft hyphen, no-break space
            "\\u55357?\\u56832? smile",         // a pair
            "\\u55357?alone",                   // a half with no other half
            "\\u56832?low",                     // the other half alone
            "\\uc2\\u252??? two skipped",
            "{\\v hidden\\u252?}shown\\u233?",
            "\\u65020?\\u64976?\\u65532?", // characters that pose as structure
            "\\'e9\\u233?\\'e9",
            "\\u55357?\\u252?after", // a half, then a character that is no half
        };
        for (const QByteArray &body : cases) {
            const QByteArray page = rtfPage("\\ansi\\ansicpg1252", body);
            QCOMPARE(rtfText(page), readerText(page));
            QCOMPARE(rtfText(page, 1), rtfText(page));
        }
        QCOMPARE(rtfText(rtfPage("\\ansi", "Z\\u252?rich \\u55357?\\u56832? na\\u239?ve")),
                 QString::fromUtf8("Z\u00fcrich \U0001F600 na\u00efve"));
    }

    // Text in a double-byte code page still waits for both bytes of a character.
    void doubleByteCodePage()
    {
        const QByteArray page =
            rtfPage("\\ansi\\ansicpg932", "\\'93\\'fa\\'96\\'7b abc \\'82\\'a0");
        QCOMPARE(rtfText(page), readerText(page));
        QCOMPARE(rtfText(page, 1), rtfText(page));
        QCOMPARE(rtfText(page), QString::fromUtf8("\u65e5\u672c abc \u3042"));
    }

    // The fast scans agree with a byte-at-a-time look at random bytes, wherever they stop.
    void scansAgreeWithTheSlowLook()
    {
        std::mt19937 random(7);
        const std::string_view stops("\\{}\r\n\0", 6);
        for (int round = 0; round < 2000; ++round) {
            QByteArray bytes(int(random() % 70), 'a');
            for (char &c : bytes) {
                const unsigned pick = random() % 24;
                c = pick == 0 ? char(random() % 256) : pick < 4 ? ' ' : char('a' + pick);
            }
            const char *begin = bytes.constData(), *end = begin + bytes.size();
            for (const char *p = begin; p <= end; p += 1 + random() % 5) {
                QCOMPARE((findStop<false, '\\', '{', '}', '\r', '\n', '\0'>(p, end) - begin),
                         slowStop(p, end, stops, false) - begin);
                QCOMPARE(findStop<true>(p, end) - begin, slowStop(p, end, {}, true) - begin);
                QCOMPARE((findStop<true, '\r'>(p, end) - begin),
                         slowStop(p, end, "\r", true) - begin);
                QCOMPARE(findPair(p, end, ' ') - begin, slowPair(p, end, ' ') - begin);
            }
        }
    }

    // Each page is read in the encoding it declares, however many pages came before it.
    void htmlPagesInTurn()
    {
        const QByteArray western = "<meta charset=\"windows-1252\"><p>Z\xfcrich na\xefve</p>";
        const QByteArray japanese = "<meta charset=\"shift_jis\"><p>\x93\xfa\x96\x7b</p>";
        const QByteArray cyrillic =
            "<meta charset=\"windows-1251\"><p>\xcc\xee\xf1\xea\xe2\xe0</p>";
        for (int round = 0; round < 2; ++round) {
            QCOMPARE(htmlText(western), QString::fromUtf8("Z\u00fcrich na\u00efve\n"));
            QCOMPARE(htmlText(japanese), QString::fromUtf8("\u65e5\u672c\n"));
            QCOMPARE(htmlText(cyrillic),
                     QString::fromUtf8("\u041c\u043e\u0441\u043a\u0432\u0430\n"));
        }
    }

    // Runs of spaces in HTML are one space, wherever they fall in a long run of words.
    void htmlSpacesCollapse()
    {
        for (int before = 0; before < 40; ++before) {
            const QByteArray words = QByteArray(before, 'a') + "   b c  d" + QByteArray(20, 'e');
            const QByteArray shown = QByteArray(before, 'a') + " b c d" + QByteArray(20, 'e');
            QCOMPARE(htmlText("<p>" + words + " </p>"),
                     QString::fromLatin1(shown.trimmed() + '\n'));
        }
        QCOMPARE(htmlText("<p>a\xc2\xa0\xc2\xa0 b</p>"), QStringLiteral("a   b\n"));
    }
};

QTEST_MAIN(tst_shownescapes)
#include "tst_shownescapes.moc"
