// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TempFolder.h"

#include "platform/FileError.h"
#include "platform/MemoryFile.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillery {

namespace {

// What /proc shows of the program's memory files.
const QString MemoryFileName = QStringLiteral("quillery");

// A registered folder goes once the files registered before it have.
void removeRegistered(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    if (::unlink(name.constData()) != 0 && errno == EISDIR)
        ::rmdir(name.constData());
}

} // namespace

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

TempFolder TempFolder::inMemory()
{
    TempFolder folder{InMemory()};
    folder.m_memory = std::make_shared<std::map<QString, UniqueFd>>();
    return folder;
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
    if (m_memory) {
        UniqueFd fd = createMemoryFile(MemoryFileName);
        const QString path = memoryFilePath(fd.get());
        m_memory->insert_or_assign(path, std::move(fd));
        return path;
    }
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

QString TempFolder::adopt(UniqueFd memoryFile)
{
    Q_ASSERT(m_memory);
    const QString path = memoryFilePath(memoryFile.get());
    m_memory->insert_or_assign(path, std::move(memoryFile));
    m_files.append(path);
    return path;
}

bool TempFolder::deleteFile(const QString &path)
{
    if (m_files.removeAll(path) == 0)
        return false;
    if (m_memory)
        m_memory->erase(path);
    else
        removeRegistered(path);
    return true;
}

void TempFolder::deleteRegistered()
{
    for (const QString &file : std::as_const(m_files)) {
        if (m_memory)
            m_memory->erase(file);
        else
            removeRegistered(file);
    }
    m_files.clear();
}

bool TempFolder::holds(const QString &path) const
{
    return m_memory ? m_memory->count(path) > 0 : path.startsWith(m_path + u'/');
}

} // namespace quillery
