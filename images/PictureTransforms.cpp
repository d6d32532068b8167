// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/Picture.h"

#include "images/Pixels.h"
#include "images/Resample.h"

namespace quillery {

namespace {

// Fills every pixel (x, y) of `target` from the source pixel map(x, y).
template <typename Map> void remap(const Picture &source, Picture &target, Map map)
{
    const int bitCount = source.depth();
    for (int y = 0; y < target.height(); ++y) {
        std::uint8_t *to = target.scanLine(y);
        for (int x = 0; x < target.width(); ++x) {
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

Picture Picture::greyscaled() const
{
    Picture grey;
    if (isNull() || !grey.create(width_, height_, 8))
        return grey;
    ColourMatcher matcher(grey.colourTable());
    std::vector<std::uint8_t> bgr(3 * std::size_t(width_));
    for (int y = 0; y < height_; ++y) {
        readRowBgr(*this, y, 0, width_, bgr.data());
        writeRowBgr(grey, y, 0, width_, bgr.data(), matcher);
    }
    return grey;
}

Picture Picture::resampled(int width, int height) const
{
    Picture target = blankLike(width, height);
    if (isNull() || target.isNull())
        return target;
    if (width == width_ && height == height_) {
        target.bits_ = bits_;
        return target;
    }
    ColourMatcher matcher(target.colourTable());
    std::vector<std::uint8_t> row(3 * std::size_t(width_));
    resampleRows(
        width_, height_,
        [&](int y) {
            readRowBgr(*this, y, 0, width_, row.data());
            return row.data();
        },
        width, height,
        [&](int y, const std::uint8_t *bgr) { writeRowBgr(target, y, 0, width, bgr, matcher); });
    return target;
}

Picture Picture::mirrored(bool vertical) const
{
    Picture target = blankLike(width_, height_);
    if (isNull() || target.isNull())
        return target;
    const int w = width_;
    const int h = height_;
    if (vertical)
        remap(*this, target, [h](int x, int y) { return Point{x, h - 1 - y}; });
    else
        remap(*this, target, [w](int x, int y) { return Point{w - 1 - x, y}; });
    return target;
}

Picture Picture::rotated(int degrees) const
{
    if (degrees < 0)
        degrees += 360;
    if ((degrees != 90 && degrees != 180 && degrees != 270) || isNull())
        return {};
    const bool quarter = degrees != 180;
    Picture target = blankLike(quarter ? height_ : width_, quarter ? width_ : height_);
    if (target.isNull())
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
