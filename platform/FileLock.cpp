#include "platform/FileLock.h"

#include "documents/FileError.h"

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
    int fd = ::open(name.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0 && (errno == EACCES || errno == EROFS))
        fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw FileError::fromErrno(errno, path);
    UniqueFd guard(fd);
    const int flags = ::fcntl(fd, F_GETFL);
    // A read-only descriptor can only take a read lock; it still keeps writers out.
    struct flock lock = wholeFile((flags & O_ACCMODE) == O_RDONLY ? F_RDLCK : F_WRLCK);
    if (::fcntl(fd, F_OFD_SETLK, &lock) != 0) {
        if (errno == EAGAIN || errno == EACCES)
            throw FileError(FileError::PermissionDenied, QStringLiteral("Permission denied"));
        throw FileError::fromErrno(errno, path);
    }
    FileLock result;
    result.m_fd = std::move(guard);
    result.m_path = path;
    return result;
}

bool FileLock::isHeldElsewhere(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    UniqueFd guard(fd);
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

void FileLock::release()
{
    m_fd.reset();
    m_path.clear();
}

} // namespace quillery
