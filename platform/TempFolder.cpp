// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TempFolder.h"

#include "platform/FileError.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillery {

TempFolder::TempFolder(const QString &path, const QString &prefix)
    : m_path(QDir::cleanPath(path)), m_prefix(prefix)
{
    const QByteArray name = QFile::encodeName(m_path);
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
        throw FileError::fromErrno(errno, m_path);
    struct stat st;
    if (::lstat(name.constData(), &st) != 0)
        throw FileError::fromErrno(errno, m_path);
    if (S_ISLNK(st.st_mode) || !S_ISDIR(st.st_mode))
        throw FileError(FileError::PathFileAccess,
                        QStringLiteral("The temporary folder %1 is not a real folder").arg(m_path));
    if (st.st_uid != ::getuid())
        throw FileError(
            FileError::PermissionDenied,
            QStringLiteral("The temporary folder %1 belongs to another user").arg(m_path));
    if ((st.st_mode & 077) != 0 && ::chmod(name.constData(), 0700) != 0)
        throw FileError::fromErrno(errno, m_path);
}

QString TempFolder::defaultPath()
{
    return QDir::tempPath() + QStringLiteral("/Quillery-") + QString::number(::getuid());
}

QString TempFolder::filePath(const QString &name) const
{
    return m_path + u'/' + name;
}

QString TempFolder::createFile() const
{
    QByteArray pattern = QFile::encodeName(filePath(m_prefix)) + "XXXXXX.tmp";
    const int fd = ::mkostemps(pattern.data(), 4, O_CLOEXEC);
    if (fd < 0)
        throw FileError::fromErrno(errno, m_path);
    ::close(fd);
    return QFile::decodeName(pattern);
}

void TempFolder::registerFile(const QString &path)
{
    m_files.append(path);
}

bool TempFolder::deleteFile(const QString &path)
{
    if (m_files.removeAll(path) == 0)
        return false;
    ::unlink(QFile::encodeName(path).constData());
    return true;
}

void TempFolder::deleteRegistered()
{
    for (const QString &file : std::as_const(m_files))
        ::unlink(QFile::encodeName(file).constData());
    m_files.clear();
}

} // namespace quillery
