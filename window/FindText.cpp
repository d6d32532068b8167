// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/FindText.h"

#include "editor/TextSearch.h"

namespace quillery {

int findNextPosition(const QString &text, const QString &needle, bool matchCase, int selStart,
                     int selLength)
{
    const int from = selStart == 0 && selLength == 0 ? 0 : selStart + 1;
    return int(findText(text, needle, from, matchCase));
}

} // namespace quillery
