// SPDX-License-Identifier: GPL-3.0-or-later
#include "Pictures.h"

#include <algorithm>
#include <cmath>

namespace quillery::bench {

namespace {

std::uint32_t hash(std::uint32_t x, std::uint32_t y, std::uint32_t seed)
{
    std::uint32_t h = x * 0x8da6b343u ^ y * 0xd8163841u ^ seed * 0xcb1ab31fu;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    return h ^ (h >> 15);
}

// Smoothly interpolated random values on a grid of `cell` pixels, -1 ... 1.
float valueNoise(float x, float y, float cell, std::uint32_t seed)
{
    const float gx = x / cell;
    const float gy = y / cell;
    const auto ix = std::uint32_t(gx);
    const auto iy = std::uint32_t(gy);
    const float fx = gx - float(ix);
    const float fy = gy - float(iy);
    const float sx = fx * fx * (3 - 2 * fx);
    const float sy = fy * fy * (3 - 2 * fy);
    auto at = [&](std::uint32_t a, std::uint32_t b) {
        return float(hash(a, b, seed) & 0xFFFF) / 32767.5f - 1.0f;
    };
    const float top = at(ix, iy) + (at(ix + 1, iy) - at(ix, iy)) * sx;
    const float bottom = at(ix, iy + 1) + (at(ix + 1, iy + 1) - at(ix, iy + 1)) * sx;
    return top + (bottom - top) * sy;
}

std::uint8_t clampByte(float value)
{
    return std::uint8_t(std::clamp(value + 0.5f, 0.0f, 255.0f));
}

} // namespace

Picture landscapePicture(int width, int height)
{
    Picture image;
    image.create(width, height, 24);
    for (int y = 0; y < height; ++y) {
        std::uint8_t *row = image.scanLine(y);
        const float v = float(y) / height;
        for (int x = 0; x < width; ++x) {
            const float u = float(x) / width;
            const float shapes = 40 * valueNoise(x, y, 400, 1) + 20 * valueNoise(x, y, 90, 2);
            const float texture = 30 * valueNoise(x, y, 7, 3) + 24 * valueNoise(x, y, 2.5f, 4);
            const float grain = float(int(hash(x, y, 5) % 9) - 4);
            const bool ground = v > 0.45f + 0.08f * std::sin(u * 7);
            float r, g, b;
            if (ground) {
                const float strokes =
                    50 * std::sin(0.8f * x + 0.25f * y + 9 * valueNoise(x, y, 40, 7));
                const bool patch = valueNoise(x, y, 60, 8) > 0.3f;
                const float tone = patch ? 45 : 0;
                r = 90 + 60 * u + shapes + texture * 1.5f + strokes * 0.6f + tone;
                g = 110 + 40 * v + shapes * 0.8f + texture * 1.5f + strokes - tone * 0.5f;
                b = 50 + 20 * u + shapes * 0.5f + texture + strokes * 0.3f + tone * 0.8f;
            } else {
                r = 120 + 80 * v + shapes * 0.3f;
                g = 160 + 60 * v + shapes * 0.3f;
                b = 230 - 30 * v + shapes * 0.2f + texture * 0.2f;
            }
            const float rgb[3] = {r + grain, g + grain, b + grain};
            for (int c = 0; c < 3; ++c)
                row[3 * x + 2 - c] = clampByte(rgb[c]);
        }
    }
    return image;
}

Picture detailedPicture(int width, int height, std::uint32_t seed)
{
    Picture image;
    image.create(width, height, 24);
    for (int y = 0; y < height; ++y) {
        std::uint8_t *row = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const float stripes =
                45 * std::sin(0.9f * x + 0.4f * y) * std::sin(0.35f * x - 0.8f * y);
            for (int c = 0; c < 3; ++c) {
                const float noise = float(int(hash(x, y, 3 * seed + c) & 127) - 64) * 0.75f;
                const float base =
                    128 + 40 * std::sin(x / 300.0f + c) + 30 * std::cos(y / 200.0f - c);
                // Byte order blue, green, red; c counts red, green, blue.
                row[3 * x + 2 - c] = clampByte(base + stripes * (1 - 0.3f * c) + noise);
            }
        }
    }
    return image;
}

} // namespace quillery::bench
