// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace quillery {

// An icon from an SVG file whose ink (the letters and lines drawn in #1f2630) takes the
// palette's button text colour each time it is drawn, so that it shows on a dark toolbar
// as on a light one, greyed where the button is. Its other colours stay as drawn.
QIcon inkIcon(const QString &svgPath);

} // namespace quillery
