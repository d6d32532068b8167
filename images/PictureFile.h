// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "images/PixelRows.h"

#include <QString>

#include <memory>

namespace quillery {

class Picture;

// Reads a picture file into an image buffer. Binary PPM and PGM (samples of
// up to 16 bits brought to 8), and uncompressed BMP of 1, 4, 8, 24 and 32
// bits, are read straight into the buffer's rows; everything else goes through Qt's image
// readers. Returns an empty string when the picture was read, otherwise what
// is wrong with the file (the image is then empty). With asTaken, a picture
// that records how the camera was held is turned that way.
QString readPictureFile(const QString &fileName, Picture &image, bool asTaken = false);

// Opens a picture file for the JPEG encoder. The kinds of file readPictureFile
// reads itself are read a strip of rows at a time as the rows are asked for,
// and only that strip is held (reading them may throw PictureDamaged, see
// RawPicture.h); any other picture is read whole through Qt first. On failure
// returns nothing, with what is wrong with the file in `problem`.
std::unique_ptr<PixelRows> openPictureRows(const QString &fileName, QString &problem);

} // namespace quillery
