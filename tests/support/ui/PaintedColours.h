// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

namespace quillery::test {

// What a widget paints: the colour most of it is, and the ink drawn on it, the painted
// colour that stands out from it most.
struct PaintedColours
{
    QColor background;
    QColor ink;
    // Whether the ink reads on the background as body text should (WCAG's 4.5:1).
    bool reads() const;
};

PaintedColours paintedColours(QWidget &widget);

// A dark desktop's palette on the current style: light text on dark grey.
QPalette darkPalette();
inline const QColor DarkBase(0x1e, 0x1e, 0x1e);
inline const QColor DarkText(0xe6, 0xe6, 0xe6);

} // namespace quillery::test
