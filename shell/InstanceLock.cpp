// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/InstanceLock.h"

#include "platform/FileError.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillery {

namespace {

bool lockWhole(int fd, short type, bool wait)
{
    struct flock lock = {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    int result;
    do {
        result = ::fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &lock);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

bool busy(int err)
{
    return err == EAGAIN || err == EACCES;
}

// A departing last instance removes the lock file while others may already have it
// open; a lock on that removed file would join nobody.
bool stillNamed(int fd, const QByteArray &path)
{
    struct stat held;
    struct stat named;
    return ::fstat(fd, &held) == 0 && ::lstat(path.constData(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

} // namespace

const QString InstanceLock::FileName = QStringLiteral("Instances.lock");

InstanceLock::~InstanceLock() = default;

InstanceLock InstanceLock::join(const QString &folder)
{
    InstanceLock joined;
    joined.m_path = folder + u'/' + FileName;
    const QByteArray name = QFile::encodeName(joined.m_path);
    constexpr int attempts = 20;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        UniqueFd fd(::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
        if (!fd.valid())
            throw FileError::fromErrno(errno, joined.m_path);
        joined.m_first = lockWhole(fd.get(), F_WRLCK, false);
        if (!joined.m_first && (!busy(errno) || !lockWhole(fd.get(), F_RDLCK, true)))
            throw FileError::fromErrno(errno, joined.m_path);
        if (stillNamed(fd.get(), name)) {
            joined.m_fd = std::move(fd);
            return joined;
        }
    }
    throw FileError(
        FileError::PathFileAccess,
        QCoreApplication::translate("InstanceLock", "The lock file %1 keeps disappearing")
            .arg(joined.m_path));
}

void InstanceLock::shareFolder()
{
    if (m_fd.valid())
        lockWhole(m_fd.get(), F_RDLCK, false);
}

bool InstanceLock::leave(const std::function<void()> &lastOut)
{
    if (!m_fd.valid())
        return false;
    const bool last = lockWhole(m_fd.get(), F_WRLCK, false);
    if (last) {
        if (lastOut)
            lastOut();
        ::unlink(QFile::encodeName(m_path).constData());
    }
    m_fd.reset();
    return last;
}

} // namespace quillery
