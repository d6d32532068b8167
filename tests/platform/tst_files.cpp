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

#include <fcntl.h>

using namespace quillery;

namespace {

// Another holder of a lock on the whole file, on an open file description of its own, as
// another program holds one; invalid when the lock cannot be had.
UniqueFd lockedElsewhere(const QString &path, short type)
{
    const int mode = type == F_RDLCK ? O_RDONLY : O_RDWR;
    UniqueFd fd(::open(QFile::encodeName(path).constData(), mode | O_CLOEXEC));
    struct flock lock = {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    if (!fd.valid() || ::fcntl(fd.get(), F_OFD_SETLK, &lock) != 0)
        return UniqueFd();
    return fd;
}

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
        QVERIFY(!FileLock::isHeldElsewhere(path));
        for (const short type : {F_RDLCK, F_WRLCK}) {
            const UniqueFd other = lockedElsewhere(path, type);
            QVERIFY(other.valid());
            QVERIFY(FileLock::isHeldElsewhere(path));
            QVERIFY(refusedAsInUse(path));
        }
        // Once the other program lets go, the file is ours, and others are kept out.
        FileLock lock = FileLock::acquire(path);
        QVERIFY(lock.isHeld());
        QVERIFY(FileLock::isHeldElsewhere(path));
        QVERIFY(!lockedElsewhere(path, F_RDLCK).valid());
        lock.release();
        QVERIFY(!FileLock::isHeldElsewhere(path));
    }

    void theTemporaryFolderIsPrivateAndDeletesOnlyItsOwn()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("tmp");
        QVERIFY(QDir().mkdir(path));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                QFile::ReadGroup | QFile::ExeGroup));
        TempFolder temp(path);
        QCOMPARE(QFileInfo(path).permissions() & (QFile::ReadGroup | QFile::ExeGroup),
                 QFileDevice::Permissions());
        const QString mine = temp.TempFileName();
        temp.AddTempFile(mine);
        const QString theirs = temp.filePath("theirs.tmp");
        test::writeFile(theirs, "not ours");
        QVERIFY(!temp.DeleteTempFile(theirs));
        QVERIFY(QFile::exists(theirs));
        QVERIFY(temp.DeleteTempFile(mine));
        QVERIFY(!QFile::exists(mine));
    }

    void namesAreCutToWholeCharactersThatFit()
    {
        QCOMPARE(fileio::fitName("abcdef", 6), QString("abcdef"));
        QCOMPARE(fileio::fitName("abcdef", 5), QString("abcde"));
        // Two bytes each in UTF-8; a character that does not fit whole is left out.
        QCOMPARE(fileio::fitName("\u00e9\u00e9\u00e9", 5), QString("\u00e9\u00e9"));
        QCOMPARE(fileio::fitName("a\U0001F600", 4), QString("a"));
    }
};

QTEST_GUILESS_MAIN(tst_files)
#include "tst_files.moc"
