// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace quillery {

// The switches the web engine starts with: the user's own (from QTWEBENGINE_CHROMIUM_FLAGS,
// given) and the program's. The program's network limits come always; with saveMemory also
// the switches that leave out what a viewer of documents does not need. A switch the user gave
// keeps the user's value, and lists of features are extended, since the engine reads only the
// last list of each kind.
QByteArray engineFlags(const QByteArray &given, bool saveMemory);

// False when QUILLERY_BROWSER_DEFAULTS is set to 1: the engine then runs as Qt sets it up,
// less the program's network limits, which stay. For comparing, and for a machine where the
// savings get in the way.
bool engineMemorySavingWanted();

} // namespace quillery
