// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RegString.h"

#include "platform/DefaultApplication.h"
#include "platform/XdgDirs.h"

#include <QMimeDatabase>

namespace quillery {

namespace {

// Values were read into a buffer of 256 characters with its terminating zero; callers
// fall back to the desktop's own opener when a value does not fit.
constexpr qsizetype MaxValueLength = 255;

const QString commandSuffix = QStringLiteral("\\shell\\open\\command");

QString typeOfExtension(const QString &key)
{
    if (key.size() < 2 || key.contains(u'/') || key.contains(u'\\'))
        return QString();
    const QMimeType type = QMimeDatabase().mimeTypeForFile(QStringLiteral("file") + key,
                                                           QMimeDatabase::MatchExtension);
    return type.isValid() && !type.isDefault() ? type.name() : QString();
}

QString openCommand(const QString &key, const XdgDirs &dirs)
{
    if (!key.endsWith(commandSuffix, Qt::CaseInsensitive))
        return QString();
    const QString type = key.chopped(commandSuffix.size());
    if (type.isEmpty())
        return QString();
    const QString entry = defaultApplicationFor(type, dirs);
    return entry.isEmpty() ? QString() : execCommand(entry);
}

} // namespace

QString readFileTypeKey(quint32 topKey, const QString &path, const QString &valueName)
{
    return readFileTypeKey(topKey, path, valueName, XdgDirs::fromEnvironment());
}

QString readFileTypeKey(quint32 topKey, const QString &path, const QString &valueName,
                        const XdgDirs &dirs)
{
    if (topKey != ClassesRoot || !valueName.isEmpty())
        return RegNotFound;
    const QString value = path.startsWith(u'.') ? typeOfExtension(path) : openCommand(path, dirs);
    if (value.isEmpty() || value.size() > MaxValueLength)
        return RegNotFound;
    return value;
}

} // namespace quillery
