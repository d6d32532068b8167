// SPDX-License-Identifier: GPL-3.0-or-later
#include "Noise.h"

#include "platform/FileError.h"
#include "platform/FileIo.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <vector>

namespace quillery::bench {

void writeNoise(const QString &path, qint64 size)
{
    UniqueFd fd(::open(QFile::encodeName(path).constData(),
                       O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
    if (!fd.valid())
        throw FileError::fromErrno(errno, path);
    std::vector<quint64> buffer((4 << 20) / sizeof(quint64));
    quint64 state = 0x9E3779B97F4A7C15ULL;
    for (qint64 done = 0; done < size;) {
        for (quint64 &word : buffer) {
            state ^= state << 13;
            state ^= state >> 7;
            state ^= state << 17;
            word = state;
        }
        const qint64 chunk = std::min<qint64>(size - done, qint64(buffer.size() * 8));
        fileio::writeAll(fd.get(), reinterpret_cast<const char *>(buffer.data()), chunk, path);
        done += chunk;
    }
}

} // namespace quillery::bench
