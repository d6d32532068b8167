// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/StatusPanel.h"

#include <QString>

#include <functional>

namespace quillery {

struct CommandState;
class BinderWindow;

// Shows a command state in a binder window's menus, and through the two callbacks in the
// main window's toolbar buttons and status panels.
void applyCommandState(BinderWindow &window, const CommandState &state,
                       const std::function<void(int, bool)> &setButton,
                       const std::function<void(StatusPanel, const QString &)> &setStatus);

} // namespace quillery
