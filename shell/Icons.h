// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/PageKind.h"

#include <QIcon>

namespace quillery {

// Every icon comes from the desktop's icon theme when it has one of the name, otherwise
// from our own drawings, so the program looks complete without a desktop installed. The
// icons are made once and shared; each carries the 16 and 32 pixel sizes.

// The icon of a page kind; no icon for Unknown.
QIcon pageKindIcon(PageKind kind);
// A binder: the program's icon and the icon of ".qly" files.
QIcon binderIcon();

enum class ToolIcon {
    New,
    Open,
    Save,
    Rename,
    Delete,
    Edit,
    Back,
    Forward,
    Stop,
    Refresh,
    LargeIcons,
    SmallIcons,
    List,
    Details,
    Scanner,
};
QIcon toolIcon(ToolIcon icon);

// The toolbar's pictures by number, as its buttons and drop-down choices name them:
// 1 new, 2 open, 3 save, 4 rename, 5 delete, 6 edit, 7 list, 8 large icons, 9 small
// icons, 10 to 15 the page kinds, 16 details, 17 scanner, 18 back, 19 forward, 20 stop,
// 21 refresh. Other numbers have none.
QIcon smallPicture(int picture);

} // namespace quillery
