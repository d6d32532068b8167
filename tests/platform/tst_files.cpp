// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/FileLock.h"
#include "platform/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

using namespace quillery;

namespace {

// Another process that holds a classic lock of the given type on the whole file, as other
// programs take them, until it is destroyed.
struct OtherProcessLock
{
    OtherProcessLock(const QString &path, short type)
    {
        const QByteArray name = QFile::encodeName(path);
        int ready[2];
        if (::pipe(ready) != 0)
            return;
        pid = ::fork();
        if (pid == 0) {
            const int fd = ::open(name.constData(), type == F_RDLCK ? O_RDONLY : O_RDWR);
            struct flock lock = {};
            lock.l_type = type;
            const char taken = fd >= 0 && ::fcntl(fd, F_SETLK, &lock) == 0 ? '1' : '0';
            if (::write(ready[1], &taken, 1) == 1)
                ::pause();
            ::_exit(0);
        }
        ::close(ready[1]);
        char taken = '0';
        held = pid > 0 && ::read(ready[0], &taken, 1) == 1 && taken == '1';
        ::close(ready[0]);
    }
    ~OtherProcessLock()
    {
        if (pid > 0 && ::kill(pid, SIGKILL) == 0)
            ::waitpid(pid, nullptr, 0);
    }

    pid_t pid = -1;
    bool held = false;
};

// Whether taking the lock fails as it does when another program has the file.
bool refusedAsInUse(const QString &path)
{
    try {
        FileLock::acquire(path);
    } catch (const FileError &error) {
        return error.isPermissionDenied();
    }
    return false;
}

// A user and groups of the test's own, known only by number: the kernel needs no more.
constexpr uid_t OtherUser = 54321;
constexpr gid_t OtherUsersGroup = 54322;
constexpr gid_t Team = 54323;

struct Rewrite
{
    bool saved = false;
    QString warning;
};

// Rewrites path with SafeFileWriter in a child process that runs as OtherUser, a member of
// the groups given (the first its own).
Rewrite rewriteAs(const QString &path, std::initializer_list<gid_t> groups)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipeFds[0]);
        const std::vector<gid_t> list(groups);
        if (::setgroups(list.size(), list.data()) != 0 || ::setgid(list.front()) != 0 ||
            ::setuid(OtherUser) != 0)
            ::_exit(2);
        try {
            SafeFileWriter writer(path);
            writer.write("rewritten");
            writer.commit();
            const QByteArray warning = writer.groupWarning().toUtf8();
            if (::write(pipeFds[1], warning.constData(), size_t(warning.size())) < 0)
                ::_exit(3);
        } catch (const FileError &) {
            ::_exit(1);
        }
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    QByteArray warning;
    char buffer[512];
    ssize_t n;
    while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0)
        warning.append(buffer, n);
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return {WIFEXITED(status) && WEXITSTATUS(status) == 0, QString::fromUtf8(warning)};
}

struct stat statOf(const QString &path)
{
    struct stat st = {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

} // namespace

class tst_files : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void aLockHeldByAnotherProgramKeepsTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("binder.qly");
        test::writeFile(path, "QLY4");
        for (const short type : {F_RDLCK, F_WRLCK}) {
            OtherProcessLock other(path, type);
            QVERIFY(FileLock::isHeldElsewhere(path));
            QVERIFY(refusedAsInUse(path));
        }
        // Once the other program lets go, the file is ours, and others are kept out.
        FileLock lock = FileLock::acquire(path);
        QVERIFY(FileLock::isHeldElsewhere(path));
        QVERIFY(!OtherProcessLock(path, F_RDLCK).held);
        lock.release();
        QVERIFY(!FileLock::isHeldElsewhere(path));
    }

    void theTemporaryFolderIsPrivateAndDeletesOnlyItsOwn()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("tmp");
        QVERIFY(QDir().mkdir(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                       QFile::ReadGroup | QFile::ExeGroup));
        TempFolder temp(path);
        QCOMPARE(QFileInfo(path).permissions() & (QFile::ReadGroup | QFile::ExeGroup),
                 QFileDevice::Permissions());
        const QString mine = temp.createFile();
        temp.registerFile(mine);
        const QString theirs = temp.filePath("theirs.tmp");
        test::writeFile(theirs, "not ours");
        QVERIFY(!temp.deleteFile(theirs));
        QVERIFY(QFile::exists(theirs));
        QVERIFY(temp.deleteFile(mine));
        QVERIFY(!QFile::exists(mine));
    }

    void aRewrittenFileStaysPrivateUntilItIsComplete()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("shared.qly");
        test::writeFile(path, "old");
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0644) == 0);
        SafeFileWriter writer(path);
        writer.write("half of it");
        // A kill now leaves a scratch file that nobody else may read.
        QCOMPARE(statOf(writer.tempPath()).st_mode & 07777, mode_t(0600));
        writer.commit();
        QCOMPARE(statOf(path).st_mode & 07777, mode_t(0644));
        QVERIFY(writer.groupWarning().isEmpty());
    }

    // A file whose name is as long as the file system allows is saved all the same: its
    // scratch name is cut to fit.
    void aFileOfTheLongestNameIsRewritten()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QString(255, 'n'));
        test::writeFile(path, "old");
        SafeFileWriter writer(path);
        writer.write("new");
        writer.commit();
        QCOMPARE(test::readFile(path), QByteArray("new"));
    }

    // A file the user may read but not write stays as it is, though the folder would let
    // the user put another file in its place.
    void aFileTheUserMayNotWriteIsNotReplaced()
    {
        if (::geteuid() != 0)
            QSKIP("Needs root, to run as a second user");
        QTemporaryDir dir;
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0777) == 0);
        const QString path = dir.filePath("theirs.qly");
        test::writeFile(path, "old");
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0644) == 0);
        QVERIFY(!rewriteAs(path, {OtherUsersGroup}).saved);
        QCOMPARE(test::readFile(path), QByteArray("old"));
    }

    void aRewrittenFileKeepsItsGroupWhereTheUserIsAMember()
    {
        if (::geteuid() != 0)
            QSKIP("Needs root, to run as a second user in a group of the test's own");
        QTemporaryDir dir;
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0777) == 0);
        const QString path = dir.filePath("team.qly");
        test::writeFile(path, "old");
        const QByteArray name = QFile::encodeName(path);
        QVERIFY(::chown(name.constData(), OtherUser, Team) == 0);
        QVERIFY(::chmod(name.constData(), 0660) == 0);

        const Rewrite member = rewriteAs(path, {OtherUsersGroup, Team});
        QVERIFY(member.saved);
        QVERIFY2(member.warning.isEmpty(), qPrintable(member.warning));
        QCOMPARE(test::readFile(path), QByteArray("rewritten"));
        QCOMPARE(statOf(path).st_gid, Team);
        QCOMPARE(statOf(path).st_mode & 07777, mode_t(0660));

        // Another member's file: it becomes the user's, still the team's.
        QVERIFY(::chown(name.constData(), OtherUser + 3, Team) == 0);
        QVERIFY(rewriteAs(path, {OtherUsersGroup, Team}).saved);
        QCOMPARE(statOf(path).st_uid, OtherUser);
        QCOMPARE(statOf(path).st_gid, Team);
        QCOMPARE(statOf(path).st_mode & 07777, mode_t(0660));

        // Not a member: saved all the same, and said so; the team's permissions do not
        // pass to the user's own group.
        const Rewrite outsider = rewriteAs(path, {OtherUsersGroup});
        QVERIFY(outsider.saved);
        QVERIFY(outsider.warning.contains(path));
        QVERIFY(outsider.warning.contains(QString::number(Team)));
        QCOMPARE(statOf(path).st_gid, OtherUsersGroup);
        QCOMPARE(statOf(path).st_mode & 07777, mode_t(0600));
    }

    void rootRewritingAUsersFileKeepsItsOwner()
    {
        if (::geteuid() != 0)
            QSKIP("Needs root");
        QTemporaryDir dir;
        const QString path = dir.filePath("theirs.qly");
        test::writeFile(path, "old");
        QVERIFY(::chown(QFile::encodeName(path).constData(), OtherUser, Team) == 0);
        SafeFileWriter writer(path);
        writer.write("new");
        writer.commit();
        QCOMPARE(statOf(path).st_uid, OtherUser);
        QCOMPARE(statOf(path).st_gid, Team);
    }

    void namesAreCutToWholeCharactersThatFit()
    {
        QCOMPARE(fileio::fitName("abcdef", 6), QString("abcdef"));
        // Two bytes each in UTF-8; a character that does not fit whole is left out.
        QCOMPARE(fileio::fitName("\u00e9\u00e9\u00e9", 5), QString("\u00e9\u00e9"));
        QCOMPARE(fileio::fitName("a\U0001F600", 4), QString("a"));
    }
};

QTEST_GUILESS_MAIN(tst_files)
#include "tst_files.moc"
