// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RuntimeFolder.h"

#include "platform/FileError.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace quillery {

namespace {

[[noreturn]] void refuse(const QString &why)
{
    throw FileError(FileError::PathFileAccess,
                    QStringLiteral("The binder is encrypted, and its plain copy is kept only in "
                                   "memory, in the user's runtime folder: ") +
                        why);
}

} // namespace

QString privateRuntimeFolder()
{
    const QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty())
        refuse(QStringLiteral("XDG_RUNTIME_DIR is not set"));
    if (!QDir::isAbsolutePath(folder))
        refuse(QStringLiteral("XDG_RUNTIME_DIR (%1) is not an absolute path").arg(folder));
    const QByteArray name = QFile::encodeName(folder);
    struct stat st;
    if (::lstat(name.constData(), &st) != 0)
        refuse(QStringLiteral("%1 (XDG_RUNTIME_DIR) cannot be used: %2")
                   .arg(folder, FileError::fromErrno(errno).description()));
    if (!S_ISDIR(st.st_mode))
        refuse(QStringLiteral("%1 (XDG_RUNTIME_DIR) is not a folder").arg(folder));
    if (st.st_uid != ::getuid())
        refuse(QStringLiteral("%1 (XDG_RUNTIME_DIR) belongs to another user").arg(folder));
    if ((st.st_mode & 077) != 0)
        refuse(QStringLiteral("%1 (XDG_RUNTIME_DIR) is open to other users (mode %2, not 0700)")
                   .arg(folder)
                   .arg(st.st_mode & 07777, 4, 8, QLatin1Char('0')));
    struct statfs fs;
    if (::statfs(name.constData(), &fs) != 0 ||
        (fs.f_type != TMPFS_MAGIC && fs.f_type != RAMFS_MAGIC))
        refuse(QStringLiteral("%1 (XDG_RUNTIME_DIR) is not a memory file system, so the copy "
                              "would be written to a disk")
                   .arg(folder));
    return QDir::cleanPath(folder);
}

QString makeRuntimeSubfolder(const QString &prefix)
{
    const QString folder = privateRuntimeFolder();
    QByteArray pattern = QFile::encodeName(folder + u'/' + prefix) + "XXXXXX";
    if (!::mkdtemp(pattern.data()))
        throw FileError::fromErrno(errno, folder);
    return QFile::decodeName(pattern);
}

} // namespace quillery
