// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "images/JpegBuffer.h"
#include "images/JpegFrame.h"
#include "images/JpegWriter.h"

#include <string>
#include <vector>

namespace quillery {
class PixelRows;
} // namespace quillery

namespace quillery::jpeg {

// Width and height are 16-bit fields of the frame header.
constexpr int maxDimension = 65535;

// What a picture is coded with.
struct Settings
{
    std::array<QuantTable, 2> tables;
    std::vector<Sampling> sampling; // one component: greyscale
    std::string comment;            // at most maxCommentBytes
    HuffmanTables huffmanTables = HuffmanTables::Optimised;
};
constexpr int maxCommentBytes = 65533;

// Creates the file exclusively, so that a file or link of that name is never
// replaced, and lets `encode` fill it through a sink; a failure removes the
// file again. Returns 0, or 2 when the file exists; throws JpegError with the
// system's error number when it cannot be written.
int writeNewFile(const std::string &fileName,
                 const std::function<void(const JpegBuffer::Sink &)> &encode);

// Codes a picture read row by row into a new file, as writeNewFile does, each
// row of blocks made when it is coded. Returns what writeNewFile returns, or 3
// when the picture is too large (over 65535 pixels a side) or there is no
// memory. What reading the rows throws goes to the caller (the file is then
// removed).
int saveNewJpeg(PixelRows &rows, const Settings &settings, const std::string &fileName);

} // namespace quillery::jpeg
