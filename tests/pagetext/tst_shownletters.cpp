// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagetext/HtmlShownText.h"
#include "pagetext/RtfShownText.h"
#include "pagetext/ShownLetters.h"
#include "pagetext/StoredTextMatcher.h"

#include <QTest>

using namespace quillery;

namespace {

QByteArray shownText(ShownText &&reader, const QByteArray &page)
{
    QByteArray text;
    reader.read(page, text);
    reader.finish(text);
    return text;
}

bool showsLetter(const QByteArray &text, const QString &letter, bool matchCase)
{
    return StoredTextMatcher(letter, matchCase, StoredTextMatcher::Encodings::Utf8).contains(text);
}

bool rtfMayShow(const QString &letter, const QByteArray &page, bool matchCase = false)
{
    return RtfShownText().mayShow(page, ShownLetters(letter, matchCase));
}

bool htmlMayShow(const QString &letter, const QByteArray &page, bool matchCase = false)
{
    return HtmlShownText(page).mayShow(page, ShownLetters(letter, matchCase));
}

} // namespace

class tst_shownletters : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Each page shows ü, however it is written, and none is passed over; the same
    // pages without it are.
    void everyWayToWriteALetterIsSeen()
    {
        const QByteArray rtfPages[] = {
            "{\\rtf1\\ansi Z\\'fcrich}", "{\\rtf1\\ansi Z\\'FCrich}", "{\\rtf1\\ansi Z\\'dcRICH}",
            "{\\rtf1\\ansi Z\\u252?rich}", "{\\rtf1\\ansi Z\\u-65284?rich}",
            "{\\rtf1\\ansi Z\xfcrich}",
            // ü is 0x81 in the PC's code page and 0x9F in the Mac's.
            "{\\rtf1\\pc Z\\'81rich}", "{\\rtf1\\mac Z\\'9frich}",
            // Of two bytes in a Chinese code page, or in UTF-8, named in a font or the header.
            "{\\rtf1\\ansi{\\fonttbl{\\f1\\fcharset134 SimSun;}}\\f1 Z\\'a8\\'b9rich}",
            "{\\rtf1\\ansi\\ansicpg65001 Z\\'c3\\'bcrich}",
            // Data of \bin ending in a backslash, which would hide the escape after it from a
            // reading that did not skip the data.
            "{\\rtf1\\ansi Z\\bin1 \\\\'fcrich}",
            // A hex digit alone before an escape is text.
            "{\\rtf1\\ansi Z\\'f\\'fcrich}"};
        for (const QByteArray &page : rtfPages) {
            QVERIFY2(showsLetter(shownText(RtfShownText(), page), "ü", false), page.constData());
            QVERIFY2(rtfMayShow("ü", page), page.constData());
        }
        const QByteArray htmlPages[] = {
            "<p>Z&uuml;rich", "<p>Z&Uuml;RICH", "<p>Z&#252;rich", "<p>Z&#xFC;rich", "<p>Z&#xfc",
            "<p>Z\xc3\xbcrich", "<p>Z\xfcrich",
            // In a code page the page names.
            "<meta charset=\"windows-1252\">Z\xfcrich", "<meta charset=\"iso-8859-2\">Z\xfcrich"};
        for (const QByteArray &page : htmlPages) {
            QVERIFY2(showsLetter(shownText(HtmlShownText(page), page), "ü", false),
                     page.constData());
            QVERIFY2(htmlMayShow("ü", page), page.constData());
        }
        // A reference to 128 to 159 is a Windows-1252 character.
        QVERIFY(htmlMayShow("Š", "<p>&#138;"));
        QVERIFY(htmlMayShow("š", "<p>\x8a"));

        // Pages that cannot show ü.
        QVERIFY(!rtfMayShow("ü", "{\\rtf1\\ansi Zurich caf\\'e9 \\u233? \\uc1 \\'5c\\'fz}"));
        QVERIFY(!rtfMayShow("ü", "{\\rtf1\\ansi Z\\\\'fcrich}")); // an escaped backslash
        QVERIFY(!rtfMayShow("Ü", "{\\rtf1\\ansi Z\\'fcrich}", true));
        QVERIFY(!htmlMayShow("ü", "<p title=\"&eacute;\">Zurich &amp; caf\xc3\xa9 &#233; &uum;"));
        QVERIFY(!htmlMayShow("Ü", "<p>Z&uuml;rich", true));
        // In Windows-1251, 0xFC is no ü.
        QVERIFY(!htmlMayShow("ü", "<meta charset=\"windows-1251\">\xfc"));
    }

    // What a page writes in ASCII may show letters in an encoding that reads ASCII
    // otherwise, so such a page is never passed over.
    void letterThatAsciiMayWriteIsNotChecked()
    {
        const QByteArray symbol = "{\\rtf1{\\fonttbl{\\f0\\fcharset2 Symbol;}}\\f0 a}";
        QVERIFY(showsLetter(shownText(RtfShownText(), symbol), "α", false));
        QVERIFY(rtfMayShow("α", symbol));
        QByteArray utf16 = QByteArray("\xff\xfe", 2);
        utf16 += QByteArray(reinterpret_cast<const char *>(u"<b>Zürich</b>"), 26);
        QVERIFY(htmlMayShow("ü", utf16));
        // A text in ASCII, and one whose letters beyond ASCII are no letters, check nothing.
        QVERIFY(ShownLetters("Zurich", false).isEmpty());
        QVERIFY(ShownLetters("a\u2014b", false).isEmpty());
        QVERIFY(!ShownLetters("x\u2014Zürich", false).isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_shownletters)
#include "tst_shownletters.moc"
