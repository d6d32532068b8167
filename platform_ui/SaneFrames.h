// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "images/Picture.h"

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

// The most a scan may deliver: bytes in one frame and frames in one scan. A device that
// sends more is faulty, and its scan is dropped rather than exhaust memory.
inline constexpr qint64 MaxSaneFrameBytes = qint64(1) << 31;
inline constexpr std::size_t MaxSaneFrames = 8;
// Whether more bytes (as sane_read reports them) may join a frame already holding held.
bool saneFrameHasRoom(qint64 held, qint64 more);

// Turns the frames of one scan into a bitmap: a grey frame at 1 bit becomes a
// 1-bit image (SANE's 1 is black), grey at 8 or 16 bits an 8-bit grey image,
// colour (one RGB frame, or red, green and blue frames) a 24-bit image.
// 16-bit samples keep their high byte. Returns an empty image for anything
// else or for frames that do not fit together.
Picture imageFromSaneFrames(const std::vector<SaneFrame> &frames);

} // namespace quillery
