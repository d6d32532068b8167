// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "images/Picture.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillery {

// Thrown with what is wrong with a picture file.
struct PictureDamaged
{
    std::string what;
};

[[noreturn]] void pictureDamaged(const char *what);
// Throws PictureDamaged with the system's words for errno value `error`.
[[noreturn]] void pictureUnreadable(int error);

// Reads exactly `count` bytes at `offset` of an open file, whatever its
// position; a file too short is damaged.
void readExactly(int fd, std::int64_t offset, void *to, std::size_t count);

// Where a binary PPM or PGM at 8 bits, or an uncompressed BMP, keeps its pixels
// in the file, and how.
struct RawPicture
{
    enum class Pixels {
        Rgb,     // red, green, blue bytes (PPM)
        Grey,    // one byte (PGM)
        Bgr,     // blue, green, red bytes (BMP)
        Bgrx,    // blue, green, red and an unused byte (BMP)
        Indexed, // colour-table entries of bitCount bits, leftmost pixel highest (BMP)
    };
    Pixels pixels = Pixels::Rgb;
    int bitCount = 24; // per pixel in the file
    int width = 0;
    int height = 0;
    bool topDown = true;     // the file's first row is the picture's top row
    std::int64_t offset = 0; // where the file's first row starts
    std::int64_t stride = 0; // bytes from one row of the file to the next
    // Indexed: 2^bitCount entries, black past those the file gives.
    std::vector<RgbQuad> colours;
    // PPM and PGM whose samples are not single bytes from 0 to 255: each
    // sample's byte from 0 to 255, by its value (one byte, or two with the
    // high byte first, as the size of the table says).
    std::vector<std::uint8_t> scale;

    // Where row y, counted from the top, starts in the file.
    std::int64_t rowOffset(int y) const { return offset + stride * (topDown ? y : height - 1 - y); }
    // A row of a PPM or PGM file as one byte per sample from 0 to 255: `from`
    // itself, or `scaled` filled with them.
    const std::uint8_t *byteSamples(const std::uint8_t *from,
                                    std::vector<std::uint8_t> &scaled) const;
};

// Reads the header of a binary PPM or PGM, or of an uncompressed BMP of 1, 4, 8, 24 or 32 bits with
// the plain 40-byte header, from an open file, and checks that the file holds every row. Nothing
// when the file is of another kind or not a regular file; throws PictureDamaged when it is of one
// of these kinds but cannot be read. The file's position is left where it was.
std::optional<RawPicture> readRawHeader(int fd);

} // namespace quillery
