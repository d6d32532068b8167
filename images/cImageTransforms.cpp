// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/cImage.h"

#include "images/Pixels.h"
#include "images/Resample.h"

namespace quillery {

namespace {

// Fills every pixel (x, y) of `target` from the source pixel map(x, y).
template <typename Map> void remap(const cImage &source, cImage &target, Map map)
{
    const int bitCount = source.BitCount();
    for (int y = 0; y < target.Height(); ++y) {
        std::uint8_t *to = target.scanLine(y);
        for (int x = 0; x < target.Width(); ++x) {
            const auto [sx, sy] = map(x, y);
            copyPixel(source.scanLine(sy), sx, to, x, bitCount);
        }
    }
}

struct Point
{
    int x;
    int y;
};

} // namespace

cImage cImage::Greyscale() const
{
    cImage grey;
    if (!hdc() || !grey.Create(width_, height_, 8))
        return grey;
    ColourMatcher matcher(grey.ColourTable());
    std::vector<std::uint8_t> bgr(3 * std::size_t(width_));
    for (int y = 0; y < height_; ++y) {
        readRowBgr(*this, y, 0, width_, bgr.data());
        writeRowBgr(grey, y, 0, width_, bgr.data(), matcher);
    }
    return grey;
}

cImage cImage::Resample(int lWidth, int lHeight) const
{
    cImage target = blankLike(lWidth, lHeight);
    if (!hdc() || !target.hdc())
        return target;
    if (lWidth == width_ && lHeight == height_) {
        target.bits_ = bits_;
        return target;
    }
    ColourMatcher matcher(target.ColourTable());
    std::vector<std::uint8_t> row(3 * std::size_t(width_));
    resampleRows(
        width_, height_,
        [&](int y) {
            readRowBgr(*this, y, 0, width_, row.data());
            return row.data();
        },
        lWidth, lHeight,
        [&](int y, const std::uint8_t *bgr) { writeRowBgr(target, y, 0, lWidth, bgr, matcher); });
    return target;
}

cImage cImage::Mirror(bool vertical) const
{
    cImage target = blankLike(width_, height_);
    if (!hdc() || !target.hdc())
        return target;
    const int w = width_;
    const int h = height_;
    if (vertical)
        remap(*this, target, [h](int x, int y) { return Point{x, h - 1 - y}; });
    else
        remap(*this, target, [w](int x, int y) { return Point{w - 1 - x, y}; });
    return target;
}

cImage cImage::Rotate(int degrees) const
{
    if (degrees < 0)
        degrees += 360;
    if ((degrees != 90 && degrees != 180 && degrees != 270) || !hdc())
        return {};
    const bool quarter = degrees != 180;
    cImage target = blankLike(quarter ? height_ : width_, quarter ? width_ : height_);
    if (!target.hdc())
        return target;
    const int w = width_;
    const int h = height_;
    switch (degrees) {
    case 90: // anticlockwise: the top-right corner comes to the top left
        remap(*this, target, [w](int x, int y) { return Point{w - 1 - y, x}; });
        break;
    case 180:
        remap(*this, target, [w, h](int x, int y) { return Point{w - 1 - x, h - 1 - y}; });
        break;
    default: // 270, clockwise: the bottom-left corner comes to the top left
        remap(*this, target, [h](int x, int y) { return Point{y, h - 1 - x}; });
        break;
    }
    return target;
}

} // namespace quillery
