// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

class QImage;
class QPainter;

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
// The image itself stands in for a drawing context: hdc() is the handle other
// images and the JPEG encoder read from, null while the image is empty.
class cImage
{
public:
    bool Create(int lWidth, int lHeight, int iBitCount);
    // Copies a loaded picture. Indexed and one-bit pictures keep their depth
    // and colours, 16-bit and deeper ones become 24 bits.
    bool CopyStdPicture(const QImage &picture);
    // Copies the lWidth x lHeight rectangle at (lSrcLeft, lSrcTop) of another
    // image. Without a depth (0) the source's depth and colour table are used;
    // with one, the new image keeps its grey table and colours are matched to it.
    bool CopyHDC(const cImage *hdc, int lWidth, int lHeight, int iBitCount = 0, int lSrcLeft = 0,
                 int lSrcTop = 0);
    bool CopyPalletHDC(const cImage *hdc);
    void PaintHDC(QPainter &painter, int lDestLeft = 0, int lDestTop = 0) const;

    cImage Greyscale() const;
    cImage Resample(int lWidth, int lHeight) const;
    cImage Mirror(bool vertical) const;
    // Quarter turns only (90 anticlockwise, 180, 270 = -90 clockwise); any other
    // angle gives an empty image.
    cImage Rotate(int degrees) const;

    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitCount() const { return bitCount_; }
    const cImage *hdc() const { return bits_.empty() ? nullptr : this; }
    std::uint8_t *DIBitsPtr() { return bits_.empty() ? nullptr : bits_.data(); }
    const std::uint8_t *DIBitsPtr() const { return bits_.empty() ? nullptr : bits_.data(); }
    int BytesPerScanLine() const { return stride_; }
    // 2^BitCount entries below 24 bits, none at 24.
    const std::vector<RgbQuad> &ColourTable() const { return colours_; }
    // Sets the first entries of the colour table (as many as it has).
    void setColourTable(const std::vector<RgbQuad> &table);

    // Row y counted from the top.
    std::uint8_t *scanLine(int y) { return bits_.data() + rowOffset(y); }
    const std::uint8_t *scanLine(int y) const { return bits_.data() + rowOffset(y); }
    RgbQuad pixel(int x, int y) const;
    // A copy of the pixels for painting and saving through Qt.
    QImage toQImage() const;

    static int bytesPerScanLine(int width, int bitCount);

private:
    void clear();
    std::size_t rowOffset(int y) const { return std::size_t(height_ - 1 - y) * stride_; }
    cImage blankLike(int width, int height) const;

    int width_ = 0;
    int height_ = 0;
    int bitCount_ = 0;
    int stride_ = 0;
    std::vector<std::uint8_t> bits_;
    std::vector<RgbQuad> colours_;
};

} // namespace quillery
