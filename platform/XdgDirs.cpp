// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/XdgDirs.h"

#include <QDir>

namespace quillery {

namespace {

// Relative entries are invalid under the XDG base directory rules; they are ignored.
QStringList absolutePaths(const QString &value, const QString &fallback)
{
    QStringList paths;
    for (const QString &path : value.split(u':', Qt::SkipEmptyParts)) {
        if (QDir::isAbsolutePath(path))
            paths.append(QDir::cleanPath(path));
    }
    if (paths.isEmpty())
        return absolutePaths(fallback, QString());
    return paths;
}

QString absolutePath(const char *variable, const QString &fallback)
{
    const QString value = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(value) ? QDir::cleanPath(value) : fallback;
}

} // namespace

XdgDirs XdgDirs::fromEnvironment()
{
    const QString home = QDir::homePath();
    XdgDirs dirs;
    dirs.configHome = absolutePath("XDG_CONFIG_HOME", home + QStringLiteral("/.config"));
    dirs.configDirs =
        absolutePaths(qEnvironmentVariable("XDG_CONFIG_DIRS"), QStringLiteral("/etc/xdg"));
    dirs.dataHome = absolutePath("XDG_DATA_HOME", home + QStringLiteral("/.local/share"));
    dirs.dataDirs = absolutePaths(qEnvironmentVariable("XDG_DATA_DIRS"),
                                  QStringLiteral("/usr/local/share:/usr/share"));
    dirs.stateHome = absolutePath("XDG_STATE_HOME", home + QStringLiteral("/.local/state"));
    for (const QString &desktop :
         qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':', Qt::SkipEmptyParts))
        dirs.desktops.append(desktop.toLower());
    return dirs;
}

QStringList XdgDirs::mimeappsLists() const
{
    QStringList folders{configHome};
    folders += configDirs;
    // The applications folders are the older place for the lists.
    folders += applicationDirs();
    QStringList lists;
    for (const QString &folder : std::as_const(folders)) {
        for (const QString &desktop : desktops)
            lists.append(folder + u'/' + desktop + QStringLiteral("-mimeapps.list"));
        lists.append(folder + QStringLiteral("/mimeapps.list"));
    }
    return lists;
}

QStringList XdgDirs::applicationDirs() const
{
    QStringList folders{dataHome + QStringLiteral("/applications")};
    for (const QString &dir : dataDirs)
        folders.append(dir + QStringLiteral("/applications"));
    return folders;
}

} // namespace quillery
