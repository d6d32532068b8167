// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/JpegTables.h"

#include <algorithm>
#include <cmath>

namespace quillery::jpeg {

namespace {

// The example tables of ITU-T T.81 Annex K (K.1 luminance, K.2 chrominance),
// row-major.
constexpr std::uint8_t baseTables[2][64] = {
    {
        16, 11, 10, 16, 24,  40,  51,  61,  //
        12, 12, 14, 19, 26,  58,  60,  55,  //
        14, 13, 16, 24, 40,  57,  69,  56,  //
        14, 17, 22, 29, 51,  87,  80,  62,  //
        18, 22, 37, 56, 68,  109, 103, 77,  //
        24, 35, 55, 64, 81,  104, 113, 92,  //
        49, 64, 78, 87, 103, 121, 120, 101, //
        72, 92, 95, 98, 112, 100, 103, 99,  //
    },
    {
        17, 18, 24, 47, 99, 99, 99, 99, //
        18, 21, 26, 66, 99, 99, 99, 99, //
        24, 26, 56, 99, 99, 99, 99, 99, //
        47, 66, 99, 99, 99, 99, 99, 99, //
        99, 99, 99, 99, 99, 99, 99, 99, //
        99, 99, 99, 99, 99, 99, 99, 99, //
        99, 99, 99, 99, 99, 99, 99, 99, //
        99, 99, 99, 99, 99, 99, 99, 99, //
    },
};

// 1 / (4 cos(k pi / 16)), and 1 / (2 sqrt 2) for k = 0: the scale of the
// AAN transform's outputs, undone by the divisors.
constexpr double aanFactor[8] = {
    0.353553390593273, 0.25489778955208,  0.270598050073098, 0.300672443467523,
    0.353553390593273, 0.449988111568207, 0.653281482438186, 1.28145772387074,
};

// Rounds to the nearest whole number, halves to even (the default mode).
double roundEven(double value)
{
    return std::nearbyint(value);
}

} // namespace

QuantTable quantTable(int table, int quality)
{
    const double scale = quality >= 50 ? 200 - 2 * quality : roundEven(5000.0 / quality);
    QuantTable result;
    for (int i = 0; i < 64; ++i) {
        const double entry = roundEven((baseTables[table][i] * scale + 50) / 100);
        const int q = int(std::clamp(entry, 1.0, 255.0));
        result.entries[zigZag[i]] = std::uint8_t(q);
        result.divisors[i] = float(aanFactor[i / 8] * aanFactor[i % 8] / q);
    }
    return result;
}

} // namespace quillery::jpeg
