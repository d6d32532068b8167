// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/JpegDct.h"

#include "images/JpegTables.h"
#include "images/Simd.h"

#include <cstring>

namespace quillery::jpeg {

namespace {

// Eight lanes, one per block; the compiler maps them onto whatever vector
// registers the target has (or plain scalars).
typedef float Lanes __attribute__((vector_size(32)));
typedef std::int32_t IntLanes __attribute__((vector_size(32)));
typedef std::int16_t ShortLanes __attribute__((vector_size(16)));
// The same lanes at any float's address, moved in one piece.
typedef float LanesAnywhere __attribute__((vector_size(32), aligned(4)));

// Moves `count` vectors of lanes between a float array and vectors.
[[gnu::always_inline]] inline void loadLanes(const float *from, int count, Lanes *to)
{
    for (int i = 0; i < count; ++i)
        to[i] = *reinterpret_cast<const LanesAnywhere *>(from + 8 * i);
}
[[gnu::always_inline]] inline void storeLanes(const Lanes *from, int count, float *to)
{
    for (int i = 0; i < count; ++i)
        *reinterpret_cast<LanesAnywhere *>(to + 8 * i) = from[i];
}

// One-dimensional transform of d[0], d[step], ..., d[7 * step], in place.
// Every intermediate value is kept in single precision.
[[gnu::always_inline]] inline void transformLine(Lanes *d, int step)
{
    const Lanes t0 = d[0] + d[7 * step];
    const Lanes t7 = d[0] - d[7 * step];
    const Lanes t1 = d[step] + d[6 * step];
    const Lanes t6 = d[step] - d[6 * step];
    const Lanes t2 = d[2 * step] + d[5 * step];
    const Lanes t5 = d[2 * step] - d[5 * step];
    const Lanes t3 = d[3 * step] + d[4 * step];
    const Lanes t4 = d[3 * step] - d[4 * step];

    const Lanes t10 = t0 + t3;
    const Lanes t13 = t0 - t3;
    const Lanes t11 = t1 + t2;
    const Lanes t12 = t1 - t2;
    d[0] = t10 + t11;
    d[4 * step] = t10 - t11;
    const Lanes z1 = (t12 + t13) * 0.707106781186548f;
    d[2 * step] = t13 + z1;
    d[6 * step] = t13 - z1;

    const Lanes u10 = t4 + t5;
    const Lanes u11 = t5 + t6;
    const Lanes u12 = t6 + t7;
    const Lanes z5 = (u10 - u12) * 0.382683432365091f;
    const Lanes z2 = 0.541196100146196f * u10 + z5;
    const Lanes z4 = 1.30656296487638f * u12 + z5;
    const Lanes z3 = u11 * 0.707106781186548f;
    const Lanes z11 = t7 + z3;
    const Lanes z13 = t7 - z3;
    d[5 * step] = z13 + z2;
    d[3 * step] = z13 - z2;
    d[step] = z11 + z4;
    d[7 * step] = z11 - z4;
}

// Adding and taking away 1.5 * 2^23 rounds any |x| < 2^22 to a whole number,
// halves to even, in the default rounding mode.
constexpr float roundingBias = 12582912.0f;

// Exchanges rows and columns of an 8 x 8 tile.
[[gnu::always_inline]] inline void transpose(Lanes *m)
{
    Lanes t[8];
    for (int i = 0; i < 8; i += 2) {
        t[i] = __builtin_shufflevector(m[i], m[i + 1], 0, 8, 1, 9, 4, 12, 5, 13);
        t[i + 1] = __builtin_shufflevector(m[i], m[i + 1], 2, 10, 3, 11, 6, 14, 7, 15);
    }
    Lanes s[8];
    for (int i = 0; i < 8; i += 4) {
        s[i] = __builtin_shufflevector(t[i], t[i + 2], 0, 1, 8, 9, 4, 5, 12, 13);
        s[i + 1] = __builtin_shufflevector(t[i], t[i + 2], 2, 3, 10, 11, 6, 7, 14, 15);
        s[i + 2] = __builtin_shufflevector(t[i + 1], t[i + 3], 0, 1, 8, 9, 4, 5, 12, 13);
        s[i + 3] = __builtin_shufflevector(t[i + 1], t[i + 3], 2, 3, 10, 11, 6, 7, 14, 15);
    }
    for (int i = 0; i < 4; ++i) {
        m[i] = __builtin_shufflevector(s[i], s[i + 4], 0, 1, 2, 3, 8, 9, 10, 11);
        m[i + 4] = __builtin_shufflevector(s[i], s[i + 4], 4, 5, 6, 7, 12, 13, 14, 15);
    }
}

// Turns eight vectors of eight coefficients, lanes being blocks, into eight
// vectors each holding one block's eight coefficients.
[[gnu::always_inline]] inline void transpose(ShortLanes *m)
{
    ShortLanes a[8];
    for (int i = 0; i < 8; i += 2) {
        a[i / 2] = __builtin_shufflevector(m[i], m[i + 1], 0, 8, 1, 9, 2, 10, 3, 11);
        a[i / 2 + 4] = __builtin_shufflevector(m[i], m[i + 1], 4, 12, 5, 13, 6, 14, 7, 15);
    }
    ShortLanes b[8];
    for (int i = 0; i < 8; i += 4) {
        b[i] = __builtin_shufflevector(a[i], a[i + 1], 0, 1, 8, 9, 2, 3, 10, 11);
        b[i + 1] = __builtin_shufflevector(a[i], a[i + 1], 4, 5, 12, 13, 6, 7, 14, 15);
        b[i + 2] = __builtin_shufflevector(a[i + 2], a[i + 3], 0, 1, 8, 9, 2, 3, 10, 11);
        b[i + 3] = __builtin_shufflevector(a[i + 2], a[i + 3], 4, 5, 12, 13, 6, 7, 14, 15);
    }
    // b[t] and b[t + 2] hold the first and last four coefficients of two
    // blocks.
    const int tops[4] = {0, 1, 4, 5};
    for (int i = 0; i < 4; ++i) {
        const int t = tops[i];
        m[2 * i] = __builtin_shufflevector(b[t], b[t + 2], 0, 1, 2, 3, 8, 9, 10, 11);
        m[2 * i + 1] = __builtin_shufflevector(b[t], b[t + 2], 4, 5, 6, 7, 12, 13, 14, 15);
    }
}

} // namespace

QUILLERY_VECTOR_CLONES
void storeStripRow(const float *line, int columns, int row, float *strip)
{
    Lanes tile[8];
    for (int x = 0; x < columns; x += 64, line += 64, strip += 512) {
        loadLanes(line, 8, tile);
        transpose(tile);
        storeLanes(tile, 8, strip + 64 * row);
    }
}

QUILLERY_VECTOR_CLONES
void transformStrip(const float *strip, int blocks, const float *divisors, std::int16_t *out)
{
    Lanes v[64];
    for (int first = 0; first < blocks; first += 8, strip += 512) {
        loadLanes(strip, 64, v);
        for (int c = 0; c < 8; ++c)
            transformLine(v + c, 8);
        for (int r = 0; r < 8; ++r)
            transformLine(v + 8 * r, 1);

        // Coefficients in zig-zag order, then eight positions of all
        // blocks at a time turned into eight positions of each block.
        ShortLanes coded[64];
#pragma GCC unroll 64
        for (int k = 0; k < 64; ++k) {
            const Lanes scaled = v[k] * divisors[k];
            const IntLanes q =
                __builtin_convertvector((scaled + roundingBias) - roundingBias, IntLanes);
            coded[zigZag[k]] = __builtin_convertvector(q, ShortLanes);
        }
        const int lanes = blocks - first < 8 ? blocks - first : 8;
        std::int16_t *group = out + std::size_t(first) * 64;
        for (int position = 0; position < 64; position += 8) {
            transpose(coded + position);
            for (int lane = 0; lane < lanes; ++lane)
                std::memcpy(group + lane * 64 + position, &coded[position + lane],
                            sizeof(ShortLanes));
        }
    }
}

} // namespace quillery::jpeg
