// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "TestSupport.h"
#include "documents/BinderSaver.h"
#include "documents/CompanionFiles.h"
#include "platform/FileIo.h"
#include "platform/FileLock.h"

#include <QDir>
#include <QTest>

#include <atomic>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

using namespace quillery;
using namespace quillery::test;

namespace {

const QList<QPair<QString, QByteArray>> OnePage = {{"words.txt", "the binder's page"}};
const QByteArray VictimWords = "the user's own words";

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

// What a name holds, without following a link: "link", "folder", "file", "fifo" or "none".
QString kindAt(const QString &path)
{
    struct stat st;
    if (::lstat(encoded(path).constData(), &st) != 0)
        return QStringLiteral("none");
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("link");
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("folder");
    if (S_ISFIFO(st.st_mode))
        return QStringLiteral("fifo");
    return QStringLiteral("file");
}

// The hidden names in a folder: scratch files, and the lock note and shadow copy are not
// among them.
QStringList hiddenNames(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral(".*")}, QDir::AllEntries | QDir::Hidden |
                                                              QDir::System | QDir::NoDotAndDotDot);
}

} // namespace

class tst_companionfiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void companionNamesThatAreNotOursOpenReadOnly_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("atLockNote");
        QTest::addColumn<QString>("said");
        QTest::newRow("lock note is a link") << "link" << true << "a link";
        QTest::newRow("shadow copy is a folder") << "folder" << false << "a folder";
        QTest::newRow("lock note is a fifo") << "fifo" << true << "not a regular file";
        QTest::newRow("lock note is someone else's") << "file" << true << "someone else's file";
    }

    void companionNamesThatAreNotOursOpenReadOnly()
    {
        QFETCH(QString, kind);
        QFETCH(bool, atLockNote);
        QFETCH(QString, said);
        BinderFixture f;
        const QString path = f.makeBinder("plans.qly", OnePage);
        removeCompanions(path);
        const QString victim = f.file("victim.txt", VictimWords);
        const QString planted = atLockNote ? lockNotePath(path) : shadowCopyPath(path);
        const QString other = atLockNote ? shadowCopyPath(path) : lockNotePath(path);
        if (kind == "link")
            QCOMPARE(::symlink(encoded(victim).constData(), encoded(planted).constData()), 0);
        else if (kind == "folder")
            QVERIFY(QDir().mkdir(planted));
        else if (kind == "fifo")
            QCOMPARE(::mkfifo(encoded(planted).constData(), 0600), 0);
        else if (::geteuid() != 0)
            QSKIP("only root can give a file to someone else");
        else {
            writeFile(planted, "theirs");
            QCOMPARE(::chown(encoded(planted).constData(), 65534, 65534), 0);
        }

        auto binder = f.open(path);
        QVERIFY(binder && binder->isReadOnly());
        QCOMPARE(pageBytes(*binder, 1), QByteArray("the binder's page"));
        QCOMPARE(f.messageTitles(), QStringList{"Opened Read-Only"});
        QVERIFY(f.dialogs.lastText().startsWith("'" + path + "' is opened read-only"));
        QVERIFY(f.dialogs.lastText().contains("'" + planted + "' is " + said + ","));
        // Nothing was written beside the binder, through the name or instead of it.
        QCOMPARE(kindAt(planted), kind);
        QCOMPARE(kindAt(other), QString("none"));
        QCOMPARE(readFile(victim), VictimWords);
        QCOMPARE(hiddenNames(f.dir.path()), QStringList());
        // Closing a read-only binder leaves the name as it is, too.
        binder.reset();
        QCOMPARE(kindAt(planted), kind);
    }

    void linksPlantedDuringSavesAreNeverFollowed()
    {
        // Someone who may write the folder keeps putting links where the companions go while
        // the binder is saved again and again. Whenever a link lands between two steps of a
        // companion's writing, a write through the name would reach the file behind it.
        BinderFixture f;
        const QString path = f.makeBinder("raced.qly", OnePage);
        auto binder = f.open(path);
        const QString victim = f.file("victim.txt", VictimWords);
        std::atomic<bool> stop{false};
        std::thread planter([&] {
            const QByteArray target = encoded(victim);
            const QByteArray note = encoded(lockNotePath(path));
            const QByteArray shadow = encoded(shadowCopyPath(path));
            while (!stop) {
                ::symlink(target.constData(), note.constData());
                ::symlink(target.constData(), shadow.constData());
            }
        });
        int saved = 0;
        for (int i = 0; i < 300; ++i) {
            binder->markChangedOutsideHistory();
            saved += saveBinderFile(*f.workspace, *binder, path) ? 1 : 0;
            // Now and then the planted links go, as the user would clear them.
            if (i % 3 == 0) {
                ::unlink(encoded(lockNotePath(path)).constData());
                ::unlink(encoded(shadowCopyPath(path)).constData());
            }
        }
        stop = true;
        planter.join();
        finishRetiringShadowCopies();
        QCOMPARE(saved, 300);
        QCOMPARE(readFile(victim), VictimWords);
        QCOMPARE(pageBytes(*binder, 1), QByteArray("the binder's page"));
    }

    void namesakesDifferingInCaseKeepTheirOwnPages()
    {
        BinderFixture f;
        const QString upper = f.makeBinder("Report.qly", {{"upper.txt", "upper case pages"}});
        const QString lower = f.makeBinder("report.qly", {{"lower.txt", "lower case pages"}});
        removeCompanions(upper);
        QCOMPARE(lockNotePath(upper), lockNotePath(lower));
        const QByteArray lowerBytes = readFile(lower);

        auto first = f.open(upper);
        QVERIFY(first && !first->isReadOnly());
        const QByteArray note = readFile(lockNotePath(upper));

        // Another instance opens the namesake: it keeps its own pages, read from the binder
        // itself, and leaves the companions to the binder that has them.
        BinderFixture second;
        second.workspace->authorName = "second";
        auto namesake = second.open(lower);
        QVERIFY(namesake && namesake->isReadOnly());
        QCOMPARE(pageBytes(*namesake, 1), QByteArray("lower case pages"));
        QCOMPARE(second.messageTitles(), QStringList{"Opened Read-Only"});
        QVERIFY(second.dialogs.lastText().contains("'" + upper + "' is open"));
        QCOMPARE(readFile(lockNotePath(upper)), note);
        QVERIFY(fileio::sameFile(shadowCopyPath(upper), upper));
        QVERIFY(!FileLock::isHeldElsewhere(lower));
        // Removing the namesake's companions, as closing it or saving it elsewhere does, leaves
        // the open binder's alone.
        namesake.reset();
        removeCompanions(lower);
        QVERIFY(fileio::sameFile(shadowCopyPath(upper), upper));

        // A shadow copy that holds the other binder (as an earlier version wrote it) is not
        // taken for this one, nor is its lock note; the namesake behind it stays as it was.
        QVERIFY(QFile::remove(shadowCopyPath(upper)));
        QCOMPARE(::link(encoded(lower).constData(), encoded(shadowCopyPath(upper)).constData()), 0);
        writeFile(lockNotePath(upper), "second");
        BinderFixture fourth;
        auto misled = fourth.open(upper);
        QVERIFY(misled && misled->isReadOnly());
        QCOMPARE(pageBytes(*misled, 1), QByteArray("upper case pages"));
        QCOMPARE(fourth.messageTitles(), QStringList{"File in Use"});
        QCOMPARE(readFile(lower), lowerBytes);
    }

    void staleScratchFilesGoWhenTheWriterOpens()
    {
        BinderFixture f;
        const QString path = f.makeBinder("notes.qly", OnePage);
        const QByteArray binderBytes = readFile(path);
        const QStringList stale = {".notes.qly.Ab12Cd", ".~notes.qd.x9Y8z7", ".$notes.qd.QQ11ww"};
        const QStringList kept = {".other.qly.Ab12Cd", ".notes.qly.Ab12C",  ".notes.qly.Ab12Cde",
                                  ".notes.qly.Ab-2Cd", ".Notes.qly.Ab12Cd", "notes.qly.Ab12Cd"};
        for (const QString &name : stale + kept)
            writeFile(f.path(name), binderBytes);
        QVERIFY(QDir().mkdir(f.path(".notes.qly.Folder")));
        QVERIFY(QFile::link(f.file("victim.txt", VictimWords), f.path(".notes.qly.Linked")));
        // One that a save is writing right now: it is locked.
        FileLock writing = FileLock::acquire(f.file(".notes.qly.Busy99", binderBytes));
        QStringList alwaysKept =
            kept + QStringList{".notes.qly.Folder", ".notes.qly.Linked", ".notes.qly.Busy99"};
        if (::geteuid() == 0) {
            alwaysKept << ".notes.qly.Theirs";
            const QString theirs = f.file(alwaysKept.last(), binderBytes);
            QCOMPARE(::chown(encoded(theirs).constData(), 65534, 65534), 0);
        }

        auto binder = f.open(path);
        QVERIFY(binder && !binder->isReadOnly());
        for (const QString &name : stale)
            QVERIFY2(!QFileInfo::exists(f.path(name)), qPrintable(name));
        for (const QString &name : alwaysKept)
            QVERIFY2(kindAt(f.path(name)) != "none", qPrintable(name));
        QCOMPARE(kindAt(f.path(".notes.qly.Linked")), QString("link"));
        QCOMPARE(readFile(f.path("victim.txt")), VictimWords);

        // An instance that only reads the binder, because it is held, removes nothing.
        for (const QString &name : stale)
            writeFile(f.path(name), binderBytes);
        BinderFixture other;
        auto reader = other.open(path);
        QVERIFY(reader && reader->isReadOnly());
        for (const QString &name : stale)
            QVERIFY2(QFileInfo::exists(f.path(name)), qPrintable(name));
    }
};

QTEST_GUILESS_MAIN(tst_companionfiles)
#include "tst_companionfiles.moc"
