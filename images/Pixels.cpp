// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/Pixels.h"

#include <algorithm>
#include <cstring>

namespace quillery {

namespace {

constexpr int lumaScale = 1000;

int luma1000(int blue, int green, int red)
{
    return 299 * red + 587 * green + 114 * blue;
}

bool isGrey(const std::vector<RgbQuad> &table)
{
    return std::all_of(table.begin(), table.end(),
                       [](const RgbQuad &q) { return q.red == q.green && q.green == q.blue; });
}

// For every luma value 0 ... 255000, the entry whose grey level is nearest.
std::vector<std::uint8_t> lumaLookup(const std::vector<RgbQuad> &table)
{
    std::vector<std::pair<int, int>> levels; // (level, lowest entry with it)
    for (int i = 0; i < int(table.size()); ++i)
        levels.emplace_back(table[i].green, i);
    std::stable_sort(levels.begin(), levels.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    levels.erase(std::unique(levels.begin(), levels.end(),
                             [](const auto &a, const auto &b) { return a.first == b.first; }),
                 levels.end());

    std::vector<std::uint8_t> lookup(255 * lumaScale + 1);
    std::size_t k = 0;
    for (int v = 0; v < int(lookup.size()); ++v) {
        while (k + 1 < levels.size()) {
            const int midpoint2 = (levels[k].first + levels[k + 1].first) * lumaScale;
            if (2 * v < midpoint2)
                break;
            if (2 * v == midpoint2 && levels[k].second < levels[k + 1].second)
                break;
            ++k;
        }
        lookup[v] = std::uint8_t(levels[k].second);
    }
    return lookup;
}

} // namespace

void readRowBgr(const Picture &image, int y, int x0, int count, std::uint8_t *bgr)
{
    const std::uint8_t *row = image.scanLine(y);
    const int bitCount = image.depth();
    if (bitCount == 24) {
        std::memcpy(bgr, row + 3 * std::size_t(x0), 3 * std::size_t(count));
        return;
    }
    const std::vector<RgbQuad> &table = image.colourTable();
    for (int i = 0; i < count; ++i) {
        const RgbQuad &q = table[pixelIndex(row, x0 + i, bitCount)];
        bgr[3 * i] = q.blue;
        bgr[3 * i + 1] = q.green;
        bgr[3 * i + 2] = q.red;
    }
}

ColourMatcher::ColourMatcher(const std::vector<RgbQuad> &table) : table_(table)
{
    if (!table_.empty() && isGrey(table_))
        byLuma_ = lumaLookup(table_);
}

std::uint8_t ColourMatcher::nearest(std::uint8_t blue, std::uint8_t green, std::uint8_t red)
{
    if (!byLuma_.empty())
        return byLuma_[luma1000(blue, green, red)];

    const std::uint32_t key =
        std::uint32_t(blue) | std::uint32_t(green) << 8 | std::uint32_t(red) << 16;
    if (auto it = cache_.find(key); it != cache_.end())
        return it->second;
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < int(table_.size()); ++i) {
        const int db = table_[i].blue - blue;
        const int dg = table_[i].green - green;
        const int dr = table_[i].red - red;
        const int distance = db * db + dg * dg + dr * dr;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    cache_.emplace(key, std::uint8_t(best));
    return std::uint8_t(best);
}

void writeRowBgr(Picture &image, int y, int x0, int count, const std::uint8_t *bgr,
                 ColourMatcher &matcher)
{
    std::uint8_t *row = image.scanLine(y);
    const int bitCount = image.depth();
    if (bitCount == 24) {
        std::memcpy(row + 3 * std::size_t(x0), bgr, 3 * std::size_t(count));
        return;
    }
    for (int i = 0; i < count; ++i)
        setPixelIndex(row, x0 + i, bitCount,
                      matcher.nearest(bgr[3 * i], bgr[3 * i + 1], bgr[3 * i + 2]));
}

} // namespace quillery
