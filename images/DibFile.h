// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillery {

class Picture;

// Writes the image as a Windows bitmap file (BITMAPFILEHEADER, BITMAPINFOHEADER,
// colour table, bottom-up rows), replacing any file of that name only once the
// whole file is written. dotsPerMetre, when not 0, records the resolution.
bool saveDibFile(const Picture &image, const QString &fileName, int dotsPerMetre = 0);

} // namespace quillery
