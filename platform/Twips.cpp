// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace quillery {

double screenDpi()
{
    if (qGuiApp) {
        if (const QScreen *screen = QGuiApplication::primaryScreen()) {
            const double dpi = screen->logicalDotsPerInchX();
            if (dpi > 0)
                return dpi;
        }
    }
    return 96.0;
}

} // namespace quillery
