// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform_ui/Orde.h"

#include "platform/Colours.h"
#include "platform/GeneralDate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QWidget>

#include <sys/stat.h>

namespace quillery::Orde {

namespace {

constexpr qint32 bgr(int red, int green, int blue)
{
    return red | green << 8 | blue << 16;
}

struct NamedColour
{
    const char *name;
    qint32 code;
};

// The sixteen basic HTML colours, as the editor's colour menu lists them.
constexpr NamedColour BasicColours[] = {
    {"Black", bgr(0x00, 0x00, 0x00)},  {"Maroon", bgr(0x80, 0x00, 0x00)},
    {"Green", bgr(0x00, 0x80, 0x00)},  {"Olive", bgr(0x80, 0x80, 0x00)},
    {"Navy", bgr(0x00, 0x00, 0x80)},   {"Purple", bgr(0x80, 0x00, 0x80)},
    {"Teal", bgr(0x00, 0x80, 0x80)},   {"Grey", bgr(0x80, 0x80, 0x80)},
    {"Silver", bgr(0xC0, 0xC0, 0xC0)}, {"Red", bgr(0xFF, 0x00, 0x00)},
    {"Lime", bgr(0x00, 0xFF, 0x00)},   {"Yellow", bgr(0xFF, 0xFF, 0x00)},
    {"Blue", bgr(0x00, 0x00, 0xFF)},   {"Fuchsia", bgr(0xFF, 0x00, 0xFF)},
    {"Aqua", bgr(0x00, 0xFF, 0xFF)},   {"White", bgr(0xFF, 0xFF, 0xFF)},
};

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
    const QString wanted = name.compare(QLatin1String("gray"), Qt::CaseInsensitive) == 0
                               ? QStringLiteral("grey")
                               : name;
    for (const NamedColour &colour : BasicColours) {
        if (wanted.compare(QLatin1String(colour.name), Qt::CaseInsensitive) == 0)
            return colour.code;
    }
    return std::nullopt;
}

QStringList BasicColourNames()
{
    QStringList names;
    for (const NamedColour &colour : BasicColours)
        names << QLatin1String(colour.name);
    return names;
}

QString ColourName(qint32 code)
{
    if (isSystemColour(code))
        return systemColourName(code);
    for (const NamedColour &colour : BasicColours) {
        if (colour.code == code)
            return QLatin1String(colour.name);
    }
    return colourFromCode(code).name(QColor::HexRgb).toUpper();
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
