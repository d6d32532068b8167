// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/RecoveryStore.h"

#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/TempFolder.h"
#include "platform/XdgDirs.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillery {

namespace {

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

bool isSnapshotFolderName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^[0-9a-f]{16}$"));
    return pattern.match(name).hasMatch();
}

QString whatIs(const struct stat &st)
{
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("a symbolic link");
    if (S_ISFIFO(st.st_mode))
        return QStringLiteral("a FIFO");
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("a folder");
    if (S_ISREG(st.st_mode))
        return QStringLiteral("a file");
    return QStringLiteral("a device or socket");
}

[[noreturn]] void refuse(const QString &what)
{
    throw FileError(FileError::PathFileAccess, what);
}

// A snapshot's folder must be a folder of this user's, not a link to one elsewhere.
void checkFolder(const QString &folder)
{
    struct stat st;
    if (::lstat(encoded(folder).constData(), &st) != 0)
        throw FileError::fromErrno(errno, folder);
    if (!S_ISDIR(st.st_mode))
        refuse(QStringLiteral("it is %1, not a snapshot folder").arg(whatIs(st)));
    if (st.st_uid != ::getuid())
        refuse(QStringLiteral("it belongs to another user"));
}

// A file of a snapshot must be a plain file where it lies.
qint64 plainFileSize(const QString &path)
{
    struct stat st;
    if (::lstat(encoded(path).constData(), &st) != 0)
        throw FileError::fromErrno(errno, path);
    if (!S_ISREG(st.st_mode))
        refuse(QStringLiteral("%1 is %2, not a plain file").arg(path, whatIs(st)));
    return st.st_size;
}

// Every page must lie inside the data file it names.
void checkSources(const SnapshotEntry &entry)
{
    QVector<qint64> ends(entry.record.sources.size(), 0);
    for (const SnapshotPage &page : entry.record.pages) {
        if (page.source > 0)
            ends[page.source - 1] = std::max(ends[page.source - 1], page.offset + page.length);
    }
    for (int i = 0; i < entry.record.sources.size(); ++i) {
        if (entry.record.sources[i].isEmpty())
            continue; // the binder file: whether it still holds the pages is asked on use
        const QString path = entry.sourcePath(i + 1);
        if (plainFileSize(path) < ends[i])
            throw FileError::damaged(QStringLiteral("its data file %1 is cut short").arg(path));
    }
}

// A snapshot's binder is locked, read and written as the window's: it must be a file of
// this user's, or be gone.
void checkBinderFile(const QString &path)
{
    struct stat st;
    if (path.isEmpty() || ::stat(encoded(path).constData(), &st) != 0)
        return;
    if (!S_ISREG(st.st_mode))
        refuse(QStringLiteral("its binder %1 is %2, not a binder file").arg(path, whatIs(st)));
    if (st.st_uid != ::getuid())
        refuse(QStringLiteral("its binder %1 belongs to another user").arg(path));
}

SnapshotEntry readEntry(const QString &folder)
{
    checkFolder(folder);
    const QString lock = folder + u'/' + SnapshotRecord::LockName;
    struct stat st;
    if (::lstat(encoded(lock).constData(), &st) == 0 && !S_ISREG(st.st_mode))
        refuse(QStringLiteral("its lock is %1").arg(whatIs(st)));
    SnapshotEntry entry{folder, SnapshotRecord::read(folder)};
    checkBinderFile(entry.record.binderPath);
    checkSources(entry);
    return entry;
}

bool keptByRunningWindow(const QString &folder)
{
    return FileLock::isHeldElsewhere(folder + u'/' + SnapshotRecord::LockName);
}

// Makes the missing folders of path, each only for this user, as the base directory
// specification asks of the state folder; the last is checked like the temporary folder.
void makePrivateFolder(const QString &path)
{
    const QString parent = QFileInfo(path).absolutePath();
    if (!QFileInfo::exists(parent)) {
        makePrivateFolder(parent);
        if (::mkdir(encoded(parent).constData(), 0700) != 0 && errno != EEXIST)
            throw FileError::fromErrno(errno, parent);
    }
    const TempFolder checked(path);
}

} // namespace

QString SnapshotEntry::sourcePath(int source) const
{
    const QString name = record.sources.value(source - 1);
    return name.isEmpty() ? record.binderPath : folder + u'/' + name;
}

void SnapshotFolder::remove()
{
    if (!isValid())
        return;
    // The record goes first, and for good, so that a removal cut short never leaves a
    // record whose pages are gone or about to be erased.
    ::unlink(encoded(m_path + u'/' + SnapshotRecord::RecordName).constData());
    const UniqueFd folder(::open(encoded(m_path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.valid() && ::fsync(folder.get()) != 0 && errno == EIO)
        qWarning("The removal of the recovery snapshot %s did not reach the disk",
                 qPrintable(m_path));
    const QStringList entries =
        QDir(m_path).entryList(QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &name : entries)
        ::unlink(encoded(m_path + u'/' + name).constData());
    ::rmdir(encoded(m_path).constData());
    m_lock.release();
    m_path.clear();
}

QString RecoveryStore::defaultRoot()
{
    return XdgDirs::fromEnvironment().stateHome + QStringLiteral("/quillery/recovery");
}

SnapshotFolder RecoveryStore::create() const
{
    makePrivateFolder(m_root);
    for (;;) {
        const QString folder =
            m_root + u'/' +
            QStringLiteral("%1").arg(QRandomGenerator::system()->generate64(), 16, 16, QChar(u'0'));
        if (::mkdir(encoded(folder).constData(), 0700) == 0)
            return claim(folder);
        if (errno != EEXIST)
            throw FileError::fromErrno(errno, folder);
    }
}

SnapshotFolder RecoveryStore::claim(const QString &folder)
{
    checkFolder(folder);
    const QString lock = folder + u'/' + SnapshotRecord::LockName;
    const int fd = ::open(encoded(lock).constData(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0)
        throw FileError::fromErrno(errno, lock);
    ::close(fd);
    return SnapshotFolder(folder, FileLock::acquire(lock));
}

QVector<SnapshotEntry> RecoveryStore::list(QStringList &problems) const
{
    QVector<SnapshotEntry> entries;
    struct stat st;
    if (::lstat(encoded(m_root).constData(), &st) != 0)
        return entries;
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) {
        problems << QStringLiteral("%1: the recovery folder is %2 of another user or not a folder")
                        .arg(m_root, whatIs(st));
        return entries;
    }
    const QStringList names = QDir(m_root).entryList(QDir::AllEntries | QDir::System |
                                                     QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        const QString folder = m_root + u'/' + name;
        try {
            if (!isSnapshotFolderName(name))
                refuse(QStringLiteral("it is no snapshot folder of this program"));
            checkFolder(folder);
            if (keptByRunningWindow(folder))
                continue;
            SnapshotEntry entry = readEntry(folder);
            const QString binder = entry.record.binderPath;
            if (!binder.isEmpty() && FileLock::isHeldElsewhere(binder))
                continue;
            entries << std::move(entry);
        } catch (const FileError &error) {
            problems << folder + QStringLiteral(": skipped, ") + error.description();
        }
    }
    std::sort(entries.begin(), entries.end(), [](const SnapshotEntry &a, const SnapshotEntry &b) {
        return a.record.taken < b.record.taken;
    });
    return entries;
}

SnapshotEntry RecoveryStore::find(const QString &nameOrPath) const
{
    const QString folder = nameOrPath.contains(u'/')
                               ? QDir::cleanPath(QDir::current().absoluteFilePath(nameOrPath))
                               : m_root + u'/' + nameOrPath;
    if (!isSnapshotFolderName(QFileInfo(folder).fileName()))
        refuse(QStringLiteral("%1 is no snapshot folder of this program").arg(folder));
    if (keptByRunningWindow(folder))
        throw FileError(FileError::PermissionDenied,
                        QStringLiteral("%1 is kept by a running window").arg(folder));
    return readEntry(folder);
}

} // namespace quillery
