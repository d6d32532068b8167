// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace quillery {

class Dialogs;

// Runs a command a menu item or a button started. The procedures report the failures they
// expect themselves; whatever escapes them is said here, because an exception must never
// reach Qt's event loop. A cancel the person chose is no error and shows nothing.
void guarded(Dialogs &dialogs, const std::function<void()> &command);

} // namespace quillery
