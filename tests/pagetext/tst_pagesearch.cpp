// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "TestSupport.h"
#include "pagetext/PageSearch.h"
#include "pagetext/StoredTextMatcher.h"

#include <QTest>

using namespace quillery;
using namespace quillery::test;

namespace {

bool has(const QString &text, bool matchCase, const QByteArray &bytes)
{
    return StoredTextMatcher(text, matchCase).contains(bytes);
}

} // namespace

class tst_pagesearch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void matcherFollowsCaseAndEncodings()
    {
        QVERIFY(has("Hello", false, "say hELLo there"));
        QVERIFY(!has("Hello", true, "say hELLo there"));
        QVERIFY(has("Hello", true, "say Hello"));
        QVERIFY(has("o", false, "O"));
        // Both ends of the alphabet fold, and the characters beside them do not.
        QVERIFY(has("az", false, "xAZ"));
        QVERIFY(has("AZ", false, "xaz"));
        QVERIFY(!has("@[", false, "`{"));
        QVERIFY(!has("`{", false, "@["));
        QVERIFY(!has("hello", false, "hell"));
        QVERIFY(!has("", false, "anything"));
        // A repeated prefix must not hide a match that starts inside a false start.
        QVERIFY(has("aab", false, "aaab"));
        QVERIFY(has("abcabd", false, "abcabcabd"));
        QVERIFY(has("aa\u00e9", false, "aaa\xc3\xa9"));
        // Letters beyond ASCII in UTF-8 (HTML, plain text) and in Windows-1252 (older
        // plain text pages), in either case.
        QVERIFY(has("École", false,
                    "une \xc3\xa9"
                    "cole"));
        QVERIFY(has("école", false,
                    "UNE \xc3\x89"
                    "COLE"));
        QVERIFY(!has("école", true,
                     "UNE \xc3\x89"
                     "COLE"));
        QVERIFY(has("Straße", false,
                    "STRA\xc3\x9f"
                    "E"));
        QVERIFY(has("Grüße", false,
                    "gr\xfc\xdf"
                    "e"));
        QVERIFY(has("Жук", false, "\xd0\xb6\xd1\x83\xd0\xba"));
        // The ASCII start found again and again before the whole text follows it.
        QVERIFY(has("café", false, "cafe caf CAF\xc3\x89"));
        QVERIFY(!has("café", false, "cafe caf CAFE"));
        QVERIFY(!has("Жук", false, "\xd0\xb6\xd1\x83"));
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
            return searchPages(f.ui, *binder, text, matchCase).positions;
        };
        using P = QVector<int>;
        // Markup is searched, not the text shown: every rich text page holds "rtf".
        QCOMPARE(found("rtf", false), P({1}));
        QCOMPARE(found("class", false), P({3}));
        QCOMPARE(found("REPORT", false), P({1, 2, 3}));
        QCOMPARE(found("Report", true), P({1, 3}));
        QCOMPARE(found("RÉSUMÉ", false), P({6}));
        QCOMPARE(found("RÉSUMÉ", true), P());
        QCOMPARE(found("nowhere", false), P());
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
        QByteArray tail(3 * 1024 * 1024, 'y');
        tail.append("ÉCLAIR");
        pages.append({"tail.txt", tail});
        auto binder = f.open(f.makeBinder("big.qly", pages));
        QCOMPARE(searchPages(f.ui, *binder, "needle", false).positions, all);
        QCOMPARE(searchPages(f.ui, *binder, "éclair", false).positions,
                 QVector<int>({int(pages.size())}));
        QCOMPARE(searchPages(f.ui, *binder, "xy", false).positions, QVector<int>());
    }

    void cancelStopsWithWhatWasFound()
    {
        BinderFixture f;
        auto binder = f.open(
            f.makeBinder("c.qly", {{"a.txt", "word"}, {"b.txt", "word"}, {"c.txt", "word"}}));
        f.ui.cancelProgressAfter = 2;
        const SearchResult result = searchPages(f.ui, *binder, "word", false, 0);
        QVERIFY(result.cancelled);
        QCOMPARE(result.positions, QVector<int>({1, 2}));
        QCOMPARE(f.ui.progressCaptions.last(), QString("Searching for 'word'"));
        // Cancel on the last page comes too late to cut the search short.
        f.ui.cancelProgressAfter = 3;
        QVERIFY(!searchPages(f.ui, *binder, "word", false, 0).cancelled);
    }

    void cliSearchPrintsMatchesAndExitsLikeGrep()
    {
        BinderFixture f;
        const QString binder = f.makeBinder(
            "cli.qly",
            {{"One.txt", "Alpha beta"}, {"Two.rtf", "{\\rtf1 ALPHA}"}, {"x.png", "alpha"}});
        ProgramRun run = runProgram(QUILLERY_CLI, {"search", binder, "alpha"});
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out, QString("1\tTXT\tOne\n2\tRTF\tTwo\n"));
        run = runProgram(QUILLERY_CLI, {"search", binder, "alpha", "--match-case"});
        QCOMPARE(run.code, 1);
        QCOMPARE(run.out, QString());
    }
};

QTEST_GUILESS_MAIN(tst_pagesearch)
#include "tst_pagesearch.moc"
