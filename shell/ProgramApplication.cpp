// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ProgramApplication.h"

#include "window/BrowserModule.h"

#include <QApplication>
#include <QOpenGLContext>

#include <unistd.h>

namespace quillery {

namespace {

constexpr char XcbOpenGl[] = "QT_XCB_GL_INTEGRATION";

} // namespace

std::unique_ptr<QApplication> makeProgramApplication(int &argc, char **argv)
{
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    const bool withheld = !browserViewsUseOpenGl() && !qEnvironmentVariableIsSet(XcbOpenGl);
    if (withheld)
        qputenv(XcbOpenGl, "none");
    auto app = std::make_unique<QApplication>(argc, argv);
    if (withheld) {
        // The X11 platform reads the setting the first time it is asked about OpenGL. Once
        // it has, the setting leaves the environment, so the programs this one starts (an
        // outside editor) draw as they would anyway.
        QOpenGLContext::supportsThreadedOpenGL();
        qunsetenv(XcbOpenGl);
    }
    return app;
}

} // namespace quillery
