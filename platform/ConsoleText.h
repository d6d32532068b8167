// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillery {

// Text, perhaps from a binder or another user's file, as one safe line of a program's
// output: control characters (C0, DEL, C1) and the line and paragraph separators are
// written "\xNN", and a backslash "\\", so that a name holding a line break or terminal
// codes can neither forge nor hide lines, and the text can be read back.
QString consoleText(const QString &text);

} // namespace quillery
