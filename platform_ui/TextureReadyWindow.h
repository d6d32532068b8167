// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace quillery {

// Makes the top-level window's native window now, of the kind that can also show
// widgets drawn by the GPU (the web view is one). A window made for plain drawing is
// destroyed and made anew when the first such widget appears in it: its window id
// changes, and a dialog open at that moment loses its parent and drops behind.
// Does nothing where windows cannot draw with OpenGL (the offscreen platform of the tests).
void makeTextureReadyWindow(QWidget &topLevel);

} // namespace quillery
