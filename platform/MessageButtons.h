// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Dialogs.h"

#include <QList>

namespace quillery {

// The answers a message box offers, in button order; the last is what closing the box
// without a choice gives.
QList<MsgResult> buttonResults(MsgButtons buttons);
// The answer of the box's default button, the one Enter presses.
MsgResult defaultResult(MsgButtons buttons);

} // namespace quillery
