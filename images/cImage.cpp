// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/cImage.h"

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

int cImage::bytesPerScanLine(int width, int bitCount)
{
    const std::int64_t w = width;
    switch (bitCount) {
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

void cImage::clear()
{
    width_ = height_ = bitCount_ = stride_ = 0;
    std::vector<std::uint8_t>().swap(bits_);
    colours_.clear();
}

bool cImage::Create(int lWidth, int lHeight, int iBitCount)
{
    clear();
    if (iBitCount != 1 && iBitCount != 4 && iBitCount != 8 && iBitCount != 24)
        return false;
    if (lWidth <= 0 || lHeight <= 0 || lWidth > maxImageBytes / 3)
        return false;
    const int stride = bytesPerScanLine(lWidth, iBitCount);
    if (std::int64_t(stride) * lHeight > maxImageBytes)
        return false;
    try {
        bits_.assign(std::size_t(stride) * lHeight, 0);
    } catch (const std::bad_alloc &) {
        return false;
    }
    width_ = lWidth;
    height_ = lHeight;
    bitCount_ = iBitCount;
    stride_ = stride;
    if (iBitCount < 24)
        colours_ = greyTable(iBitCount);
    return true;
}

void cImage::setColourTable(const std::vector<RgbQuad> &table)
{
    std::copy_n(table.begin(), std::min(table.size(), colours_.size()), colours_.begin());
}

cImage cImage::blankLike(int width, int height) const
{
    cImage image;
    if (image.Create(width, height, bitCount_))
        image.colours_ = colours_;
    return image;
}

RgbQuad cImage::pixel(int x, int y) const
{
    const std::uint8_t *row = scanLine(y);
    if (bitCount_ == 24)
        return {row[3 * x], row[3 * x + 1], row[3 * x + 2], 0};
    return colours_[pixelIndex(row, x, bitCount_)];
}

bool cImage::CopyStdPicture(const QImage &picture)
{
    if (picture.isNull()) {
        clear();
        return false;
    }
    const int width = picture.width();
    const int height = picture.height();

    if (picture.format() == QImage::Format_Mono || picture.format() == QImage::Format_MonoLSB ||
        picture.format() == QImage::Format_Indexed8) {
        const QImage source = picture.format() == QImage::Format_MonoLSB
                                  ? picture.convertToFormat(QImage::Format_Mono)
                                  : picture;
        const int bitCount = source.depth();
        if (!Create(width, height, bitCount))
            return false;
        const QList<QRgb> table = source.colorTable();
        for (int i = 0; i < std::min<int>(table.size(), colours_.size()); ++i)
            colours_[i] = quadFromRgb(table[i]);
        const int bytes = std::min<int>(stride_, int(source.bytesPerLine()));
        for (int y = 0; y < height; ++y)
            std::memcpy(scanLine(y), source.constScanLine(y), bytes);
        return true;
    }

    if (picture.format() == QImage::Format_Grayscale8) {
        if (!Create(width, height, 8))
            return false;
        for (int y = 0; y < height; ++y)
            std::memcpy(scanLine(y), picture.constScanLine(y), width);
        return true;
    }

    // Everything else becomes 24 bits. Transparent parts are shown on white,
    // as they would be on a page.
    QImage opaque = picture;
    if (picture.hasAlphaChannel()) {
        opaque = QImage(picture.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        QPainter painter(&opaque);
        painter.drawImage(0, 0, picture);
    }
    if (opaque.format() == QImage::Format_RGB32) {
        // The usual format of decoded files: converted row by row rather than
        // through another whole copy.
        if (!Create(width, height, 24))
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
    if (rgb.isNull() || !Create(width, height, 24))
        return false;
    for (int y = 0; y < height; ++y)
        std::memcpy(scanLine(y), rgb.constScanLine(y), 3 * std::size_t(width));
    return true;
}

bool cImage::CopyHDC(const cImage *hdc, int lWidth, int lHeight, int iBitCount, int lSrcLeft,
                     int lSrcTop)
{
    if (!hdc) {
        clear();
        return false;
    }
    // Copying from itself: keep the old pixels until they are read.
    cImage own;
    if (hdc == this)
        own = *this;
    const cImage &source = hdc == this ? own : *hdc;
    if (!Create(lWidth, lHeight, iBitCount == 0 ? source.bitCount_ : iBitCount))
        return false;
    if (iBitCount == 0)
        colours_ = source.colours_;

    const int x0 = std::max(0, lSrcLeft);
    const int x1 = std::min(source.width_, lSrcLeft + lWidth);
    const int y0 = std::max(0, lSrcTop);
    const int y1 = std::min(source.height_, lSrcTop + lHeight);
    if (x0 >= x1 || y0 >= y1)
        return true;

    if (bitCount_ == source.bitCount_ && colours_ == source.colours_) {
        for (int sy = y0; sy < y1; ++sy) {
            const std::uint8_t *from = source.scanLine(sy);
            std::uint8_t *to = scanLine(sy - lSrcTop);
            for (int sx = x0; sx < x1; ++sx)
                copyPixel(from, sx, to, sx - lSrcLeft, bitCount_);
        }
        return true;
    }
    ColourMatcher matcher(colours_);
    std::vector<std::uint8_t> bgr(3 * std::size_t(x1 - x0));
    for (int sy = y0; sy < y1; ++sy) {
        readRowBgr(source, sy, x0, x1 - x0, bgr.data());
        writeRowBgr(*this, sy - lSrcTop, x0 - lSrcLeft, x1 - x0, bgr.data(), matcher);
    }
    return true;
}

bool cImage::CopyPalletHDC(const cImage *hdc)
{
    if (!hdc)
        return false;
    const std::size_t count = std::min(hdc->colours_.size(), colours_.size());
    if (count == 0)
        return false;
    std::copy_n(hdc->colours_.begin(), count, colours_.begin());
    return true;
}

QImage cImage::toQImage() const
{
    if (bits_.empty())
        return {};
    if (bitCount_ == 24) {
        QImage image(width_, height_, QImage::Format_BGR888);
        for (int y = 0; y < height_; ++y)
            std::memcpy(image.scanLine(y), scanLine(y), 3 * std::size_t(width_));
        return image;
    }
    QImage image(width_, height_, bitCount_ == 1 ? QImage::Format_Mono : QImage::Format_Indexed8);
    QList<QRgb> table;
    for (const RgbQuad &q : colours_)
        table.append(qRgb(q.red, q.green, q.blue));
    image.setColorTable(table);
    for (int y = 0; y < height_; ++y) {
        const std::uint8_t *row = scanLine(y);
        std::uint8_t *to = image.scanLine(y);
        if (bitCount_ == 4) {
            for (int x = 0; x < width_; ++x)
                to[x] = std::uint8_t(pixelIndex(row, x, 4));
        } else {
            std::memcpy(to, row, std::min<std::size_t>(stride_, image.bytesPerLine()));
        }
    }
    return image;
}

void cImage::PaintHDC(QPainter &painter, int lDestLeft, int lDestTop) const
{
    if (bits_.empty())
        return;
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(lDestLeft, lDestTop, toQImage());
    painter.restore();
}

} // namespace quillery
