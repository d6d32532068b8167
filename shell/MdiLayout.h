// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <Qt>

class QMdiArea;
class QMdiSubWindow;

namespace quillery {

// The smallest size the layouts give a binder window, while the area is as large: its page
// list and a few lines of the page stay readable.
inline constexpr QSize UsableWindowSize(320, 220);

// Places a window just added to the area: the first fills the area, and keeps filling it
// as the area changes size until it is moved or resized; later ones take three quarters
// of the area, each a title bar lower and to the right of the one before, always inside.
void placeNewSubWindow(QMdiArea &mdi, QMdiSubWindow &window);
// Lays the windows out one behind another, each a title bar lower and to the right, all
// of one size and inside the area; where the area has no room for every step, the steps
// start again from the corner.
void cascadeSubWindows(QMdiArea &mdi);
// Lays the windows out one above another (horizontal) or side by side (vertical),
// filling the area; where the area has no room for that many at a usable size, in as many
// columns (rows) as it takes.
void tileSubWindows(QMdiArea &mdi, Qt::Orientation orientation);
// Lines the minimised windows up along the bottom of the area, left to right and then
// row above row; the other windows stay where they are.
void arrangeIcons(QMdiArea &mdi);

} // namespace quillery
