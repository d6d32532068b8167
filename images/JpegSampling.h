#pragma once

#include "images/JpegFrame.h"

namespace quillery {
class cImage;
}

namespace quillery::jpeg {

// Reads the width x height rectangle at (left, top) of the source (black
// where it lies outside), makes each component's samples at its own
// resolution, transforms and quantizes them. Returns false, leaving `frame`
// untouched, when the memory for it cannot be had.
bool sampleFrame(const cImage &source, int left, int top, int width, int height,
                 const std::vector<Sampling> &sampling, const std::array<QuantTable, 2> &tables,
                 Frame &frame);

} // namespace quillery::jpeg
