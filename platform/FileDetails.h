// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillery {

// What the program asks about a path and shows of a file: whether it is there, its full
// name and its times.

// False for an empty path.
bool isFile(const QString &path);
bool isFolder(const QString &path);

// The canonical path, links resolved; the cleaned absolute path of a file that is not there.
QString canonicalPath(const QString &path);

// Time texts of an existing file. Where the file system records no birth time, the
// creation time is the last change of the file's metadata.
QString fileCreatedText(const QString &path);
QString fileAccessedText(const QString &path);
// Changes whenever the file is written, also twice within one second: the time carries
// its nanoseconds and the text the size. Rewriting the same bytes within the time
// stamp's resolution gives an equal text.
QString fileModifiedText(const QString &path);

} // namespace quillery
