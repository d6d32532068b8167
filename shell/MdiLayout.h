// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <Qt>

class QMdiArea;

namespace quillery {

// Lays the windows out one above another (horizontal) or side by side (vertical),
// filling the area.
void tileSubWindows(QMdiArea &mdi, Qt::Orientation orientation);
// Lines the minimised windows up along the bottom of the area, left to right and then
// row above row; the other windows stay where they are.
void arrangeIcons(QMdiArea &mdi);

} // namespace quillery
