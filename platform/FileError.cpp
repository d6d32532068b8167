// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileError.h"

#include <cerrno>
#include <cstring>

namespace quillery {

FileError::FileError(int number, const QString &description)
    : std::runtime_error(description.toStdString()), m_number(number), m_description(description)
{
}

FileError FileError::fromErrno(int err, const QString &path)
{
    int number = DeviceIo;
    switch (err) {
    case ENOENT:
        number = FileNotFound;
        break;
    case ENOTDIR:
        number = PathNotFound;
        break;
    case EACCES:
    case EPERM:
    case EROFS:
    case EAGAIN:
        number = PermissionDenied;
        break;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        number = DiskFull;
        break;
    case EEXIST:
        number = FileExists;
        break;
    case EISDIR:
    case ELOOP:
    case EBUSY:
        number = PathFileAccess;
        break;
    case ENAMETOOLONG:
        number = BadFileName;
        break;
    default:
        break;
    }
    QString description = QString::fromLocal8Bit(std::strerror(err));
    if (!path.isEmpty())
        description += QStringLiteral(" (%1)").arg(path);
    return FileError(number, description);
}

FileError FileError::damaged(const QString &what)
{
    return FileError(InvalidFormat, QStringLiteral("The file is damaged: %1").arg(what));
}

} // namespace quillery
