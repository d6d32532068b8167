#include "window/FindText.h"

namespace quillery {

int findNextPosition(const QString &text, const QString &needle, bool matchCase, int selStart,
                     int selLength)
{
    if (needle.isEmpty())
        return -1;
    const int from = selStart == 0 && selLength == 0 ? 0 : selStart + 1;
    return int(text.indexOf(needle, from, matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive));
}

} // namespace quillery
