// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quillery {

// An opt-in for timing start-up from outside: when QUILLERY_REPORT_STARTUP is set in the
// environment, the program prints one line "painted <milliseconds>" to stderr once the
// first binder window has been painted, counted from the start of the process (to within
// a kernel clock tick). Without the variable this does nothing. Call it before the main
// window is shown.
void reportStartupPaint();

} // namespace quillery
