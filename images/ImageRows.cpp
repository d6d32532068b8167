// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/ImageRows.h"

#include "images/Pixels.h"

#include <algorithm>

namespace quillery {

ImageRows::ImageRows(const Picture &source, int left, int top, int width, int height)
    : source_(source), left_(left), top_(top), width_(width), height_(height),
      direct_(source.depth() == 24 && left >= 0 && left + width <= source.width()),
      row_(direct_ ? 0 : 3 * std::size_t(width))
{
}

ImageRows::ImageRows(Picture &&image)
    : own_(std::move(image)), source_(own_), left_(0), top_(0), width_(own_.width()),
      height_(own_.height()), direct_(own_.depth() == 24),
      row_(direct_ ? 0 : 3 * std::size_t(width_))
{
}

const std::uint8_t *ImageRows::row(int y)
{
    const int sy = top_ + y;
    const bool inside = sy >= 0 && sy < source_.height();
    if (direct_ && inside)
        return source_.scanLine(sy) + 3 * std::size_t(left_);
    row_.assign(3 * std::size_t(width_), 0);
    const int x0 = std::max(0, left_);
    const int x1 = std::min(source_.width(), left_ + width_);
    if (inside && x0 < x1)
        readRowBgr(source_, sy, x0, x1 - x0, row_.data() + 3 * std::size_t(x0 - left_));
    return row_.data();
}

} // namespace quillery
