#pragma once

#include "platform/Dialogs.h"

#include <QList>

namespace quillery {

// The answers a message box offers, in button order: the first is its default button,
// the last is what closing the box without a choice gives.
QList<MsgResult> buttonResults(MsgButtons buttons);

} // namespace quillery
