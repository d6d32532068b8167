#pragma once

#include <QtGlobal>

namespace quillery {

// Lengths the program stores keep their unit, twips (1/1440 inch); the screen's logical
// resolution turns them into pixels and back.
constexpr double TwipsPerInch = 1440.0;

inline int twipsToPixels(double twips, qreal dpi)
{
    return qRound(twips * dpi / TwipsPerInch);
}

inline double pixelsToTwips(int pixels, qreal dpi)
{
    return pixels * TwipsPerInch / dpi;
}

} // namespace quillery
