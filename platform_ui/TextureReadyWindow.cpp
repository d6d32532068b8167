// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform_ui/TextureReadyWindow.h"

#include <QGuiApplication>
#include <QOpenGLContext>
#include <QOpenGLWidget>

namespace quillery {

namespace {

// The desktop platforms, where they have OpenGL for windows: a window told to draw so
// where there is none fails at its first paint. (The offscreen platform of the tests
// claims threaded OpenGL but cannot show a GPU-drawn widget.)
bool windowsDrawWithOpenGL()
{
    const QString platform = QGuiApplication::platformName();
    return (platform == u"xcb" || platform.startsWith(u"wayland")) &&
           QOpenGLContext::supportsThreadedOpenGL();
}

} // namespace

void makeTextureReadyWindow(QWidget &topLevel)
{
    if (topLevel.windowHandle() || !windowsDrawWithOpenGL())
        return;
    // A hidden GPU-drawn child while the window is made decides the window's kind; it
    // is not needed after.
    auto *probe = new QOpenGLWidget(&topLevel);
    probe->hide();
    topLevel.winId();
    delete probe;
}

} // namespace quillery
