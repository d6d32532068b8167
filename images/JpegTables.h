// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

namespace quillery::jpeg {

// Position 0 ... 63 in zig-zag order of the coefficient at row r, column c
// of a block, indexed r * 8 + c.
inline constexpr std::array<std::uint8_t, 64> zigZag = {
    0,  1,  5,  6,  14, 15, 27, 28, //
    2,  4,  7,  13, 16, 26, 29, 42, //
    3,  8,  12, 17, 25, 30, 41, 43, //
    9,  11, 18, 24, 31, 40, 44, 53, //
    10, 19, 23, 32, 39, 45, 52, 54, //
    20, 22, 33, 38, 46, 51, 55, 60, //
    21, 34, 37, 47, 50, 56, 59, 61, //
    35, 36, 48, 49, 57, 58, 62, 63, //
};

// A quantization table for one quality: the entries as written to the file
// (zig-zag order) and the factors that turn the scaled DCT output into
// quantized coefficients (row-major order, r * 8 + c).
struct QuantTable
{
    std::array<std::uint8_t, 64> entries{};
    std::array<float, 64> divisors{};
};

// Table 0 (luminance) or 1 (chrominance) at quality 1 ... 100.
QuantTable quantTable(int table, int quality);

} // namespace quillery::jpeg
