// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/RawPicture.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include <sys/stat.h>
#include <unistd.h>

namespace quillery {

void pictureDamaged(const char *what)
{
    throw PictureDamaged{what};
}

void pictureUnreadable(int error)
{
    throw PictureDamaged{std::strerror(error)};
}

namespace {

// Reads up to `count` bytes at `offset`; fewer only where the file ends.
std::size_t readAt(int fd, std::int64_t offset, void *to, std::size_t count)
{
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = ::pread(fd, static_cast<char *>(to) + done, count - done,
                                    off_t(offset + std::int64_t(done)));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            pictureUnreadable(errno);
        if (got == 0)
            break;
        done += std::size_t(got);
    }
    return done;
}

// The start of a file, a character at a time, read a piece at a time.
class HeaderReader
{
public:
    HeaderReader(int fd, std::int64_t size) : fd_(fd), size_(size) {}

    int fd() const { return fd_; }
    std::int64_t size() const { return size_; }
    // Where the next character comes from.
    std::int64_t pos() const { return start_ + std::int64_t(next_); }
    bool next(char &c)
    {
        if (next_ == count_) {
            start_ += std::int64_t(count_);
            count_ = readAt(fd_, start_, piece_, sizeof piece_);
            next_ = 0;
            if (count_ == 0)
                return false;
        }
        c = piece_[next_++];
        return true;
    }
    // Whether the file holds `count` bytes at `offset`, copied into `to`.
    bool read(std::int64_t offset, void *to, std::size_t count) const
    {
        return readAt(fd_, offset, to, count) == count;
    }

private:
    int fd_;
    std::int64_t size_;
    char piece_[4096];
    std::int64_t start_ = 0; // where the piece was read
    std::size_t count_ = 0;
    std::size_t next_ = 0;
};

// Checks that `rows` rows of `rowBytes` bytes follow `from` in the file
// (divided, so no size overflows).
void requireRows(const HeaderReader &file, std::int64_t from, std::int64_t rowBytes,
                 std::int64_t rows)
{
    if (from > file.size() || (file.size() - from) / rowBytes < rows)
        pictureDamaged("the file ends before the picture does");
}

// ---- PPM and PGM ----

char nextChar(HeaderReader &file)
{
    char c = 0;
    if (!file.next(c))
        pictureDamaged("the header is incomplete");
    return c;
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// A header number, after white space and comments (from '#' to the end of
// the line). The character after it is consumed: exactly one white space
// character ends the header.
std::int64_t headerNumber(HeaderReader &file)
{
    char c = nextChar(file);
    while (isSpace(c) || c == '#') {
        if (c == '#') {
            while (c != '\n' && c != '\r')
                c = nextChar(file);
        }
        c = nextChar(file);
    }
    if (c < '0' || c > '9')
        pictureDamaged("the header is damaged");
    std::int64_t value = 0;
    while (c >= '0' && c <= '9') {
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<std::int32_t>::max())
            pictureDamaged("the picture is too large");
        c = nextChar(file);
    }
    if (!isSpace(c))
        pictureDamaged("the header is damaged");
    return value;
}

// The largest sample value a PPM or PGM file may give.
constexpr std::int64_t maxSampleValue = 65535;

// Each value from 0 to maxValue brought to 0 ... 255, rounded.
std::vector<std::uint8_t> scaleTable(std::int64_t maxValue)
{
    std::vector<std::uint8_t> table(maxValue > 255 ? 65536 : 256, 255);
    for (std::int64_t v = 0; v < maxValue; ++v)
        table[std::size_t(v)] = std::uint8_t((v * 255 + maxValue / 2) / maxValue);
    return table;
}

// Binary PGM (P5) or PPM (P6).
std::optional<RawPicture> pnmHeader(HeaderReader &file)
{
    char magic[2] = {};
    if (!file.read(0, magic, 2) || magic[0] != 'P' || (magic[1] != '5' && magic[1] != '6'))
        return std::nullopt;
    file.next(magic[0]);
    file.next(magic[1]);
    const bool colour = magic[1] == '6';
    RawPicture raw;
    raw.width = int(headerNumber(file));
    raw.height = int(headerNumber(file));
    const std::int64_t maxValue = headerNumber(file);
    if (raw.width == 0 || raw.height == 0)
        pictureDamaged("the picture has no pixels");
    if (maxValue == 0 || maxValue > maxSampleValue)
        pictureDamaged("the largest sample value is not between 1 and 65535");
    const int sampleBytes = maxValue > 255 ? 2 : 1;
    raw.pixels = colour ? RawPicture::Pixels::Rgb : RawPicture::Pixels::Grey;
    raw.bitCount = colour ? 24 : 8;
    raw.offset = file.pos();
    raw.stride = std::int64_t(raw.width) * (colour ? 3 : 1) * sampleBytes;
    requireRows(file, raw.offset, raw.stride, raw.height);
    if (maxValue != 255)
        raw.scale = scaleTable(maxValue);
    return raw;
}

// ---- BMP ----

std::uint32_t le32(const std::uint8_t *p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

std::uint16_t le16(const std::uint8_t *p)
{
    return std::uint16_t(p[0] | p[1] << 8);
}

constexpr int fileHeaderBytes = 14;
constexpr int infoHeaderBytes = 40;

// An uncompressed bitmap with the plain 40-byte header.
std::optional<RawPicture> bmpHeader(const HeaderReader &file)
{
    std::uint8_t header[fileHeaderBytes + infoHeaderBytes];
    if (!file.read(0, header, sizeof header) || header[0] != 'B' || header[1] != 'M')
        return std::nullopt;
    const std::uint8_t *info = header + fileHeaderBytes;
    const int bitCount = le16(info + 14);
    if (le32(info) != infoHeaderBytes || le32(info + 16) != 0 ||
        (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32))
        return std::nullopt;

    const std::uint32_t bitsOffset = le32(header + 10);
    const auto width = std::int32_t(le32(info + 4));
    const auto signedHeight = std::int32_t(le32(info + 8));
    if (width <= 0 || signedHeight == 0 || signedHeight == std::numeric_limits<std::int32_t>::min())
        pictureDamaged("the header gives no valid size");
    RawPicture raw;
    raw.width = width;
    raw.topDown = signedHeight < 0;
    raw.height = raw.topDown ? -signedHeight : signedHeight;
    raw.bitCount = bitCount;
    raw.pixels = bitCount == 24   ? RawPicture::Pixels::Bgr
                 : bitCount == 32 ? RawPicture::Pixels::Bgrx
                                  : RawPicture::Pixels::Indexed;

    const std::int64_t maxColours = bitCount <= 8 ? std::int64_t(1) << bitCount : 0;
    const std::uint32_t coloursUsed = le32(info + 32);
    // Entries past what the pixels can use are never read.
    const std::int64_t colours =
        coloursUsed == 0 ? maxColours : std::min<std::int64_t>(coloursUsed, maxColours);
    const std::int64_t tableEnd = fileHeaderBytes + infoHeaderBytes + 4 * colours;
    if (tableEnd > file.size())
        pictureDamaged("the colour table runs past the end of the file");
    if (bitsOffset < tableEnd)
        pictureDamaged("the pixels overlap the header");

    raw.offset = bitsOffset;
    raw.stride = ((width * std::int64_t(bitCount) + 31) / 32) * 4;
    requireRows(file, raw.offset, raw.stride, raw.height);

    if (bitCount <= 8) {
        std::vector<std::uint8_t> table(std::size_t(4 * colours));
        readExactly(file.fd(), fileHeaderBytes + infoHeaderBytes, table.data(), table.size());
        // Entries the file does not give are black.
        raw.colours.resize(static_cast<std::size_t>(maxColours));
        for (std::int64_t i = 0; i < colours; ++i)
            raw.colours[i] = {table[4 * i], table[4 * i + 1], table[4 * i + 2], 0};
    }
    return raw;
}

} // namespace

const std::uint8_t *RawPicture::byteSamples(const std::uint8_t *from,
                                            std::vector<std::uint8_t> &scaled) const
{
    if (scale.empty())
        return from;
    const std::size_t samples = std::size_t(width) * (pixels == Pixels::Rgb ? 3 : 1);
    scaled.resize(samples);
    const std::uint8_t *table = scale.data();
    if (scale.size() > 256) {
        for (std::size_t i = 0; i < samples; ++i)
            scaled[i] = table[std::size_t(from[2 * i]) << 8 | from[2 * i + 1]];
    } else {
        for (std::size_t i = 0; i < samples; ++i)
            scaled[i] = table[from[i]];
    }
    return scaled.data();
}

void readExactly(int fd, std::int64_t offset, void *to, std::size_t count)
{
    if (readAt(fd, offset, to, count) != count)
        pictureDamaged("the file ends before the picture does");
}

std::optional<RawPicture> readRawHeader(int fd)
{
    struct stat status = {};
    if (::fstat(fd, &status) != 0)
        pictureUnreadable(errno);
    if (S_ISDIR(status.st_mode))
        pictureUnreadable(EISDIR);
    // Anything else (a pipe, a device) may not be read where it is wanted.
    if (!S_ISREG(status.st_mode))
        return std::nullopt;
    HeaderReader file(fd, status.st_size);
    if (std::optional<RawPicture> raw = pnmHeader(file))
        return raw;
    return bmpHeader(file);
}

} // namespace quillery
