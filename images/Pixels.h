// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "images/Picture.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace quillery {

// Palette index of pixel x in a row of 1, 4 or 8 bits per pixel (leftmost
// pixel in the high bits).
inline int pixelIndex(const std::uint8_t *row, int x, int bitCount)
{
    switch (bitCount) {
    case 1:
        return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4:
        return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15;
    default:
        return row[x];
    }
}

inline void setPixelIndex(std::uint8_t *row, int x, int bitCount, int index)
{
    switch (bitCount) {
    case 1: {
        const int shift = 7 - (x & 7);
        row[x >> 3] = std::uint8_t((row[x >> 3] & ~(1 << shift)) | ((index & 1) << shift));
        break;
    }
    case 4: {
        const int shift = (x & 1) ? 0 : 4;
        row[x >> 1] = std::uint8_t((row[x >> 1] & ~(15 << shift)) | ((index & 15) << shift));
        break;
    }
    default:
        row[x] = std::uint8_t(index);
    }
}

// Copies pixel sx of one row to pixel x of another row of the same depth.
inline void copyPixel(const std::uint8_t *from, int sx, std::uint8_t *to, int x, int bitCount)
{
    if (bitCount == 24) {
        to[3 * x] = from[3 * sx];
        to[3 * x + 1] = from[3 * sx + 1];
        to[3 * x + 2] = from[3 * sx + 2];
    } else {
        setPixelIndex(to, x, bitCount, pixelIndex(from, sx, bitCount));
    }
}

// Reads `count` pixels of row y (from the top) starting at x0 as blue, green,
// red bytes, whatever the image's depth.
void readRowBgr(const Picture &image, int y, int x0, int count, std::uint8_t *bgr);

// Picks the colour-table entry that stands for a colour. A table of greys is
// matched by luma (Rec. 601 weights), so a colour keeps its brightness; any
// other table by the nearest colour. Ties go to the lower entry.
class ColourMatcher
{
public:
    explicit ColourMatcher(const std::vector<RgbQuad> &table);
    std::uint8_t nearest(std::uint8_t blue, std::uint8_t green, std::uint8_t red);

private:
    std::vector<RgbQuad> table_;
    std::vector<std::uint8_t> byLuma_; // entry for each 1000 x luma, grey tables only
    std::unordered_map<std::uint32_t, std::uint8_t> cache_;
};

// Writes `count` blue, green, red pixels into row y from x0; below 24 bits each
// colour goes through the matcher.
void writeRowBgr(Picture &image, int y, int x0, int count, const std::uint8_t *bgr,
                 ColourMatcher &matcher);

} // namespace quillery
