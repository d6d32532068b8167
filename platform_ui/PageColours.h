// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Colours.h"

#include <QColor>

class QPalette;
class QTextDocument;

namespace quillery {

// The colours a text page is shown in: its background, and the colour of its automatic text
// (text without a colour of its own).
struct PageColours
{
    QColor base;
    QColor text;
};

// A page on the theme's background (a system colour) takes the theme's colours, so a page
// that sets none reads on a dark desktop as on a light one, as long as the colours it does
// set read there too. Black text on a dark theme would not: such a page was written for a
// light page, and is shown on white with black automatic text, as its author saw it. A page
// with a background of its own keeps it, with black or white automatic text, whichever
// reads on it.
PageColours pageColours(ColourCode background, const QTextDocument &document,
                        const QPalette &theme);

// How well one colour reads on the other: WCAG 2's contrast ratio, from 1 (not at all) to 21.
qreal contrastRatio(const QColor &one, const QColor &other);

} // namespace quillery
