// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/WindowPlacement.h"

#include "platform/Settings.h"
#include "platform/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace quillery {

namespace {

const QString heightKey = QStringLiteral("Height");
const QString widthKey = QStringLiteral("Width");
const QString topKey = QStringLiteral("Top");
const QString leftKey = QStringLiteral("Left");
const QString stateKey = QStringLiteral("WindowState");

QString twipsText(int pixels, qreal dpi)
{
    return QString::number(qRound(pixelsToTwips(pixels, dpi)));
}

// Enough of the window's top edge shows on some screen to grab it.
bool reachable(const QRect &frame)
{
    const int wanted = qMin(64, frame.width());
    const int tall = qMin(32, frame.height());
    for (const QScreen *screen : QGuiApplication::screens()) {
        const QRect seen = frame.intersected(screen->availableGeometry());
        if (seen.width() >= wanted && seen.height() >= tall)
            return true;
    }
    return false;
}

} // namespace

void restorePlacement(QWidget &window, const Settings &settings)
{
    const qreal dpiX = window.logicalDpiX();
    const qreal dpiY = window.logicalDpiY();
    const QRect screen = window.screen() ? window.screen()->geometry() : QRect(0, 0, 800, 600);
    const QPoint defaultPos(screen.x() + screen.width() / 4, screen.y() + screen.height() / 4);

    const auto pixels = [&](const QString &key, const QString &defaultTwips, qreal dpi,
                            int current) {
        const auto twips = settings.number(Settings::Main, key, defaultTwips);
        return twips ? qRound(twipsToPixels(*twips, dpi)) : current;
    };
    QSize size = window.size();
    const int height = pixels(heightKey, QStringLiteral("8655"), dpiY, size.height());
    const int width = pixels(widthKey, QStringLiteral("9630"), dpiX, size.width());
    if (height > 0)
        size.setHeight(height);
    if (width > 0)
        size.setWidth(width);
    QPoint pos(pixels(leftKey, twipsText(defaultPos.x(), dpiX), dpiX, window.x()),
               pixels(topKey, twipsText(defaultPos.y(), dpiY), dpiY, window.y()));
    // A placement saved on a screen that has since gone would hide the window.
    if (!reachable(QRect(pos, size)))
        pos = defaultPos;
    window.resize(size);
    window.move(pos);

    const auto state = settings.number(Settings::Main, stateKey, QStringLiteral("2"));
    if (state == 0.0)
        window.setWindowState(Qt::WindowNoState);
    else if (state == 1.0)
        window.setWindowState(Qt::WindowMinimized);
    else if (state == 2.0)
        window.setWindowState(Qt::WindowMaximized);
}

void savePlacement(const QWidget &window, Settings &settings)
{
    const Qt::WindowStates state = window.windowState();
    if (state & Qt::WindowMinimized) {
        settings.setValue(Settings::Main, stateKey, QStringLiteral("0"));
        return;
    }
    if (state & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
        settings.setValue(Settings::Main, stateKey, QStringLiteral("2"));
        return;
    }
    settings.setValue(Settings::Main, stateKey, QStringLiteral("0"));
    const qreal dpiX = window.logicalDpiX();
    const qreal dpiY = window.logicalDpiY();
    settings.setValue(Settings::Main, heightKey, twipsText(window.height(), dpiY));
    settings.setValue(Settings::Main, widthKey, twipsText(window.width(), dpiX));
    settings.setValue(Settings::Main, topKey, twipsText(window.y(), dpiY));
    settings.setValue(Settings::Main, leftKey, twipsText(window.x(), dpiX));
}

} // namespace quillery
