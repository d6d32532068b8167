// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShownRtf.h"
#include "rtf/RtfTokenizer.h"

#include <QTest>

using namespace quillery;
using namespace quillery::rtf;

namespace {

// Writes down what the tokenizer hands over, one entry a token, runs of text joined.
class Recorder
{
public:
    QStringList tokens;
    qint64 binaryBytes = 0;
    int deepest = 0;
    Keyword refused = Keyword::Bin; // a word whose group is skipped (\bin never comes)

    void openGroup()
    {
        tokens << "{";
        deepest = std::max(deepest, int(++m_depth));
    }
    void closeGroup()
    {
        tokens << "}";
        --m_depth;
    }
    void skipGroup() { tokens << "skip"; }
    void text(QByteArrayView run, bool ascii)
    {
        QVERIFY(ascii ==
                std::all_of(run.begin(), run.end(), [](char c) { return uchar(c) < 0x80; }));
        if (!tokens.isEmpty() && tokens.last().startsWith("text:"))
            tokens.last() += QString::fromLatin1(run);
        else
            tokens << "text:" + QString::fromLatin1(run);
    }
    void escapedByte(char byte) { tokens << "byte:" + QString::number(uchar(byte), 16); }
    void unicode(char32_t c) { tokens << "u:" + QString::number(c); }
    bool word(Keyword keyword, bool hasParam, int param)
    {
        tokens
            << QString("word:%1%2").arg(int(keyword)).arg(hasParam ? QString::number(param) : "");
        return keyword != refused;
    }
    void binary(QByteArrayView data)
    {
        if (tokens.isEmpty() || tokens.last() != "bin")
            tokens << "bin";
        binaryBytes += data.size();
    }

private:
    qsizetype m_depth = 0;
};

// The tokens of the bytes, handed over in pieces of the given size.
Recorder tokens(const QByteArray &rtf, qsizetype piece = qsizetype(1) << 30,
                Keyword refused = Keyword::Bin)
{
    Recorder recorder;
    recorder.refused = refused;
    Tokenizer<Recorder> tokenizer(recorder);
    for (qsizetype at = 0; at < rtf.size(); at += piece) {
        const QByteArrayView part =
            QByteArrayView(rtf).sliced(at, std::min(piece, rtf.size() - at));
        tokenizer.feed(part.data(), part.data() + part.size());
    }
    tokenizer.finish();
    return recorder;
}

QString word(Keyword keyword, const QString &param = {})
{
    return QString("word:%1%2").arg(int(keyword)).arg(param);
}

} // namespace

class tst_rtftokenizer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The tokens of a page do not depend on where its pieces end.
    void tokensDoNotDependOnThePieces()
    {
        const QByteArray rtf = "junk{\\rtf1\\ansi caf\\'e9 {\\b bold\\b0}\\par\r\n\\u-4064?x "
                               "\\li-20 a\\'4z\\foo-bar{\\*\\unknown {x}}\\~\\-\\_\\\\\\{\\}\\|\\\n"
                               "{\\pict\\bin3 {}\\}end}after";
        const QStringList whole = tokens(rtf).tokens;
        QCOMPARE(whole, QStringList({"{",
                                     word(Keyword::Rtf, "1"),
                                     word(Keyword::Ansi),
                                     "text:caf",
                                     "byte:e9",
                                     "text: ",
                                     "{",
                                     word(Keyword::B),
                                     "text:bold",
                                     word(Keyword::B, "0"),
                                     "}",
                                     word(Keyword::Par),
                                     "u:61472",
                                     "text:x ",
                                     word(Keyword::Li, "-20"),
                                     "text:a4z",
                                     word(Keyword::Unknown),
                                     "text:-bar",
                                     "{",
                                     "skip",
                                     "}",
                                     "u:160",
                                     "u:173",
                                     "u:8209",
                                     "text:\\{}",
                                     word(Keyword::Par),
                                     "{",
                                     word(Keyword::Pict),
                                     "bin",
                                     "}",
                                     "text:end",
                                     "}"}));
        for (qsizetype piece : {1, 2, 3, 5})
            QCOMPARE(tokens(rtf, piece).tokens, whole);
    }

    // A \uN's fallback is skipped as far as its group goes and no further, whether the
    // input, the group or the fallback ends first; \uc counts for its group alone.
    void unicodeFallbackStaysInItsGroup()
    {
        QCOMPARE(tokens("{\\rtf1 a\\u233").tokens,
                 QStringList({"{", word(Keyword::Rtf, "1"), "text:a", "u:233"}));
        QCOMPARE(tokens("{\\rtf1 a\\u").tokens,
                 QStringList({"{", word(Keyword::Rtf, "1"), "text:a"}));
        QCOMPARE(tokens("{\\rtf1{\\uc9\\u233 ab}cd}").tokens,
                 QStringList({"{", word(Keyword::Rtf, "1"), "{", "u:233", "}", "text:cd", "}"}));
        // A group inside takes the count of the one around it.
        QCOMPARE(tokens("{\\uc0{\\u233 a}{\\uc2{\\u233 abc}}}").tokens,
                 QStringList({"{", "{", "u:233", "text:a", "}", "{", "{", "u:233", "text:c", "}",
                              "}", "}"}));
        // Each byte, escape, symbol, word and \bin is one character of the fallback.
        QCOMPARE(tokens("{\\uc5\\u233\\'e9\\par\\~\\bin1 xab}").tokens,
                 QStringList({"{", "u:233", "text:b", "}"}));
        // A count beyond any real fallback is cut to 16.
        QCOMPARE(tokens("{\\uc2147483647\\u233 " + QByteArray(20, 'x') + "}").tokens,
                 QStringList({"{", "u:233", "text:xxxx", "}"}));
        QCOMPARE(tokens("{\\u-99999999?\\u2147483647?}").tokens,
                 QStringList({"{", "u:65533", "u:65533", "}"}));
    }

    // Groups nested a hundred thousand deep cost no stack and keep no state for each level:
    // the deepest are skipped whole, and what follows them is read.
    void deepNestingIsSkipped()
    {
        const QByteArray deep =
            "{\\rtf1 a" + QByteArray(100000, '{') + "x" + QByteArray(100000, '}') + "b}";
        const Recorder recorder = tokens(deep, 4096);
        QCOMPARE(recorder.deepest, int(MaxDepth));
        QCOMPARE(recorder.tokens.count("skip"), 1);
        QCOMPARE(recorder.tokens.mid(recorder.tokens.size() - 2), QStringList({"text:b", "}"}));
        QCOMPARE(test::shownRtf(deep), QByteArray("ab"));
        QCOMPARE(test::readerText(deep), QString("ab"));
    }

    // \bin takes what data there is, however large the count, and nothing is read as
    // markup in it, in a group that is read or one that is skipped.
    void binaryDataIsTakenWhole()
    {
        for (const QByteArray count : {"2147483647", "99999999999999999999"}) {
            const Recorder recorder = tokens("{\\rtf1{\\pict\\bin" + count + " {\\}x", 7);
            QCOMPARE(recorder.binaryBytes, 4);
            QCOMPARE(recorder.tokens.mid(recorder.tokens.size() - 2),
                     QStringList({word(Keyword::Pict), "bin"}));
        }
        QCOMPARE(tokens("{{\\*\\x\\bin3 }}}}y}").tokens,
                 QStringList({"{", "{", "skip", "}", "text:y", "}"}));
        // A negative count is none.
        QCOMPARE(tokens("{{\\pict\\bin-3 {}}}").tokens,
                 QStringList({"{", "{", word(Keyword::Pict), "{", "}", "}", "}"}));
        const QByteArray cut = "{\\rtf1 a{\\pict\\bin2147483647 \\}b}";
        QCOMPARE(test::shownRtf(cut), QByteArray("a"));
        QCOMPARE(test::readerText(cut), QString("a"));
    }

    // A control word of any length is one word; past 32 letters it is no known word.
    void longWordIsOneUnknownWord()
    {
        const QByteArray letters(1000, 'b');
        for (qsizetype piece : {1, 7, 1 << 20}) {
            QCOMPARE(tokens("{\\" + letters + "12 x}", piece).tokens,
                     QStringList({"{", word(Keyword::Unknown, "12"), "text:x", "}"}));
        }
        // A known word's letters followed by more are not that word.
        QCOMPARE(tokens("{\\par" + letters + " x}").tokens,
                 QStringList({"{", word(Keyword::Unknown), "text:x", "}"}));
        QCOMPARE(test::shownRtf("{\\rtf1 a\\" + letters + " b}"), QByteArray("ab"));
    }

    // A group whose word the sink refuses, or whose starred word is not known, is skipped;
    // a starred destination is the sink's to read.
    void skippedGroupsEndWhereTheyClose()
    {
        QCOMPARE(tokens("{{\\pict a{b}c}d}", 1 << 20, Keyword::Pict).tokens,
                 QStringList({"{", "{", word(Keyword::Pict), "skip", "}", "text:d", "}"}));
        QCOMPARE(tokens("{{\\*\\fldinst a}}").tokens,
                 QStringList({"{", "{", word(Keyword::FldInst), "text:a", "}", "}"}));
        // What comes before the word is read, in a code page of one byte and of two.
        for (const QByteArray header : {"\\ansi", "\\ansicpg932"}) {
            const QByteArray rtf = "{\\rtf1" + header + " a{b\\*\\unknown c}{d\\'82\\*\\unknown}e}";
            QCOMPARE(test::readerText(rtf), QString::fromUtf8(test::shownRtf(rtf)));
            QVERIFY(test::readerText(rtf).startsWith("abd"));
        }
        // Nothing after the document's group is read.
        QCOMPARE(tokens("{a}b{c}").tokens, QStringList({"{", "text:a", "}"}));
    }
};

QTEST_MAIN(tst_rtftokenizer)
#include "tst_rtftokenizer.moc"
