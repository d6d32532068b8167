// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

class QApplication;

namespace quillery {

// The application object as the program makes it, which the benchmarks make too so that they
// measure what the program does: the web engine's sandbox is off where it cannot run (as
// root), and no OpenGL driver is loaded unless the web views draw with it
// (browserViewsUseOpenGl). Nothing else in the program uses OpenGL, but Qt loads the driver,
// some 30 MB of it, the first time anything asks whether there is one: on X11 when the web
// engine does, on Wayland at the first window. The user's own choice of the platform's
// OpenGL (QT_XCB_GL_INTEGRATION, QT_WAYLAND_CLIENT_BUFFER_INTEGRATION) stands. Every window
// it shows keeps to its screen (keepWindowsOnScreen).
std::unique_ptr<QApplication> makeProgramApplication(int &argc, char **argv);

} // namespace quillery
