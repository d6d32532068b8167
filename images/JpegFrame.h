// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "images/JpegTables.h"

#include <array>
#include <cstdint>
#include <vector>

namespace quillery::jpeg {

// Sampling factors of one component.
struct Sampling
{
    int h = 1;
    int v = 1;
};

struct Component
{
    int id = 0;
    int h = 1;
    int v = 1;
    int table = 0;        // quantization and Huffman table selector
    int blocksAcross = 0; // the padded block grid
    int blocksDown = 0;
    std::vector<std::int16_t> coefficients; // 64 per block, raster order, zig-zag
};

// One sampled image, ready to be written: the quantized coefficients together
// with the tables they were quantized with.
struct Frame
{
    int width = 0;
    int height = 0;
    int hmax = 1;
    int vmax = 1;
    std::vector<Component> components;
    std::array<QuantTable, 2> tables;
};

} // namespace quillery::jpeg
