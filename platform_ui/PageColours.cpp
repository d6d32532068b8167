// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform_ui/PageColours.h"

#include <QPalette>
#include <QTextBlock>
#include <QTextDocument>

#include <cmath>

namespace quillery {

namespace {

// WCAG's least contrast for large text: below it, text is hard to read at any size.
constexpr qreal Readable = 3.0;

qreal luminance(const QColor &colour)
{
    const auto linear = [](qreal channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

bool isSet(const QBrush &brush)
{
    return brush.style() != Qt::NoBrush;
}

// Whether each run of text that has a colour or a background of its own reads, its
// automatic parts taking the given colours.
bool ownColoursRead(const QTextDocument &document, const PageColours &colours)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QBrush shading = block.blockFormat().background();
        for (auto run = block.begin(); !run.atEnd(); ++run) {
            const QTextCharFormat format = run.fragment().charFormat();
            const QBrush foreground = format.foreground();
            const QBrush background = isSet(format.background()) ? format.background() : shading;
            if (!isSet(foreground) && !isSet(background))
                continue;
            const QColor text = isSet(foreground) ? foreground.color() : colours.text;
            const QColor base = isSet(background) ? background.color() : colours.base;
            if (contrastRatio(text, base) < Readable)
                return false;
        }
    }
    return true;
}

} // namespace

PageColours pageColours(ColourCode background, const QTextDocument &document, const QPalette &theme)
{
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    if (!isSystemColour(background)) {
        const QColor base = colourFromCode(background, theme);
        return {base, contrastRatio(black, base) >= contrastRatio(white, base) ? black : white};
    }
    const PageColours themed{colourFromCode(background, theme), theme.color(QPalette::Text)};
    if (ownColoursRead(document, themed))
        return themed;
    return {white, black};
}

qreal contrastRatio(const QColor &one, const QColor &other)
{
    const qreal a = luminance(one);
    const qreal b = luminance(other);
    return (qMax(a, b) + 0.05) / (qMin(a, b) + 0.05);
}

} // namespace quillery
