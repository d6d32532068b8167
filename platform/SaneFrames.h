#pragma once

#include "images/cImage.h"

#include <QByteArray>

#include <sane/sane.h>

#include <vector>

namespace quillery {

// One frame as a SANE device delivers it: its parameters and all its bytes.
struct SaneFrame
{
    SANE_Parameters parameters{};
    QByteArray data;
};

// Turns the frames of one scan into a bitmap: a grey frame at 1 bit becomes a
// 1-bit image (SANE's 1 is black), grey at 8 or 16 bits an 8-bit grey image,
// colour (one RGB frame, or red, green and blue frames) a 24-bit image.
// 16-bit samples keep their high byte. Returns an empty image for anything
// else or for frames that do not fit together.
cImage imageFromSaneFrames(const std::vector<SaneFrame> &frames);

} // namespace quillery
