#pragma once

#include <cstdint>
#include <functional>

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

// Averages a picture down on a fixed grid: target pixel (x, y) is the mean of
// the source pixels in [x * stepX, (x + 1) * stepX) x [y * stepY, (y + 1) *
// stepY), as far as they exist. Steps are at least 1.
void averageRows(int sourceWidth, int sourceHeight,
                 const std::function<const std::uint8_t *(int)> &sourceRow, double stepX,
                 double stepY, int width, int height,
                 const std::function<void(int, const std::uint8_t *)> &targetRow);

} // namespace quillery
