// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "TestSupport.h"
#include "pagetext/PageSearch.h"
#include "pagetext/StoredTextMatcher.h"
#include "transfer/PageImport.h"

#include <QSet>
#include <QStringEncoder>
#include <QTest>

#include <random>

using namespace quillery;
using namespace quillery::test;

namespace {

bool has(const QString &text, bool matchCase, const QByteArray &bytes)
{
    return StoredTextMatcher(text, matchCase).contains(bytes);
}

// Every way the text may be stored, spelt out: each character in its cases (without
// match case), in UTF-8 and, where it has one, its Windows-1252 byte.
QList<QByteArray> spellings(const QString &text, bool matchCase, bool windows1252)
{
    QList<QByteArray> result{QByteArray()};
    for (char32_t c : text.toUcs4()) {
        QList<char32_t> cases{c};
        if (!matchCase)
            cases << QChar::toLower(c) << QChar::toUpper(c) << QChar::toTitleCase(c)
                  << QChar::toCaseFolded(c);
        QSet<QByteArray> forms;
        for (char32_t variant : cases) {
            const QString one = QString::fromUcs4(&variant, 1);
            forms << one.toUtf8();
            QStringEncoder encoder("windows-1252");
            const QByteArray byte = encoder.encode(one);
            if (windows1252 && variant >= 0x80 && !encoder.hasError() && byte.size() == 1)
                forms << byte;
        }
        QList<QByteArray> longer;
        for (const QByteArray &start : result)
            for (const QByteArray &form : forms)
                longer << start + form;
        result = longer;
    }
    return result;
}

bool containsSpelling(const QList<QByteArray> &forms, const QByteArray &bytes)
{
    return std::any_of(forms.begin(), forms.end(),
                       [&](const QByteArray &form) { return bytes.contains(form); });
}

} // namespace

class tst_pagesearch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // What the spellings below leave to chance: the characters beside both ends of the
    // alphabet do not fold, and a repeated start must not hide a match that begins inside
    // a false start.
    void matcherEdges()
    {
        QVERIFY(has("az", false, "xAZ"));
        QVERIFY(!has("@[", false, "`{"));
        QVERIFY(!has("`{", false, "@["));
        QVERIFY(!has("", false, "anything"));
        QVERIFY(has("abcabd", false, "abcabcabd"));
        QVERIFY(has("café", false, "cafe caf CAF\xc3\x89"));
        QVERIFY(!has("café", false, "cafe caf CAFE"));
    }

    // The matcher against the plain definition of a match, on haystacks made of the
    // text's own spellings, spellings with one byte changed, and near misses, at every
    // alignment, in both encodings and both cases.
    void matcherFindsExactlyTheSpellingsOfTheText()
    {
        std::mt19937 random(7);
        const QStringList texts = {
            "garden",   "zürich", "résumé", "São Paulo", "naïve",  "Жук",     "é",  "ß", "q", "aab",
            "İstanbul", "ǅemal",  "日本",   "e-mail ok", "KELVIN", "x\u00e9", "ÉÉÉ"};
        int found = 0;
        int missed = 0;
        for (const QString &text : texts)
            for (bool matchCase : {false, true})
                for (auto encodings : {StoredTextMatcher::Encodings::Utf8AndWindows1252,
                                       StoredTextMatcher::Encodings::Utf8}) {
                    const bool windows =
                        encodings == StoredTextMatcher::Encodings::Utf8AndWindows1252;
                    const QList<QByteArray> forms = spellings(text, matchCase, windows);
                    const QList<QByteArray> others = spellings(text, !matchCase, true);
                    const StoredTextMatcher matcher(text, matchCase, encodings);
                    for (int round = 0; round < 300; ++round) {
                        QByteArray haystack;
                        for (int part = int(random() % 6); part >= 0; --part) {
                            QByteArray piece = random() % 2 ? forms.at(random() % forms.size())
                                                            : others.at(random() % others.size());
                            if (random() % 2)
                                piece[random() % piece.size()] = char(random() % 256);
                            if (random() % 2)
                                piece.chop(1);
                            haystack += QByteArray(int(random() % 20), "ax \xc3"[random() % 4]);
                            haystack += piece;
                        }
                        const bool expected = containsSpelling(forms, haystack);
                        QVERIFY2(matcher.contains(haystack) == expected,
                                 qPrintable(text + ": " + QLatin1String(haystack.toHex(' '))));
                        ++(expected ? found : missed);
                    }
                }
        QVERIFY(found > 1000 && missed > 1000);
    }

    void searchAllLooksAtStoredTextPagesOnly()
    {
        BinderFixture f;
        auto binder = f.open(f.makeBinder(
            "s.qly", {{"rich.rtf", "{\\rtf1\\ansi Quarterly {\\b Report}\\par}"},
                      {"plain.txt", "report of the quarter"},
                      {"web.html", "<html><body><p class=\"Report\">x</p></body></html>"},
                      {"pic.png", "report report"},
                      {"other.bin", "report"},
                      {"utf.txt", "Ünïcödé résumé"}}));
        QVERIFY(binder);
        const auto found = [&](const QString &text, bool matchCase) {
            return searchPages(f.ui, *binder, text, {matchCase}).positions;
        };
        using P = QVector<int>;
        // Markup is searched, not the text shown: every rich text page holds "rtf".
        QCOMPARE(found("rtf", false), P({1}));
        QCOMPARE(found("REPORT", false), P({1, 2, 3}));
        QCOMPARE(found("Report", true), P({1, 3}));
        QCOMPARE(found("RÉSUMÉ", false), P({6}));
        QCOMPARE(found("RÉSUMÉ", true), P());
    }

    void shownTextFindsTheWordsPagesShow()
    {
        BinderFixture f;
        auto binder = f.open(f.makeBinder(
            "shown.qly",
            {{"rich.rtf", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Z\\'fcrich gar{\\b den} "
                          "{\\v hidden}\\par}"},
             {"web.html", "<html><body><p class=\"garden\">r&eacute;sum&eacute; S<i>\xc3\xa3o</i> "
                          "Paulo</p><script>z\xc3\xbcrich</script></body></html>"},
             {"plain.txt", "rtf garden"},
             {"notrtf.rtf", "just plain Z\xc3\xbcrich"}}));
        QVERIFY(binder);
        // A page added since the binder was saved lives in a file of its own.
        QVERIFY(importFile(*f.workspace, *binder, f.file("added.htm", "<b>Z&uuml;rich</b>"),
                           PageKind::Unknown));
        const auto found = [&](const QString &text, bool shown) {
            return searchPages(f.ui, *binder, text, {false, shown}).positions;
        };
        using P = QVector<int>;
        QCOMPARE(found("zürich", false), P({2, 4}));
        QCOMPARE(found("ZÜRICH", true), P({1, 4, 5}));
        QCOMPARE(found("garden", true), P({1, 3}));
        // Markup is no longer found, except in the pages whose stored text is their text.
        QCOMPARE(found("rtf", true), P({3}));
        QCOMPARE(found("hidden", true), P());
        QCOMPARE(found("résumé São Paulo", true), P({2}));
        QCOMPARE(searchPages(f.ui, *binder, "ZÜRICH", {true, true}).positions, P());
    }

    void aLargePageIsSearchedAcrossItsPieces()
    {
        BinderFixture f;
        // The word at every place around the seam of the first piece of a large page.
        QList<QPair<QString, QByteArray>> pages;
        QVector<int> all;
        for (int at = (1 << 20) - 8; at <= (1 << 20) + 8; ++at) {
            QByteArray page((1 << 20) + 16, 'x');
            page.replace(at, 6, "Needle");
            pages.append({QString("seam%1.txt").arg(at), page});
            all << int(pages.size());
        }
        pages.append({"tail.txt", QByteArray(3 << 20, 'y') + "ÉCLAIR"});
        auto binder = f.open(f.makeBinder("big.qly", pages));
        QCOMPARE(searchPages(f.ui, *binder, "needle", {}).positions, all);
        QCOMPARE(searchPages(f.ui, *binder, "éclair", {}).positions,
                 QVector<int>({int(pages.size())}));
        QCOMPARE(searchPages(f.ui, *binder, "xy", {}).positions, QVector<int>());
    }

    void theShownTextIsSearchedAcrossThePiecesOfItsPage()
    {
        BinderFixture f;
        // The escape of ü straddles the end of the first piece read.
        QByteArray rich = "{\\rtf1\\ansi ";
        rich += QByteArray((1 << 20) - rich.size() - 5, 'x') + " Z\\'fcrich";
        rich += QByteArray(3 << 20, 'y') + " {\\b S}\\u227?o Paulo}";
        QByteArray web = "<p>" + QByteArray((1 << 20) - 7, 'w') + " r&eacute;sum&eacute;</p>";
        // The shown text is looked at in slices of 1, 2, 4 KiB and on: a word across the
        // seam of the third and fourth.
        const QByteArray plain = QByteArray((7 << 10) - 3, 'p') + "Needle";
        // A reference cut by the end of the page is completed by it.
        auto binder = f.open(f.makeBinder("seams.qly", {{"big.rtf", rich},
                                                        {"big.htm", web},
                                                        {"slices.txt", plain},
                                                        {"cut.htm", "<p>Caf&eacute"}}));
        const auto found = [&](const QString &text) {
            return searchPages(f.ui, *binder, text, {false, true}).positions;
        };
        QCOMPARE(found("zürich"), QVector<int>({1}));
        QCOMPARE(found("são paulo"), QVector<int>({1}));
        QCOMPARE(found("résumé"), QVector<int>({2}));
        QCOMPARE(found("needle"), QVector<int>({3}));
        QCOMPARE(found("café"), QVector<int>({4}));
        QCOMPARE(found("xy"), QVector<int>());
    }

    void cancelStopsWithWhatWasFound()
    {
        BinderFixture f;
        auto binder = f.open(
            f.makeBinder("c.qly", {{"a.txt", "word"}, {"b.txt", "word"}, {"c.txt", "word"}}));
        f.ui.cancelProgressAfter = 2;
        const SearchResult result = searchPages(f.ui, *binder, "word", {}, 0);
        QVERIFY(result.cancelled);
        QCOMPARE(result.positions, QVector<int>({1, 2}));
        // Cancel on the last page comes too late to cut the search short.
        f.ui.cancelProgressAfter = 3;
        QVERIFY(!searchPages(f.ui, *binder, "word", {}, 0).cancelled);
    }

    // Several threads find the pages one thread finds, in page order, whichever pages
    // each takes; a cancelled search gives the matches among the first pages only.
    void threadsFindWhatOneThreadFinds()
    {
        BinderFixture f;
        std::mt19937 random(28);
        QList<QPair<QString, QByteArray>> pages;
        const QByteArray words[] = {"Zurich garden", "Z\\'fcrich", "Z\xc3\xbcrich"};
        const QString extensions[] = {"rtf", "htm", "txt", "png"}; // pictures are not searched
        for (int i = 0; i < 240; ++i) {
            const QByteArray filler(int(random() % 3000), 'x');
            pages.append({QString("p%1.%2").arg(i).arg(extensions[i % 4]),
                          "{\\rtf1\\ansi " + filler + " " + words[random() % 3] + "}"});
        }
        auto binder = f.open(f.makeBinder("threads.qly", pages));
        QVERIFY(binder);
        for (const QString &needle : QStringList{"zürich", "garden", "nowhere"})
            for (bool shown : {false, true}) {
                const QVector<int> one =
                    searchPages(f.ui, *binder, needle, {false, shown, 1}).positions;
                QVERIFY(needle == "nowhere" || one.size() > 20);
                for (int threads : {2, 3, 4})
                    QCOMPARE(searchPages(f.ui, *binder, needle, {false, shown, threads}).positions,
                             one);
            }
        const QVector<int> all = searchPages(f.ui, *binder, "garden", {false, true, 1}).positions;
        // The other threads may have decided every page by the time Cancel is seen.
        f.ui.cancelProgressAfter = 1;
        const SearchResult cut = searchPages(f.ui, *binder, "garden", {false, true, 3}, 0);
        QCOMPARE(cut.positions, all.first(cut.positions.size()));
        if (!cut.cancelled)
            QCOMPARE(cut.positions, all);
    }
};

QTEST_GUILESS_MAIN(tst_pagesearch)
#include "tst_pagesearch.moc"
