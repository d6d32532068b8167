// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace quillery {

// The measured side of the benchmark, run in a process of its own: the program's main window
// opens the binders, each on its text page, and the memory of the process and every process
// under it is written to standard output, one line a stage:
//   stage NAME|DISTINCT|KIND COUNT KIB|KIND COUNT KIB...
// first with the window painted and no web engine, then once the engine has started in the
// background as the program starts it, once the first binder's HTML page has been painted,
// after going back and forth between that page and another, and once every binder shows an
// HTML page in a window of its own. KIB is the proportional
// set size of the processes of that kind, DISTINCT what all of them hold counting each page
// once (-1 where that cannot be read). Returns the exit code.
int runHarness(int argc, char *argv[], const QStringList &binders);

} // namespace quillery
