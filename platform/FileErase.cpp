// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileErase.h"

#include "platform/FileError.h"

#include <QByteArray>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace quillery::fileio {

namespace {

void writeZeros(int fd, const ByteRange &range, const QString &path)
{
    static const QByteArray zeros(64 * 1024, '\0');
    qint64 done = 0;
    while (done < range.length) {
        const size_t step = size_t(std::min<qint64>(zeros.size(), range.length - done));
        const ssize_t n = ::pwrite(fd, zeros.constData(), step, range.offset + done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw FileError::fromErrno(n < 0 ? errno : EIO, path);
        done += n;
    }
}

} // namespace

void eraseRanges(int fd, const std::vector<ByteRange> &ranges, const QString &path)
{
    bool canPunch = true;
    for (const ByteRange &range : ranges) {
        if (range.length <= 0)
            continue;
        if (canPunch && ::fallocate(fd, FALLOC_FL_PUNCH_HOLE | FALLOC_FL_KEEP_SIZE, range.offset,
                                    range.length) == 0)
            continue;
        if (canPunch && errno != EOPNOTSUPP && errno != ENOSYS)
            throw FileError::fromErrno(errno, path);
        canPunch = false;
        writeZeros(fd, range, path);
    }
    if (::fdatasync(fd) != 0)
        throw FileError::fromErrno(errno, path);
}

} // namespace quillery::fileio
