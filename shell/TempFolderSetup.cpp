// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/TempFolderSetup.h"

#include "platform/FileError.h"
#include "platform/TempFolder.h"
#include "shell/InstanceLock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <unistd.h>

namespace quillery {

namespace {

QString makePrivateFolder(const QString &besides)
{
    QByteArray pattern = QFile::encodeName(QDir::cleanPath(besides)) + "-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        throw FileError::fromErrno(errno, QFile::decodeName(pattern));
    return QFile::decodeName(pattern);
}

} // namespace

OpenedTempFolder openTempFolder(const QString &path)
{
    OpenedTempFolder opened;
    try {
        opened.folder = std::make_unique<TempFolder>(path);
    } catch (const FileError &error) {
        opened.folder = std::make_unique<TempFolder>(makePrivateFolder(path));
        opened.warning =
            QCoreApplication::translate("TempFolderSetup",
                                        "Quillery cannot use its temporary folder '") +
            path + QStringLiteral("' - ") + error.description() + QStringLiteral(", ") +
            QString::number(error.number()) +
            QCoreApplication::translate("TempFolderSetup", ".  It uses '") + opened.folder->path() +
            QCoreApplication::translate("TempFolderSetup", "' instead until it closes.");
    }
    return opened;
}

void cleanTempFolder(const QString &folder)
{
    const QDir dir(folder);
    const QStringList names =
        dir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        const QString path = dir.filePath(name);
        if (name == InstanceLock::FileName || path.right(12).startsWith(QLatin1String("Clip")))
            continue;
        // unlink, not a recursive remove: a link goes, never what it points to.
        ::unlink(QFile::encodeName(path).constData());
    }
}

} // namespace quillery
