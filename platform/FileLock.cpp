// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileLock.h"

#include "platform/FileError.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillery {

namespace {

struct flock wholeFile(short type)
{
    struct flock lock = {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0;
    return lock;
}

} // namespace

FileLock FileLock::acquire(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    // Non-blocking, so that a FIFO put where a binder was expected cannot hang the open.
    int fd = ::open(name.constData(), O_RDWR | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0 && (errno == EACCES || errno == EROFS))
        fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        throw FileError::fromErrno(errno, path);
    UniqueFd guard(fd);
    if (!fileio::isRegularFile(fd))
        throw FileError(FileError::BadFileName,
                        QCoreApplication::translate("FileLock", "Not a regular file: ") + path);
    const bool writable = (::fcntl(fd, F_GETFL) & O_ACCMODE) != O_RDONLY;
    // A read-only descriptor can only take a read lock; it still keeps writers out.
    struct flock lock = wholeFile(writable ? F_WRLCK : F_RDLCK);
    if (::fcntl(fd, F_OFD_SETLK, &lock) != 0) {
        if (errno == EAGAIN || errno == EACCES)
            throw FileError(FileError::PermissionDenied,
                            QCoreApplication::translate("FileLock", "Permission denied"));
        throw FileError::fromErrno(errno, path);
    }
    FileLock result;
    result.m_fd = std::move(guard);
    result.m_writeLock = writable;
    result.m_path = path;
    result.noteSaved(path);
    return result;
}

bool FileLock::isHeldElsewhere(const QString &path)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return false;
    UniqueFd guard(fd);
    return isHeldElsewhere(fd);
}

bool FileLock::isHeldElsewhere(int fd)
{
    if (!fileio::isRegularFile(fd))
        return false;
    struct flock lock = wholeFile(F_WRLCK);
    if (::fcntl(fd, F_OFD_GETLK, &lock) != 0)
        return false;
    return lock.l_type != F_UNLCK;
}

bool FileLock::covers(const QString &path) const
{
    if (!m_fd.valid())
        return false;
    struct stat mine;
    struct stat theirs;
    if (::fstat(m_fd.get(), &mine) != 0 ||
        ::stat(QFile::encodeName(path).constData(), &theirs) != 0)
        return false;
    return mine.st_dev == theirs.st_dev && mine.st_ino == theirs.st_ino;
}

bool FileLock::Identity::operator==(const Identity &other) const
{
    return device == other.device && inode == other.inode && size == other.size &&
           modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec;
}

bool FileLock::identityOf(const QString &path, Identity &identity)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    identity = {st.st_dev, st.st_ino, st.st_size, st.st_mtim};
    return true;
}

bool FileLock::unchangedOnDisk() const
{
    Identity now;
    return m_fd.valid() && identityOf(m_path, now) && now == m_identity;
}

void FileLock::noteSaved(const QString &path)
{
    m_path = path;
    if (!identityOf(m_path, m_identity))
        m_identity = {};
}

void FileLock::release()
{
    m_fd.reset();
    m_path.clear();
}

} // namespace quillery
