// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace quillery {

// The freedesktop base folders that file-type associations are looked up in, most
// important first. Tests build their own; the program takes the environment's.
struct XdgDirs
{
    QString configHome;
    QStringList configDirs;
    QString dataHome;
    QStringList dataDirs;
    QString stateHome;
    QStringList desktops; // XDG_CURRENT_DESKTOP, in lower case

    // XDG_CONFIG_HOME, XDG_CONFIG_DIRS, XDG_DATA_HOME, XDG_DATA_DIRS, XDG_STATE_HOME and
    // XDG_CURRENT_DESKTOP with the base directory specification's defaults.
    static XdgDirs fromEnvironment();

    // Every place a mimeapps.list may be, in the order they are consulted.
    QStringList mimeappsLists() const;
    // The applications folders holding desktop entries, in order.
    QStringList applicationDirs() const;
};

} // namespace quillery
