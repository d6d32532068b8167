// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "images/JpegFile.h"

#include <QString>

namespace quillery {

class Picture;
class PixelRows;

// Baseline sequential JPEG encoder writing JFIF files, with Huffman tables
// optimised for each image. Set the quality and sampling, sample an image,
// set a comment, save. Errors are raised as JpegError.
class JpegEncoder
{
public:
    JpegEncoder();

    int quality() const { return quality_; }
    // Values outside 1 ... 100 are ignored.
    void setQuality(int quality);

    // Luminance H1 x V1 and chrominance H2 x V2, H3 x V3, each 1 ... 4; with
    // H2, V2, H3 and V3 all 0 the image is greyscale (one component).
    void setSamplingFactors(int H1, int V1, int H2, int V2, int H3, int V3);

    // Reads and encodes the width x height rectangle at (left, top) of a
    // picture, with the quality and sampling set now. Returns 0, or 1 when
    // there is nothing to read or no memory for it (the previously sampled
    // image is then kept).
    int sample(const Picture &picture, int width, int height, int left = 0, int top = 0);

    QString comment() const { return comment_; }
    // At most 65533 bytes once encoded as UTF-8.
    void setComment(const QString &comment);

    // Writes the last sampled image. Returns 0 when written, 1 for an empty
    // name, 2 when a file of that name exists (it is never replaced).
    int save(const QString &fileName);

    // Samples and writes in one step, as sample and save would, but without
    // keeping the coefficients: each row of blocks is made when it is coded
    // (twice, once for the Huffman tables) and the file is written as it
    // grows. The image sampled last is left as it was. Returns what save
    // returns, or 3 when there is nothing to read or no memory.
    int sampleAndSave(const Picture &picture, int width, int height, int left, int top,
                      const QString &fileName);
    // The same for a picture read row by row; what reading the rows throws
    // goes to the caller (the file is then removed).
    int sampleAndSave(PixelRows &rows, const QString &fileName);

private:
    int quality_ = 75;
    QString comment_;
    jpeg::Settings settings_;
    jpeg::Frame frame_;
};

} // namespace quillery
