// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quillery {

// Starts the program: main window, the binder named on the command line or a new one,
// and the event loop. Returns the exit code.
int runApplication(int argc, char *argv[]);

} // namespace quillery
