// SPDX-License-Identifier: GPL-3.0-or-later
#include "PaintedColours.h"

#include "platform_ui/PageColours.h"

#include <QApplication>
#include <QHash>
#include <QImage>
#include <QStyle>
#include <QWidget>

namespace quillery::test {

bool PaintedColours::reads() const
{
    return contrastRatio(ink, background) >= 4.5;
}

PaintedColours paintedColours(QWidget &widget)
{
    const QImage image = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    }
    QRgb most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > counts.value(most))
            most = it.key();
    }
    const QColor background(most);
    QColor ink = background;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (contrastRatio(QColor(it.key()), background) > contrastRatio(ink, background))
            ink = QColor(it.key());
    }
    return {background, ink};
}

QPalette darkPalette()
{
    QPalette dark = QApplication::style()->standardPalette();
    dark.setColor(QPalette::Window, QColor(0x2d, 0x2d, 0x2d));
    dark.setColor(QPalette::WindowText, DarkText);
    dark.setColor(QPalette::Base, DarkBase);
    dark.setColor(QPalette::Text, DarkText);
    dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::ButtonText, DarkText);
    dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
    return dark;
}

} // namespace quillery::test
