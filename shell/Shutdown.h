// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace quillery {

struct Session;

// The main window's part in shut-down. Each hook may be left empty.
struct ShutdownHooks
{
    std::function<void()> savePlacement;
    std::function<void()> unloadRecent; // writes the recent-files list
};

// Takes the program down once every binder window has closed: deletes the temporary
// files of this run; the last instance also deletes the blank viewer page (others still
// show it); removes the temporary folder when nothing is left in it; saves the window
// placement and writes the recent-files list. A step that fails is skipped.
void runShutdown(Session &session, const ShutdownHooks &hooks);

} // namespace quillery
