// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform_ui/Orde.h"

#include "platform/GeneralDate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QWidget>

#include <sys/stat.h>

namespace quillery::Orde {

namespace {

constexpr qint32 bgr(int red, int green, int blue)
{
    return red | green << 8 | blue << 16;
}

} // namespace

bool IsFile(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool IsFolder(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

std::optional<qint32> ColourFromName(const QString &name)
{
    static const QHash<QString, qint32> colours = {
        {QStringLiteral("black"), bgr(0x00, 0x00, 0x00)},
        {QStringLiteral("maroon"), bgr(0x80, 0x00, 0x00)},
        {QStringLiteral("green"), bgr(0x00, 0x80, 0x00)},
        {QStringLiteral("olive"), bgr(0x80, 0x80, 0x00)},
        {QStringLiteral("navy"), bgr(0x00, 0x00, 0x80)},
        {QStringLiteral("purple"), bgr(0x80, 0x00, 0x80)},
        {QStringLiteral("teal"), bgr(0x00, 0x80, 0x80)},
        {QStringLiteral("grey"), bgr(0x80, 0x80, 0x80)},
        {QStringLiteral("gray"), bgr(0x80, 0x80, 0x80)},
        {QStringLiteral("silver"), bgr(0xC0, 0xC0, 0xC0)},
        {QStringLiteral("red"), bgr(0xFF, 0x00, 0x00)},
        {QStringLiteral("lime"), bgr(0x00, 0xFF, 0x00)},
        {QStringLiteral("yellow"), bgr(0xFF, 0xFF, 0x00)},
        {QStringLiteral("blue"), bgr(0x00, 0x00, 0xFF)},
        {QStringLiteral("fuchsia"), bgr(0xFF, 0x00, 0xFF)},
        {QStringLiteral("aqua"), bgr(0x00, 0xFF, 0xFF)},
        {QStringLiteral("white"), bgr(0xFF, 0xFF, 0xFF)},
    };
    const auto found = colours.constFind(name.toLower());
    if (found == colours.constEnd())
        return std::nullopt;
    return *found;
}

QString ShortName(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

QString FileCreated(const QString &path)
{
    const QFileInfo info(path);
    const QDateTime born = info.birthTime();
    return generalDate(born.isValid() ? born : info.metadataChangeTime());
}

QString FileAccessed(const QString &path)
{
    return generalDate(QFileInfo(path).lastRead());
}

QString FileModified(const QString &path)
{
    // QFileInfo stops at milliseconds; the nanoseconds come from stat itself.
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return QString();
    const QDateTime when = QDateTime::fromSecsSinceEpoch(status.st_mtim.tv_sec);
    return generalDatePrecise(when, int(status.st_mtim.tv_nsec)) + QLatin1String(" (") +
           QLocale::system().toString(qint64(status.st_size)) + QLatin1String(" bytes)");
}

void SetTopmost(QWidget *window, bool topmost)
{
    if (!window)
        return;
    // Changing window flags hides the window; show it again if it was up.
    const bool shown = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    if (shown)
        window->show();
}

} // namespace quillery::Orde
