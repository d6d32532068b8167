// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MemoryFile.h"

#include "platform/FileError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>

namespace quillery {

UniqueFd createMemoryFile(const QString &name)
{
    UniqueFd fd(::memfd_create(name.toUtf8().constData(), MFD_CLOEXEC | MFD_ALLOW_SEALING));
    if (!fd.valid())
        throw FileError::fromErrno(errno, name);
    // Other processes of the user could open it through /proc; the mode is for them.
    ::fchmod(fd.get(), 0600);
    return fd;
}

QString memoryFilePath(int fd)
{
    return QStringLiteral("/proc/self/fd/") + QString::number(fd);
}

void sealMemoryFile(int fd)
{
    ::fcntl(fd, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE | F_SEAL_SEAL);
}

} // namespace quillery
