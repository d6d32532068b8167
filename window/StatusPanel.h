// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace quillery {

// The main window's status bar, panel by panel from the left.
enum class StatusPanel { Created = 1, Modified, Size, Pages, Link };

inline constexpr int StatusPanelCount = 5;
// The panels that describe the current page, emptied when no page is current.
inline constexpr std::array PagePanels{StatusPanel::Created, StatusPanel::Modified,
                                       StatusPanel::Size, StatusPanel::Link};

} // namespace quillery
