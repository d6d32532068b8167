// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quillery {

// Lengths are kept in twips (1/1440 inch) wherever they are stored; a text document lays
// out in the screen's logical pixels. Without a screen (tools, tests) 96 dots per inch.
double screenDpi();

inline double twipsToPixels(double twips, double dpi)
{
    return twips * dpi / 1440.0;
}

inline double pixelsToTwips(double pixels, double dpi)
{
    return pixels * 1440.0 / dpi;
}

inline double twipsToPixels(double twips)
{
    return twipsToPixels(twips, screenDpi());
}

inline double pixelsToTwips(double pixels)
{
    return pixelsToTwips(pixels, screenDpi());
}

} // namespace quillery
