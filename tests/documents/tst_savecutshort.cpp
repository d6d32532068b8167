// SPDX-License-Identifier: GPL-3.0-or-later
// Saves cut short at every step: a forked child saves and dies just before a call that changes
// the file or half way through it, as a killed program would. The parent then finds the
// archive as it was before the save or as the save made it, and, once a save is through, none
// of the replaced bytes.

#include "ArchiveSupport.h"
#include "BinderFixture.h"
#include "SaveFaults.h"
#include "TestSupport.h"
#include "documents/BinderSaver.h"
#include "documents/LumpArchive.h"
#include "platform/FileIo.h"

#include <QTest>

#include <cerrno>

using namespace quillery;
using namespace quillery::test;
using namespace quillery::test::savefaults;

namespace {

using Lumps = QList<QPair<QByteArray, QByteArray>>; // name, data

Lumps lumpsOf(const QString &path)
{
    Lumps lumps;
    for (const Lump &lump : LumpArchive::readDirectory(path, "QLY4"))
        lumps.append({lump.name, LumpArchive::readBytes(path, lump.offset, lump.length)});
    return lumps;
}

// The save: the records and one page replaced, one page removed, one kept in place.
struct Scenario
{
    QString path;
    QString newPage;
    QByteArray original;
    Lumps before;
    Lumps after;

    explicit Scenario(const QTemporaryDir &dir)
        : path(dir.filePath("cut.qly")), newPage(dir.filePath("new.bin"))
    {
        before = {{"QUILLERY", "Title=OLD-TITLE\n"},
                  {"TXT", QByteArray(64 * 1024, 'k')},
                  {"TXT", "OLD-PAGE-" + QByteArray(3000, 'o')},
                  {"FILE", "GONE-PAGE-" + QByteArray(3000, 'g')}};
        after = {
            {"QUILLERY", "Title=new\n"}, before[1], {"TXT", "NEW-PAGE-" + QByteArray(5000, 'n')}};
        NamedLumps lumps;
        for (const auto &[name, data] : before)
            lumps.append({name, data});
        writeArchive(path, lumps);
        original = readFile(path);
        writeFile(newPage, after[2].second);
    }

    // The append this save makes, to be run against the original file.
    LumpArchive append() const
    {
        const QVector<Lump> present = LumpArchive::readDirectory(path, "QLY4");
        return archiveOf({{"QUILLERY", after[0].second},
                          {"TXT", FileRange{path, present[1].offset, present[1].length}},
                          {"TXT", FileRange{newPage, 0, after[2].second.size()}}});
    }
};

// Runs the append in a child that dies at the given step; returns how the child ended.
int appendDyingAt(const Scenario &scenario, long step)
{
    writeFile(scenario.path, scenario.original);
    LumpArchive archive = scenario.append();
    return runDyingAt(
        step, [&] { return archive.appendInPlace(scenario.path) == LumpArchive::Append::Done; });
}

} // namespace

class tst_savecutshort : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void appendKilledAtEveryCallLeavesOldOrNew_data()
    {
        QTest::addColumn<int>("error");
        QTest::newRow("holes") << 0;
        QTest::newRow("zeros where holes cannot be made") << int(EOPNOTSUPP);
    }

    void appendKilledAtEveryCallLeavesOldOrNew()
    {
        QFETCH(int, error);
        holeError = error;
        QTemporaryDir dir;
        const Scenario scenario(dir);
        int oldSeen = 0;
        int newSeen = 0;
        for (long step = 0;; ++step) {
            QVERIFY2(step < 1000, "the save never finished");
            const int end = appendDyingAt(scenario, step);
            if (end == ChildSaved)
                break;
            QCOMPARE(end, ChildKilled);
            const Lumps found = lumpsOf(scenario.path);
            if (found == scenario.before)
                ++oldSeen;
            else if (found == scenario.after)
                ++newSeen;
            else
                QFAIL(qPrintable(QStringLiteral("killed at step %1: neither the old nor the new "
                                                "archive")
                                     .arg(step)));
        }
        holeError = 0;
        // Deaths fell before the header turned and after it, while the old bytes were erased.
        QVERIFY(oldSeen >= 4);
        QVERIFY(newSeen >= 4);
        QCOMPARE(lumpsOf(scenario.path), scenario.after);
        const QByteArray saved = readFile(scenario.path);
        for (const char *gone : {"OLD-PAGE-", "GONE-PAGE-", "OLD-TITLE"})
            QVERIFY2(!saved.contains(gone), gone);
    }

    // An append cut short before the header turned leaves its bytes past the archive's end;
    // the next append goes after them, and erases what it replaced.
    void appendAfterACutAppendKeepsBothApart()
    {
        QTemporaryDir dir;
        const Scenario scenario(dir);
        long step = 0;
        for (;; ++step) {
            QVERIFY2(step < 1000, "no cut left bytes past the archive");
            QCOMPARE(appendDyingAt(scenario, step), ChildKilled);
            if (readFile(scenario.path).size() > scenario.original.size() &&
                lumpsOf(scenario.path) == scenario.before)
                break;
        }
        const QByteArray left = readFile(scenario.path).mid(scenario.original.size());
        LumpArchive archive = scenario.append();
        QCOMPARE(archive.appendInPlace(scenario.path), LumpArchive::Append::Done);
        QCOMPARE(lumpsOf(scenario.path), scenario.after);
        const QByteArray saved = readFile(scenario.path);
        QVERIFY(saved.size() >= scenario.original.size() + left.size());
        for (const char *gone : {"OLD-PAGE-", "GONE-PAGE-", "OLD-TITLE"})
            QVERIFY2(!saved.contains(gone), gone);
    }

    // Without holes, a replaced page is written over with zeros to its last byte, however
    // many rounds of zeros that takes.
    void zerosReachTheEndOfALargeReplacedPage()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("large.qly");
        const QByteArray old = QByteArray(200 * 1024, 'o') + "OLD-TAIL";
        writeArchive(path, {{"QUILLERY", QByteArray("Title=t\n")},
                            {"FILE", QByteArray(2 << 20, 'k')},
                            {"TXT", old}});
        const QVector<Lump> present = LumpArchive::readDirectory(path, "QLY4");
        LumpArchive archive =
            archiveOf({{"QUILLERY", QByteArray("Title=t\n")},
                       {"FILE", FileRange{path, present[1].offset, present[1].length}},
                       {"TXT", QByteArray("new")}});
        holeError = EOPNOTSUPP;
        const LumpArchive::Append appended = archive.appendInPlace(path);
        holeError = 0;
        QCOMPARE(appended, LumpArchive::Append::Done);
        const QByteArray saved = readFile(path);
        QCOMPARE(saved.count('o'), 0);
        QVERIFY(!saved.contains("OLD-TAIL"));
        QCOMPARE(lumpsOf(path).last().second, QByteArray("new"));
    }

    void binderSaveRewritesWhenErasingFails()
    {
        BinderFixture f;
        const QString path =
            f.makeBinder("whole.qly", {{"big.txt", QByteArray(60000, 'b')},
                                       {"old.txt", "OLD-PAGE-" + QByteArray(900, 'o')}});
        auto binder = f.open(path);
        QVERIFY(binder);
        binder->takePages(2, 1);
        holeError = EIO;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Could not erase the replaced data"));
        const bool saved = saveBinderFile(*f.workspace, *binder, path);
        holeError = 0;
        QVERIFY(saved);
        QVERIFY(!readFile(path).contains("OLD-PAGE-"));
        binder.reset();
        QCOMPARE(f.open(path)->pageCount(), 1);
    }
};

QTEST_MAIN(tst_savecutshort)
#include "tst_savecutshort.moc"
