// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ProgramApplication.h"

#include "platform_ui/ScreenFit.h"
#include "window/BrowserModule.h"

#include <QApplication>
#include <QList>
#include <QLoggingCategory>
#include <QOpenGLContext>

#include <unistd.h>

namespace quillery {

namespace {

// What keeps each display platform from loading OpenGL: X11's takes "none"; Wayland's
// takes any name it knows no integration by, and says so.
constexpr const char *OpenGlSettings[] = {"QT_XCB_GL_INTEGRATION",
                                          "QT_WAYLAND_CLIENT_BUFFER_INTEGRATION"};

} // namespace

std::unique_ptr<QApplication> makeProgramApplication(int &argc, char **argv)
{
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QList<const char *> withheld;
    if (!browserViewsUseOpenGl()) {
        for (const char *setting : OpenGlSettings) {
            if (!qEnvironmentVariableIsSet(setting)) {
                qputenv(setting, "none");
                withheld << setting;
            }
        }
    }
    if (withheld.isEmpty()) {
        auto app = std::make_unique<QApplication>(argc, argv);
        keepWindowsOnScreen(*app);
        return app;
    }
    // That it found no OpenGL to load is what was asked for.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.qpa.wayland.warning=false"));
    auto app = std::make_unique<QApplication>(argc, argv);
    // The platform reads the setting the first time it is asked about OpenGL. Once it has,
    // the setting leaves the environment, so the programs this one starts (an outside
    // editor) draw as they would anyway.
    QOpenGLContext::supportsThreadedOpenGL();
    for (const char *setting : withheld)
        qunsetenv(setting);
    QLoggingCategory::setFilterRules(QString());
    keepWindowsOnScreen(*app);
    return app;
}

} // namespace quillery
