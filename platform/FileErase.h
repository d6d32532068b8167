// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <vector>

namespace quillery::fileio {

struct ByteRange
{
    qint64 offset = 0;
    qint64 length = 0;
};

// Makes the bytes of the ranges unreadable in the file itself, keeping its size: each is
// freed as a hole, which reads as zeros, where the file system can do that, and written
// over with zeros where it cannot. Synced before it returns. Throws FileError.
void eraseRanges(int fd, const std::vector<ByteRange> &ranges, const QString &path);

} // namespace quillery::fileio
