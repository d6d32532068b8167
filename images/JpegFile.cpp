// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/JpegFile.h"

#include "images/JpegError.h"
#include "images/JpegSampling.h"
#include "images/JpegWriter.h"
#include "images/PixelRows.h"

#include <cerrno>
#include <cstring>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillery::jpeg {

namespace {

[[noreturn]] void failed(int error)
{
    throw JpegError(error, std::strerror(error));
}

void writeAll(int fd, const std::uint8_t *data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            failed(errno);
        data += written;
        size -= std::size_t(written);
    }
}

} // namespace

int writeNewFile(const std::string &fileName,
                 const std::function<void(const JpegBuffer::Sink &)> &encode)
{
    struct stat status = {};
    if (::lstat(fileName.c_str(), &status) == 0)
        return 2;
    const int fd = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == EEXIST)
            return 2;
        failed(errno);
    }
    bool open = true;
    try {
        encode([fd](const std::uint8_t *data, std::size_t size) { writeAll(fd, data, size); });
        open = false;
        // Some file systems report a failed write only here.
        if (::close(fd) != 0)
            failed(errno);
    } catch (...) {
        if (open)
            ::close(fd);
        ::unlink(fileName.c_str());
        throw;
    }
    return 0;
}

int saveNewJpeg(PixelRows &rows, const Settings &settings, const std::string &fileName)
{
    if (rows.width() < 1 || rows.height() < 1 || rows.width() > maxDimension ||
        rows.height() > maxDimension)
        return 3;
    try {
        FrameSampler sampler(rows, settings.sampling, settings.tables);
        return writeNewFile(fileName, [&](const JpegBuffer::Sink &sink) {
            writeJpeg(sampler.frame(), sampler, settings.comment, sink, settings.huffmanTables);
        });
    } catch (const std::bad_alloc &) {
        return 3;
    }
}

} // namespace quillery::jpeg
