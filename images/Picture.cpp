// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/Picture.h"

#include "images/Pixels.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace quillery {

namespace {

// Keeps one buffer well inside what a 32-bit size field can describe.
constexpr std::int64_t maxImageBytes = std::numeric_limits<std::int32_t>::max();

std::vector<RgbQuad> greyTable(int bitCount)
{
    const int last = (1 << bitCount) - 1;
    std::vector<RgbQuad> table(last + 1);
    for (int i = 0; i <= last; ++i) {
        // 255 is a multiple of 1, 15 and 255, so every level is a whole number.
        const auto level = std::uint8_t(i * 255 / last);
        table[i] = {level, level, level, 0};
    }
    return table;
}

RgbQuad quadFromRgb(QRgb rgb)
{
    return {std::uint8_t(qBlue(rgb)), std::uint8_t(qGreen(rgb)), std::uint8_t(qRed(rgb)), 0};
}

} // namespace

int Picture::bytesPerLine(int width, int depth)
{
    const std::int64_t w = width;
    switch (depth) {
    case 1:
        return int(((w - 1) / 8 + 4) & ~std::int64_t(3));
    case 4:
        return int(((w - 1) / 2 + 4) & ~std::int64_t(3));
    case 8:
        return int((w + 3) & ~std::int64_t(3));
    case 24:
        return int((3 * w + 3) & ~std::int64_t(3));
    default:
        return 0;
    }
}

void Picture::clear()
{
    width_ = height_ = depth_ = stride_ = 0;
    std::vector<std::uint8_t>().swap(bits_);
    colours_.clear();
}

bool Picture::create(int width, int height, int depth)
{
    clear();
    if (depth != 1 && depth != 4 && depth != 8 && depth != 24)
        return false;
    if (width <= 0 || height <= 0 || width > maxImageBytes / 3)
        return false;
    const int stride = bytesPerLine(width, depth);
    if (std::int64_t(stride) * height > maxImageBytes)
        return false;
    try {
        bits_.assign(std::size_t(stride) * height, 0);
    } catch (const std::bad_alloc &) {
        return false;
    }
    width_ = width;
    height_ = height;
    depth_ = depth;
    stride_ = stride;
    if (depth < 24)
        colours_ = greyTable(depth);
    return true;
}

void Picture::setColourTable(const std::vector<RgbQuad> &table)
{
    std::copy_n(table.begin(), std::min(table.size(), colours_.size()), colours_.begin());
}

Picture Picture::blankLike(int width, int height) const
{
    Picture image;
    if (image.create(width, height, depth_))
        image.colours_ = colours_;
    return image;
}

RgbQuad Picture::pixel(int x, int y) const
{
    const std::uint8_t *row = scanLine(y);
    if (depth_ == 24)
        return {row[3 * x], row[3 * x + 1], row[3 * x + 2], 0};
    return colours_[pixelIndex(row, x, depth_)];
}

bool Picture::copyFrom(const QImage &image)
{
    if (image.isNull()) {
        clear();
        return false;
    }
    const int width = image.width();
    const int height = image.height();

    if (image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB ||
        image.format() == QImage::Format_Indexed8) {
        const QImage source = image.format() == QImage::Format_MonoLSB
                                  ? image.convertToFormat(QImage::Format_Mono)
                                  : image;
        const int bitCount = source.depth();
        if (!create(width, height, bitCount))
            return false;
        const QList<QRgb> table = source.colorTable();
        for (int i = 0; i < std::min<int>(table.size(), colours_.size()); ++i)
            colours_[i] = quadFromRgb(table[i]);
        const int bytes = std::min<int>(stride_, int(source.bytesPerLine()));
        for (int y = 0; y < height; ++y)
            std::memcpy(scanLine(y), source.constScanLine(y), bytes);
        return true;
    }

    if (image.format() == QImage::Format_Grayscale8) {
        if (!create(width, height, 8))
            return false;
        for (int y = 0; y < height; ++y)
            std::memcpy(scanLine(y), image.constScanLine(y), width);
        return true;
    }

    // Everything else becomes 24 bits. Transparent parts are shown on white,
    // as they would be on a page.
    QImage opaque = image;
    if (image.hasAlphaChannel()) {
        opaque = QImage(image.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        QPainter painter(&opaque);
        painter.drawImage(0, 0, image);
    }
    if (opaque.format() == QImage::Format_RGB32) {
        // The usual format of decoded files: converted row by row rather than
        // through another whole copy.
        if (!create(width, height, 24))
            return false;
        for (int y = 0; y < height; ++y) {
            const auto *from = reinterpret_cast<const QRgb *>(opaque.constScanLine(y));
            std::uint8_t *to = scanLine(y);
            for (int x = 0; x < width; ++x) {
                to[3 * x] = std::uint8_t(qBlue(from[x]));
                to[3 * x + 1] = std::uint8_t(qGreen(from[x]));
                to[3 * x + 2] = std::uint8_t(qRed(from[x]));
            }
        }
        return true;
    }
    const QImage rgb = opaque.convertToFormat(QImage::Format_BGR888);
    if (rgb.isNull() || !create(width, height, 24))
        return false;
    for (int y = 0; y < height; ++y)
        std::memcpy(scanLine(y), rgb.constScanLine(y), 3 * std::size_t(width));
    return true;
}

QImage Picture::toQImage() const
{
    if (bits_.empty())
        return {};
    if (depth_ == 24) {
        QImage image(width_, height_, QImage::Format_BGR888);
        for (int y = 0; y < height_; ++y)
            std::memcpy(image.scanLine(y), scanLine(y), 3 * std::size_t(width_));
        return image;
    }
    QImage image(width_, height_, depth_ == 1 ? QImage::Format_Mono : QImage::Format_Indexed8);
    QList<QRgb> table;
    for (const RgbQuad &q : colours_)
        table.append(qRgb(q.red, q.green, q.blue));
    image.setColorTable(table);
    for (int y = 0; y < height_; ++y) {
        const std::uint8_t *row = scanLine(y);
        std::uint8_t *to = image.scanLine(y);
        if (depth_ == 4) {
            for (int x = 0; x < width_; ++x)
                to[x] = std::uint8_t(pixelIndex(row, x, 4));
        } else {
            std::memcpy(to, row, std::min<std::size_t>(stride_, image.bytesPerLine()));
        }
    }
    return image;
}

} // namespace quillery
