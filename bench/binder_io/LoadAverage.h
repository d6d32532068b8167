// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quillery::bench {

// Prints the load averages over 1, 5 and 15 minutes and the number of processors, since
// other work on the machine stretches every time measured.
void printLoad(const char *when);

} // namespace quillery::bench
