// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/PictureFile.h"

#include "images/Simd.h"
#include "images/cImage.h"

#include <QFile>
#include <QImageReader>

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

namespace quillery {

namespace {

// Rows are read and converted this many bytes at a time.
constexpr qint64 chunkBytes = 1 << 18;

// Thrown with what is wrong with the file.
struct Damaged
{
    QString what;
};

[[noreturn]] void damaged(const char *what)
{
    throw Damaged{QString::fromLatin1(what)};
}

void readExactly(QFile &file, void *to, qint64 size)
{
    if (file.read(static_cast<char *>(to), size) != size)
        damaged("the file ends before the picture does");
}

void createImage(cImage &image, std::int64_t width, std::int64_t height, int bitCount)
{
    if (width > std::numeric_limits<int>::max() || height > std::numeric_limits<int>::max() ||
        !image.Create(int(width), int(height), bitCount))
        damaged("the picture is too large");
}

// Checks that `rows` rows of `rowBytes` bytes follow `from` in the file
// before anything is allocated for them (divided, so no size overflows).
void requireRows(const QFile &file, std::int64_t from, std::int64_t rowBytes, std::int64_t rows)
{
    if (from > file.size() || (file.size() - from) / rowBytes < rows)
        damaged("the file ends before the picture does");
}

// Reads `rows` rows of `rowBytes` bytes in batches and hands each to `take`
// (row number, bytes).
template <typename Take> void readRows(QFile &file, int rows, std::size_t rowBytes, Take take)
{
    const int batch =
        int(std::max<std::size_t>(1, chunkBytes / std::max<std::size_t>(1, rowBytes)));
    std::vector<std::uint8_t> buffer(rowBytes * std::size_t(std::min(batch, rows)));
    for (int first = 0; first < rows; first += batch) {
        const int count = std::min(batch, rows - first);
        readExactly(file, buffer.data(), qint64(rowBytes) * count);
        for (int i = 0; i < count; ++i)
            take(first + i, buffer.data() + rowBytes * std::size_t(i));
    }
}

// ---- PPM and PGM ----

typedef std::uint8_t Bytes16 __attribute__((vector_size(16)));

// Copies `pixels` three-byte pixels, exchanging the first and third byte of
// each (red, green, blue to blue, green, red).
QUILLERY_VECTOR_CLONES
void swapRedAndBlue(const std::uint8_t *from, std::uint8_t *to, std::size_t pixels)
{
    const std::size_t bytes = 3 * pixels;
    std::size_t i = 0;
    // Five pixels per sixteen bytes; the sixteenth byte, copied as it is,
    // is put right by the next step.
    for (; i + 16 <= bytes; i += 15) {
        Bytes16 v;
        std::memcpy(&v, from + i, 16);
        v = __builtin_shufflevector(v, v, 2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 14, 13, 12, 15);
        std::memcpy(to + i, &v, 16);
    }
    for (; i < bytes; i += 3) {
        to[i] = from[i + 2];
        to[i + 1] = from[i + 1];
        to[i + 2] = from[i];
    }
}

char nextChar(QFile &file)
{
    char c = 0;
    if (!file.getChar(&c))
        damaged("the header is incomplete");
    return c;
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// A header number, after white space and comments (from '#' to the end of
// the line). The character after it is consumed: exactly one white space
// character ends the header.
std::int64_t headerNumber(QFile &file)
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
        damaged("the header is damaged");
    std::int64_t value = 0;
    while (c >= '0' && c <= '9') {
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<std::int32_t>::max())
            damaged("the picture is too large");
        c = nextChar(file);
    }
    if (!isSpace(c))
        damaged("the header is damaged");
    return value;
}

// Binary PGM (P5) or PPM (P6) at 8 bits; nothing when it is another kind.
bool readPnm(QFile &file, cImage &image)
{
    char magic[2] = {};
    if (file.peek(magic, 2) != 2 || magic[0] != 'P' || (magic[1] != '5' && magic[1] != '6'))
        return false;
    const auto headerStart = file.pos();
    file.skip(2);
    const bool colour = magic[1] == '6';
    const std::int64_t width = headerNumber(file);
    const std::int64_t height = headerNumber(file);
    const std::int64_t maxValue = headerNumber(file);
    if (width == 0 || height == 0)
        damaged("the picture has no pixels");
    if (maxValue != 255) {
        // Other sample ranges are scaled by Qt's reader.
        file.seek(headerStart);
        return false;
    }
    const int channels = colour ? 3 : 1;
    requireRows(file, file.pos(), width * channels, height);
    createImage(image, width, height, colour ? 24 : 8);

    const std::size_t rowBytes = std::size_t(width) * channels;
    readRows(file, int(height), rowBytes, [&](int y, const std::uint8_t *from) {
        std::uint8_t *to = image.scanLine(y);
        if (!colour) {
            std::memcpy(to, from, rowBytes);
            return;
        }
        swapRedAndBlue(from, to, std::size_t(width));
    });
    return true;
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

// An uncompressed bitmap with the plain 40-byte header; nothing for any
// other kind of bitmap.
bool readBmp(QFile &file, cImage &image)
{
    std::uint8_t header[fileHeaderBytes + infoHeaderBytes];
    if (file.peek(reinterpret_cast<char *>(header), sizeof header) != qint64(sizeof header) ||
        header[0] != 'B' || header[1] != 'M')
        return false;
    const std::uint8_t *info = header + fileHeaderBytes;
    const int bitCount = le16(info + 14);
    if (le32(info) != infoHeaderBytes || le32(info + 16) != 0 ||
        (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32))
        return false;

    const std::uint32_t bitsOffset = le32(header + 10);
    const auto width = std::int32_t(le32(info + 4));
    const auto signedHeight = std::int32_t(le32(info + 8));
    if (width <= 0 || signedHeight == 0 || signedHeight == std::numeric_limits<std::int32_t>::min())
        damaged("the header gives no valid size");
    const bool topDown = signedHeight < 0;
    const std::int64_t height = topDown ? -std::int64_t(signedHeight) : signedHeight;

    const std::int64_t maxColours = bitCount <= 8 ? std::int64_t(1) << bitCount : 0;
    const std::uint32_t coloursUsed = le32(info + 32);
    // Entries past what the pixels can use are never read.
    const std::int64_t colours =
        coloursUsed == 0 ? maxColours : std::min<std::int64_t>(coloursUsed, maxColours);
    const std::int64_t tableEnd = fileHeaderBytes + infoHeaderBytes + 4 * colours;
    if (tableEnd > file.size())
        damaged("the colour table runs past the end of the file");
    if (bitsOffset < tableEnd)
        damaged("the pixels overlap the header");

    const std::int64_t fileStride = ((width * std::int64_t(bitCount) + 31) / 32) * 4;
    requireRows(file, bitsOffset, fileStride, height);
    createImage(image, width, height, bitCount == 32 ? 24 : bitCount);

    if (bitCount <= 8) {
        std::vector<std::uint8_t> table(std::size_t(4 * colours));
        file.seek(fileHeaderBytes + infoHeaderBytes);
        readExactly(file, table.data(), qint64(table.size()));
        // Entries the file does not give are black.
        std::vector<RgbQuad> quads(static_cast<std::size_t>(maxColours));
        for (std::int64_t i = 0; i < colours; ++i)
            quads[i] = {table[4 * i], table[4 * i + 1], table[4 * i + 2], 0};
        image.setColourTable(quads);
    }

    file.seek(bitsOffset);
    const int rows = int(height);
    // Row r of the file is row y of the picture, counted from the top.
    const auto pictureRow = [&](int r) {
        return topDown ? r : rows - 1 - r;
    };
    if (bitCount == 32) {
        readRows(file, rows, std::size_t(fileStride), [&](int r, const std::uint8_t *from) {
            std::uint8_t *to = image.scanLine(pictureRow(r));
            for (int x = 0; x < width; ++x)
                std::memcpy(to + 3 * std::size_t(x), from + 4 * std::size_t(x), 3);
        });
    } else if (!topDown) {
        // Bottom-up rows padded to 4 bytes: the buffer's own layout.
        readExactly(file, image.DIBitsPtr(), fileStride * height);
    } else {
        for (int r = 0; r < rows; ++r)
            readExactly(file, image.scanLine(r), fileStride);
    }
    return true;
}

QString readWithQt(const QString &fileName, cImage &image, bool asTaken)
{
    QImageReader reader(fileName);
    reader.setAutoTransform(asTaken);
    const QImage picture = reader.read();
    if (picture.isNull())
        return reader.errorString();
    if (!image.CopyStdPicture(picture))
        return QStringLiteral("the picture is too large");
    return {};
}

} // namespace

QString readPictureFile(const QString &fileName, cImage &image, bool asTaken)
{
    image = cImage();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    try {
        if (readPnm(file, image) || readBmp(file, image))
            return {};
    } catch (const Damaged &error) {
        image = cImage();
        return error.what;
    }
    file.close();
    return readWithQt(fileName, image, asTaken);
}

} // namespace quillery
