// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RuntimeFolder.h"

#include "platform/FileError.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

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
                    QStringLiteral("The binder is encrypted, and the files of its pages that "
                                   "other programs open are kept only in memory, in the "
                                   "user's runtime folder: ") +
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

namespace {

// The start time of the process in clock ticks since boot (field 22 of /proc/PID/stat),
// empty when there is no such process.
QByteArray startTimeOf(const QByteArray &pid)
{
    QFile stat(QFile::decodeName("/proc/" + pid + "/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return QByteArray();
    const QByteArray line = stat.readAll();
    // The command name in brackets may hold spaces and brackets of its own.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    constexpr int StartTime = 22 - 3;
    return fields.size() > StartTime ? fields.at(StartTime) : QByteArray();
}

// This process, as its id and start time: "PID.START". A process id alone may already
// belong to another program.
QString processTag()
{
    const QByteArray pid = QByteArray::number(::getpid());
    return QString::fromLatin1(pid + '.' + startTimeOf(pid));
}

// Whether the process that tag names still runs.
bool processRuns(const QString &tag)
{
    const QByteArray pid = tag.section(u'.', 0, 0).toLatin1();
    const QByteArray start = startTimeOf(pid);
    return !start.isEmpty() && start == tag.section(u'.', 1).toLatin1();
}

} // namespace

QString makeRuntimeSubfolder(const QString &prefix)
{
    const QString folder = privateRuntimeFolder();
    QByteArray pattern = QFile::encodeName(folder + u'/' + prefix + processTag()) + "-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        throw FileError::fromErrno(errno, folder);
    return QFile::decodeName(pattern);
}

void removeStaleRuntimeFolders(const QString &prefix)
{
    QString runtime;
    try {
        runtime = privateRuntimeFolder();
    } catch (const FileError &) {
        return;
    }
    const QRegularExpression name(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(prefix) + QStringLiteral("(\\d+\\.\\d+)-[A-Za-z0-9]{6}")));
    const QStringList entries = QDir(runtime).entryList(QDir::Dirs | QDir::NoDotAndDotDot |
                                                        QDir::Hidden | QDir::NoSymLinks);
    for (const QString &entry : entries) {
        const QRegularExpressionMatch match = name.match(entry);
        if (!match.hasMatch() || processRuns(match.captured(1)))
            continue;
        const QString path = runtime + u'/' + entry;
        struct stat st;
        if (::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
            st.st_uid == ::getuid())
            QDir(path).removeRecursively();
    }
}

} // namespace quillery
