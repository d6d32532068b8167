// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "images/Picture.h"

#include <cstdint>
#include <vector>

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

// The width x height rectangle at (left, top) of an image, black where it
// lies outside; the rows of a 24-bit image are read in place.
class ImageRows : public PixelRows
{
public:
    // Reads from `source`, which must outlive this.
    ImageRows(const Picture &source, int left, int top, int width, int height);
    // Keeps the image and reads all of it.
    explicit ImageRows(Picture &&image);

    int width() const override { return width_; }
    int height() const override { return height_; }
    const std::uint8_t *row(int y) override;

private:
    Picture own_;
    const Picture &source_;
    int left_;
    int top_;
    int width_;
    int height_;
    bool direct_;
    std::vector<std::uint8_t> row_;
};

} // namespace quillery
