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
#include <sys/wait.h>
#include <unistd.h>

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
