// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillery {

struct XdgDirs;

// The desktop entry of the application that opens files of a MIME type, following the
// freedesktop MIME applications specification: the defaults named in the mimeapps.list
// files, then the added associations, then any installed application that lists the
// type, less the removed associations; for each in turn the type itself, then the types
// it is a kind of. An entry counts when it is an installed, not hidden application
// whose program exists. Returns the entry's path, or "" when there is none.
QString defaultApplicationFor(const QString &mimeType, const XdgDirs &dirs);

// The command line an application entry runs, from its Exec key: the file placeholders
// (%f %F %u %U) stay, %i, %c and %k are filled in and deprecated codes removed.
// Empty when the entry has no Exec.
QString execCommand(const QString &desktopEntryPath);

} // namespace quillery
