// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "images/JpegBlocks.h"
#include "images/JpegBuffer.h"
#include "images/JpegFrame.h"

#include <string_view>

namespace quillery::jpeg {

// Which Huffman tables a file is coded with.
enum class HuffmanTables {
    // Optimised for the frame: the blocks are walked once for the symbol
    // counts and, unless the symbols could be kept within the source's
    // budget, again for the coding.
    Optimised,
    // The standard's example tables: one walk, a larger file.
    Standard,
};

// The whole JFIF file for a frame whose blocks come from `blocks`: SOI, APP0,
// the caller's comment (when not empty), the encoder's own comment, DQT,
// SOF0, DHT, the scans and EOI. The bytes go to `sink` piece by piece.
void writeJpeg(const Frame &frame, BlockSource &blocks, std::string_view comment,
               const JpegBuffer::Sink &sink,
               HuffmanTables huffmanTables = HuffmanTables::Optimised);

} // namespace quillery::jpeg
