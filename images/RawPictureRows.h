// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "images/PixelRows.h"
#include "images/RawPicture.h"

#include <memory>
#include <string>

namespace quillery {

// The rows of a PPM, PGM or BMP file as they are asked for: a strip of rows is
// read at a time, into memory used again for the next strip, and only that
// strip is held. Rows of PPM files of bytes from 0 to 255 and of 24-bit BMP
// files are handed out where they were read; the others are converted to
// three bytes a pixel first. A file that cannot be read or has been cut short
// meanwhile throws PictureDamaged.
class RawPictureRows : public PixelRows
{
public:
    // Takes over the open file `fd`.
    RawPictureRows(int fd, RawPicture raw);
    ~RawPictureRows() override;
    RawPictureRows(const RawPictureRows &) = delete;
    RawPictureRows &operator=(const RawPictureRows &) = delete;

    int width() const override { return raw_.width; }
    int height() const override { return raw_.height; }
    bool redFirst() const override { return raw_.pixels == RawPicture::Pixels::Rgb; }
    const std::uint8_t *row(int y) override;

private:
    void readStrip(int first);

    int fd_;
    RawPicture raw_;
    int stripRows_;
    int first_ = 0; // the strip held: rows first_ ... first_ + count_ - 1
    int count_ = 0;
    // Every byte is read into before it is used: no zeros are written first.
    std::unique_ptr<std::uint8_t[]> strip_;
    std::vector<std::uint8_t> scaled_;
    std::vector<std::uint8_t> converted_;
};

// Opens a picture file of a kind read here (see readRawHeader) for reading row
// by row. Nothing when it is of another kind; throws PictureDamaged when it
// cannot be opened or is damaged.
std::unique_ptr<RawPictureRows> openRawPictureRows(const std::string &fileName);

} // namespace quillery
