#pragma once

#include <array>
#include <cstdint>

namespace quillery::jpeg {

// Position 0 ... 63 in zig-zag order of the coefficient at row r, column c
// of a block, indexed r * 8 + c.
extern const std::array<std::uint8_t, 64> zigZag;

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
