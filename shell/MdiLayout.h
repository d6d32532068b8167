#pragma once

#include <Qt>

class QMdiArea;

namespace quillery {

// Lays the windows out one above another (horizontal) or side by side (vertical),
// filling the area.
void tileSubWindows(QMdiArea &mdi, Qt::Orientation orientation);

} // namespace quillery
