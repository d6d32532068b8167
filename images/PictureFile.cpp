// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/PictureFile.h"

#include "images/ImageRows.h"
#include "images/Picture.h"
#include "images/RawPicture.h"
#include "images/RawPictureRows.h"
#include "images/Simd.h"

#include <QFile>
#include <QImageReader>

#include <algorithm>
#include <cstring>
#include <vector>

namespace quillery {

namespace {

// Rows are read and converted this many bytes at a time.
constexpr qint64 chunkBytes = 1 << 18;

void readNext(QFile &file, void *to, qint64 size)
{
    if (file.read(static_cast<char *>(to), size) != size)
        pictureDamaged("the file ends before the picture does");
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
        readNext(file, buffer.data(), qint64(rowBytes) * count);
        for (int i = 0; i < count; ++i)
            take(first + i, buffer.data() + rowBytes * std::size_t(i));
    }
}

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

int imageBitCount(const RawPicture &raw)
{
    switch (raw.pixels) {
    case RawPicture::Pixels::Grey:
        return 8;
    case RawPicture::Pixels::Indexed:
        return raw.bitCount;
    default:
        return 24;
    }
}

// Reads the pixels of a file whose header has been read into the image.
void readPixels(QFile &file, const RawPicture &raw, Picture &image)
{
    if (!image.create(raw.width, raw.height, imageBitCount(raw)))
        pictureDamaged("the picture is too large");
    if (raw.pixels == RawPicture::Pixels::Indexed)
        image.setColourTable(raw.colours);
    file.seek(raw.offset);
    const int rows = raw.height;
    const int width = raw.width;
    // Row r of the file is row y of the picture, counted from the top.
    const auto pictureRow = [&](int r) {
        return raw.topDown ? r : rows - 1 - r;
    };
    std::vector<std::uint8_t> scaled;
    switch (raw.pixels) {
    case RawPicture::Pixels::Rgb:
        readRows(file, rows, std::size_t(raw.stride), [&](int y, const std::uint8_t *from) {
            swapRedAndBlue(raw.byteSamples(from, scaled), image.scanLine(y), std::size_t(width));
        });
        break;
    case RawPicture::Pixels::Grey:
        readRows(file, rows, std::size_t(raw.stride), [&](int y, const std::uint8_t *from) {
            std::memcpy(image.scanLine(y), raw.byteSamples(from, scaled), std::size_t(width));
        });
        break;
    case RawPicture::Pixels::Bgrx:
        readRows(file, rows, std::size_t(raw.stride), [&](int r, const std::uint8_t *from) {
            std::uint8_t *to = image.scanLine(pictureRow(r));
            for (int x = 0; x < width; ++x)
                std::memcpy(to + 3 * std::size_t(x), from + 4 * std::size_t(x), 3);
        });
        break;
    case RawPicture::Pixels::Bgr:
    case RawPicture::Pixels::Indexed:
        if (!raw.topDown) {
            // Bottom-up rows padded to 4 bytes: the buffer's own layout.
            readNext(file, image.bits(), raw.stride * rows);
        } else {
            for (int r = 0; r < rows; ++r)
                readNext(file, image.scanLine(r), raw.stride);
        }
        break;
    }
}

QString readWithQt(const QString &fileName, Picture &image, bool asTaken)
{
    QImageReader reader(fileName);
    reader.setAutoTransform(asTaken);
    const QImage picture = reader.read();
    if (picture.isNull())
        return reader.errorString();
    if (!image.copyFrom(picture))
        return QStringLiteral("the picture is too large");
    return {};
}

} // namespace

QString readPictureFile(const QString &fileName, Picture &image, bool asTaken)
{
    image = Picture();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    try {
        if (const std::optional<RawPicture> raw = readRawHeader(file.handle())) {
            readPixels(file, *raw, image);
            return {};
        }
    } catch (const PictureDamaged &error) {
        image = Picture();
        return QString::fromLocal8Bit(error.what);
    }
    file.close();
    return readWithQt(fileName, image, asTaken);
}

std::unique_ptr<PixelRows> openPictureRows(const QString &fileName, QString &problem)
{
    problem.clear();
    try {
        if (std::unique_ptr<PixelRows> raw =
                openRawPictureRows(QFile::encodeName(fileName).toStdString()))
            return raw;
    } catch (const PictureDamaged &error) {
        problem = QString::fromLocal8Bit(error.what);
        return nullptr;
    }
    Picture image;
    problem = readWithQt(fileName, image, false);
    if (!problem.isEmpty())
        return nullptr;
    return std::make_unique<ImageRows>(std::move(image));
}

} // namespace quillery
