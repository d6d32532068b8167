// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;
class QRect;
class QTabWidget;
class QWidget;

namespace quillery {

// From now on every window the application shows is sized and placed within the free part
// of its screen (the screen of its parent window, or else of the mouse), frame included,
// as it opens. A small or scaled screen would otherwise leave the lower part of a dialog,
// with its buttons, out of reach. Maximised and full-screen windows are the window
// manager's to place, and windows the user moves later stay where they are put.
void keepWindowsOnScreen(QApplication &application);

// The same for one window, now: it shrinks to fit (no smaller than its minimum size, so
// content that cannot shrink belongs in scrollingTabs) and moves onto the screen.
void fitToScreen(QWidget &window);

// The part of the screen the window's frame may cover: the free area of its screen.
QRect screenRoomFor(const QWidget &window);

// Puts each page of the tabs in a frameless scroll area, for dialogs whose content is taller
// than a small screen: the dialog can then shrink, and the pages scroll. Where the screen is
// big enough nothing scrolls.
void scrollingTabs(QTabWidget &tabs);

} // namespace quillery
