// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillery {

struct XdgDirs;

// The root of the file-type keys, the only root there is here.
constexpr quint32 ClassesRoot = 0x80000000;

// What the system knows about file types, asked as classic file-type keys, each read by
// its default (empty-named) value:
//   ".ext"                       the MIME type of files with that extension
//   "type\shell\Open\command"    the command line of the application that opens files of
//                                that MIME type by default (its Exec line; the file
//                                placeholder is %f, %F, %u or %U)
// Anything else, and any answer longer than 255 characters, reads as "[NOT FOUND]".
QString readFileTypeKey(quint32 topKey, const QString &path, const QString &valueName);
QString readFileTypeKey(quint32 topKey, const QString &path, const QString &valueName,
                        const XdgDirs &dirs);

inline const QString RegNotFound = QStringLiteral("[NOT FOUND]");

} // namespace quillery
