// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/RawPictureRows.h"

#include "images/Pixels.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace quillery {

namespace {

// A strip holds a multiple of this many rows, starting at a multiple of it,
// so that the rows of one row of blocks (8, 16 or 32 rows, aligned) are never
// split between strips.
constexpr int stripRowUnit = 32;
// Bytes a strip is made to hold at least, so that each read is a large one.
constexpr std::int64_t stripBytes = 1 << 18;

} // namespace

RawPictureRows::RawPictureRows(int fd, RawPicture raw)
    : fd_(fd), raw_(std::move(raw)),
      stripRows_(stripRowUnit *
                 int(std::max<std::int64_t>(1, stripBytes / (stripRowUnit * raw_.stride))))
{
}

RawPictureRows::~RawPictureRows()
{
    ::close(fd_);
}

void RawPictureRows::readStrip(int first)
{
    const int count = std::min(stripRows_, raw_.height - first);
    if (!strip_)
        strip_.reset(new std::uint8_t[std::size_t(raw_.stride) *
                                      std::size_t(std::min(stripRows_, raw_.height))]);
    // Bottom-up files keep the strip's last row first.
    const std::int64_t offset = raw_.rowOffset(raw_.topDown ? first : first + count - 1);
    readExactly(fd_, offset, strip_.get(), std::size_t(raw_.stride) * std::size_t(count));
    first_ = first;
    count_ = count;
}

const std::uint8_t *RawPictureRows::row(int y)
{
    if (y < first_ || y >= first_ + count_)
        readStrip(y - y % stripRows_);
    const int place = raw_.topDown ? y - first_ : first_ + count_ - 1 - y;
    const std::uint8_t *from =
        raw_.byteSamples(strip_.get() + std::size_t(raw_.stride) * std::size_t(place), scaled_);
    const int width = raw_.width;
    if (raw_.pixels == RawPicture::Pixels::Rgb || raw_.pixels == RawPicture::Pixels::Bgr)
        return from;

    converted_.resize(3 * std::size_t(width));
    std::uint8_t *to = converted_.data();
    for (int x = 0; x < width; ++x, to += 3) {
        switch (raw_.pixels) {
        case RawPicture::Pixels::Grey:
            to[0] = to[1] = to[2] = from[x];
            break;
        case RawPicture::Pixels::Bgrx:
            std::memcpy(to, from + 4 * std::size_t(x), 3);
            break;
        default: {
            const RgbQuad &q = raw_.colours[pixelIndex(from, x, raw_.bitCount)];
            to[0] = q.blue;
            to[1] = q.green;
            to[2] = q.red;
        }
        }
    }
    return converted_.data();
}

std::unique_ptr<RawPictureRows> openRawPictureRows(const std::string &fileName)
{
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        pictureUnreadable(errno);
    try {
        if (std::optional<RawPicture> raw = readRawHeader(fd))
            return std::make_unique<RawPictureRows>(fd, std::move(*raw));
    } catch (...) {
        ::close(fd);
        throw;
    }
    ::close(fd);
    return nullptr;
}

} // namespace quillery
