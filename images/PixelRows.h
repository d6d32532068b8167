// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace quillery {

// A picture's rows of three-byte pixels, top row first, as the JPEG encoder
// reads them.
class PixelRows
{
public:
    virtual ~PixelRows() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    // Whether a pixel's bytes are red, green, blue rather than blue, green, red.
    virtual bool redFirst() const { return false; }
    // Row y, 0 <= y < height(): width() pixels, valid until the next call.
    // Rows may be asked for in any order, and more than once.
    virtual const std::uint8_t *row(int y) = 0;
};

} // namespace quillery
