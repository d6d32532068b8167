// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

class QImage;

namespace quillery {

// One colour-table entry, laid out as in a bitmap file.
struct RgbQuad
{
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    std::uint8_t reserved = 0;

    friend bool operator==(const RgbQuad &, const RgbQuad &) = default;
};

// A device-independent bitmap in memory: rows stored bottom-up, each padded to
// a multiple of 4 bytes, at 1, 4 or 8 bits per pixel with a colour table or at
// 24 bits in blue, green, red order. Transforms return a new image and leave
// this one untouched; an operation that fails leaves (or returns) an empty image.
class Picture
{
public:
    // Makes a blank picture of the size and depth (1, 4, 8 or 24 bits per pixel); below
    // 24 bits its colour table is a grey scale.
    bool create(int width, int height, int depth);
    // Copies a loaded picture. Indexed and one-bit pictures keep their depth
    // and colours, 16-bit and deeper ones become 24 bits.
    bool copyFrom(const QImage &image);

    Picture greyscaled() const;
    // Area-averaged to the new size.
    Picture resampled(int width, int height) const;
    Picture mirrored(bool vertical) const;
    // Quarter turns only (90 anticlockwise, 180, 270 = -90 clockwise); any other
    // angle gives an empty image.
    Picture rotated(int degrees) const;

    bool isNull() const { return bits_.empty(); }
    int width() const { return width_; }
    int height() const { return height_; }
    int depth() const { return depth_; } // bits per pixel
    std::uint8_t *bits() { return bits_.empty() ? nullptr : bits_.data(); }
    const std::uint8_t *bits() const { return bits_.empty() ? nullptr : bits_.data(); }
    int bytesPerLine() const { return stride_; }
    // 2^depth entries below 24 bits, none at 24.
    const std::vector<RgbQuad> &colourTable() const { return colours_; }
    // Sets the first entries of the colour table (as many as it has).
    void setColourTable(const std::vector<RgbQuad> &table);

    // Row y counted from the top.
    std::uint8_t *scanLine(int y) { return bits_.data() + rowOffset(y); }
    const std::uint8_t *scanLine(int y) const { return bits_.data() + rowOffset(y); }
    RgbQuad pixel(int x, int y) const;
    // A copy of the pixels for painting and saving through Qt.
    QImage toQImage() const;

    // The bytes of one row of a picture of that width and depth, padding included.
    static int bytesPerLine(int width, int depth);

private:
    void clear();
    std::size_t rowOffset(int y) const { return std::size_t(height_ - 1 - y) * stride_; }
    Picture blankLike(int width, int height) const;

    int width_ = 0;
    int height_ = 0;
    int depth_ = 0;
    int stride_ = 0;
    std::vector<std::uint8_t> bits_;
    std::vector<RgbQuad> colours_;
};

} // namespace quillery
