// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileDetails.h"

#include "platform/GeneralDate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <sys/stat.h>

namespace quillery {

bool isFile(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool isFolder(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

QString canonicalPath(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

QString fileCreatedText(const QString &path)
{
    const QFileInfo info(path);
    const QDateTime born = info.birthTime();
    return localDate(born.isValid() ? born : info.metadataChangeTime());
}

QString fileAccessedText(const QString &path)
{
    return localDate(QFileInfo(path).lastRead());
}

QString fileModifiedText(const QString &path)
{
    // QFileInfo stops at milliseconds; the nanoseconds come from stat itself.
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return QString();
    const QDateTime when = QDateTime::fromSecsSinceEpoch(status.st_mtim.tv_sec);
    return generalDatePrecise(when, int(status.st_mtim.tv_nsec)) + QLatin1String(" (") +
           QLocale::system().toString(qint64(status.st_size)) + QLatin1String(" bytes)");
}

} // namespace quillery
