// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

namespace quillery::jpeg {

// A strip is eight rows of samples, one row of blocks, laid out so that eight
// neighbouring blocks are transformed side by side in vector lanes: each group
// of 64 columns is stored row by row, column by column, block by block.
constexpr int stripGroupColumns = 64;

// Floats a strip needs for `columns` columns (rounded up to whole groups).
constexpr std::size_t stripSize(int columns)
{
    return std::size_t((columns + stripGroupColumns - 1) / stripGroupColumns) * 512;
}

// Stores one row (0 ... 7) of samples, `columns` of them in natural order
// (a multiple of 64), into its place in the strip.
void storeStripRow(const float *line, int columns, int row, float *strip);

// Applies the scaled floating-point forward DCT of Arai, Agui and Nakajima to
// the first `blocks` blocks of a strip, multiplies each coefficient by its
// divisor factor (row-major) and rounds to the nearest integer, halves to even.
// Writes 64 coefficients per block, in zig-zag order.
void transformStrip(const float *strip, int blocks, const float *divisors, std::int16_t *out);

} // namespace quillery::jpeg
