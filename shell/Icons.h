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

// The icon of the main toolbar's button at a position, 1 to 15, as at start: the Add
// Page button shows a rich text page and the View button large icons. Separators (4, 9,
// 11) and other positions have none.
QIcon toolbarIcon(int position);

// The small pictures the Add Page and View buttons take after a drop-down choice:
// 7 list, 8 large icons, 9 small icons, 10 to 15 the page kinds, 16 details,
// 17 scanner. Other numbers have none.
QIcon smallPicture(int picture);

} // namespace quillery
