// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace quillery {

class Settings;

// The main window's size, position and state, kept in section "Quillery" as "Height",
// "Width", "Top" and "Left" (twips) and "WindowState" (0 normal, 1 minimised,
// 2 maximised).

// Call before the window is first shown. A value that is missing takes its default
// (8655 by 9630 twips, a quarter of the screen from the top left, maximised); a value
// that is not a number, or a size that is not positive, leaves that property as it is.
// A window that would land off every screen is put back at the default position.
void restorePlacement(QWidget &window, const Settings &settings);

// Call while the window closes. A normal window stores its state and its four lengths;
// a maximised one stores "2" and a minimised one "0", keeping the lengths of the last
// normal placement.
void savePlacement(const QWidget &window, Settings &settings);

} // namespace quillery
