// SPDX-License-Identifier: GPL-3.0-or-later
// Saves cut short at every step. This test program stands in for the calls that change a
// file (write, pwrite, copy_file_range, fallocate, fdatasync): a forked child saves and
// dies just before the chosen call or half way through it, as a killed program would. The parent
// then finds the archive as it was before the save or as the save made it, and, once a save is
// through, none of the replaced bytes.

#include "ArchiveSupport.h"
#include "BinderFixture.h"
#include "TestSupport.h"
#include "documents/BinderSaver.h"
#include "documents/LumpArchive.h"
#include "platform/FileIo.h"

#include <QTest>

#include <cerrno>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quillery;
using namespace quillery::test;

namespace {

// Steps left before the one that dies, two for each call: dying before it and dying half
// way through it. Negative: nothing dies.
long stepsBeforeDeath = -1;
// fallocate refuses to make holes, as on file systems without them (EOPNOTSUPP), or fails
// outright (EIO).
int holeError = 0;

constexpr int ChildKilled = 9;
constexpr int ChildSaved = 10;
constexpr int ChildRefused = 11;

enum class Fate { Lives, DiesBefore, DiesHalfWay };

Fate nextFate()
{
    const long step = stepsBeforeDeath;
    if (step < 0)
        return Fate::Lives;
    stepsBeforeDeath -= 2;
    return step == 0 ? Fate::DiesBefore : step == 1 ? Fate::DiesHalfWay : Fate::Lives;
}

// How much of a call that dies half way gets done: a disk writes a sector whole or not at
// all, so a write within one is never torn.
template <typename Length> Length halfOf(Length length)
{
    return length > 512 ? length / 2 : length;
}

template <typename Function> Function next(const char *name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

// Runs call with the whole length, or with none or half of it before dying.
template <typename Call> auto stepOrDie(size_t length, Call call)
{
    const Fate fate = nextFate();
    if (fate == Fate::Lives)
        return call(length);
    if (fate == Fate::DiesHalfWay)
        call(halfOf(length));
    ::_exit(ChildKilled);
}

} // namespace

extern "C" {

ssize_t write(int fd, const void *data, size_t length)
{
    static const auto call = next<ssize_t (*)(int, const void *, size_t)>("write");
    return stepOrDie(length, [&](size_t n) { return call(fd, data, n); });
}

ssize_t pwrite(int fd, const void *data, size_t length, off_t offset)
{
    static const auto call = next<ssize_t (*)(int, const void *, size_t, off_t)>("pwrite");
    return stepOrDie(length, [&](size_t n) { return call(fd, data, n, offset); });
}

ssize_t copy_file_range(int in, off64_t *inOffset, int out, off64_t *outOffset, size_t length,
                        unsigned int flags)
{
    static const auto call =
        next<ssize_t (*)(int, off64_t *, int, off64_t *, size_t, unsigned)>("copy_file_range");
    return stepOrDie(length,
                     [&](size_t n) { return call(in, inOffset, out, outOffset, n, flags); });
}

int fallocate(int fd, int mode, off_t offset, off_t length)
{
    static const auto call = next<int (*)(int, int, off_t, off_t)>("fallocate");
    if (holeError != 0 && (mode & FALLOC_FL_PUNCH_HOLE)) {
        errno = holeError;
        return -1;
    }
    return stepOrDie(size_t(length), [&](size_t n) { return call(fd, mode, offset, off_t(n)); });
}

int fdatasync(int fd)
{
    static const auto call = next<int (*)(int)>("fdatasync");
    return stepOrDie(0, [&](size_t) { return call(fd); });
}

} // extern "C"

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
    const pid_t child = ::fork();
    if (child == 0) {
        stepsBeforeDeath = step;
        const bool appended = archive.appendInPlace(scenario.path);
        ::_exit(appended ? ChildSaved : ChildRefused);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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
