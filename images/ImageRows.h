// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "images/Picture.h"
#include "images/PixelRows.h"

#include <cstdint>
#include <vector>

namespace quillery {

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
