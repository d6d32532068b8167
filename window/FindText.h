// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillery {

// Where the next occurrence of needle in text starts, searching on from a selection:
// from the first character when nothing is selected at the very start, otherwise from
// one character after the selection's start, so the occurrence selected now is skipped
// but one overlapping it is found. -1 when there is none. Without matchCase, letters
// compare in any case, character by character, so positions stay those of the text.
int findNextPosition(const QString &text, const QString &needle, bool matchCase, int selStart,
                     int selLength);

} // namespace quillery
