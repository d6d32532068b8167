// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace quillery {

// Scales a picture of 24-bit pixels (three bytes each), read and written one
// row at a time, top row first. Along each axis the picture is averaged over
// the area each new pixel covers when it shrinks, interpolated bilinearly when
// it grows, and copied when that size is unchanged.
//
// sourceRow(y) returns row y of the source (valid until the next call); the
// source rows are asked for in increasing order. targetRow(y, pixels) receives
// each finished row.
void resampleRows(int sourceWidth, int sourceHeight,
                  const std::function<const std::uint8_t *(int)> &sourceRow, int width, int height,
                  const std::function<void(int, const std::uint8_t *)> &targetRow);

// Averages a picture down on a fixed grid, one target row at a time in any
// order: target pixel (x, y) is the mean of the source pixels in
// [x * stepX, (x + 1) * stepX) x [y * stepY, (y + 1) * stepY), as far as they
// exist. Steps are at least 1.
class AreaAverage
{
public:
    using SourceRow = std::function<const std::uint8_t *(int)>;

    AreaAverage(int sourceWidth, int sourceHeight, double stepX, double stepY, int width,
                int height);
    ~AreaAverage();

    // Target row y (valid until the next call); sourceRow(j) returns row j of
    // the source, valid until its next call.
    const std::uint8_t *row(int y, const SourceRow &sourceRow);

private:
    struct Plan;
    std::unique_ptr<Plan> plan_;
};

} // namespace quillery
