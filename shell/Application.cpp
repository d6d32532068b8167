// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Application.h"

#include "documents/Binder.h"
#include "documents/PageKind.h"
#include "documents/RecoveryService.h"
#include "platform/FontFamilies.h"
#include "platform/Settings.h"
#include "platform_ui/QtDialogs.h"
#include "shell/AppInfo.h"
#include "shell/CommandLine.h"
#include "shell/FirstPaint.h"
#include "shell/Icons.h"
#include "shell/MainWindow.h"
#include "shell/ProgramApplication.h"
#include "shell/QuitRequests.h"
#include "shell/RecentFilesWindow.h"
#include "shell/RecoveryStart.h"
#include "shell/Session.h"
#include "shell/ShellResources.h"
#include "shell/Shutdown.h"
#include "shell/SplashWindow.h"
#include "shell/Startup.h"
#include "shell/StartupReport.h"
#include "shell/Translations.h"
#include "shell/WindowPlacement.h"
#include "window/BinderWindow.h"
#include "window/BrowserModule.h"
#include "window/PageListView.h"

#include <QApplication>

namespace quillery {

namespace {

// The web engine costs hundreds of megabytes: it is started ahead only for a binder that
// will want it.
bool anyHtmlPage(const QList<BinderWindow *> &windows)
{
    for (const BinderWindow *window : windows) {
        const PageList &pages = window->binder().pages();
        for (int i = 0; i < pages.count(); ++i) {
            if (pages.at(i).key.kind == PageKind::HTML)
                return true;
        }
    }
    return false;
}

} // namespace

int runApplication(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLineRequest request = readCommandLine(arguments);
    if (request.action != CommandLineRequest::Action::Start) {
        // Help, version and mistakes are answered without a window, so also without a display.
        const QCoreApplication app(argc, argv);
        return answerCommandLine(request);
    }

    const std::unique_ptr<QApplication> app = makeProgramApplication(argc, argv);
    QApplication::setApplicationName(AppInfo::productName());
    QApplication::setOrganizationName(AppInfo::companyName());
    QApplication::setApplicationVersion(AppInfo::version());
    installTranslations();
    initShellResources();
    installFontSubstitutes();
    QApplication::setWindowIcon(binderIcon());
    PageListView::setIconSource(pageKindIcon);

    QtDialogs dialogs;
    Settings settings;
    Session session(settings, dialogs);
    StartupHooks hooks;
    hooks.showSplash = [] {
        SplashWindow::showSplash();
    };
    hooks.closeSplash = [] {
        SplashWindow::closeSplash();
    };
    if (!beginStartup(session, hooks))
        return 1;

    MainWindow window(*session.temp, dialogs, settings);
    window.closeSplash = [] {
        SplashWindow::closeSplash();
    };
    window.loadedSystemWindows = [] {
        return SplashWindow::isOpen() ? 1 : 0;
    };
    RecoveryService recovery(RecoveryStore(), settings.recoveryDelayMs());
    window.watchBinder = [&recovery](Binder &binder) {
        recovery.watch(binder);
    };
    const QuitRequests quit([&window, &recovery] { endWithoutAsking(window, recovery); });
    hooks.offerRecovery = [&window, &recovery] {
        offerRecovery(window, recovery);
    };
    // A recovered binder takes the place of the new one and of the same binder opened again.
    hooks.newBinder = [&window] {
        if (window.binderWindows().isEmpty())
            window.newBinder();
    };
    hooks.openFile = [&window](const QString &path) {
        if (!window.activateBinderWindow(path))
            window.openFile(path);
    };
    hooks.restorePlacement = [&window, &settings] {
        restorePlacement(window, settings);
    };
    hooks.loadRecent = [&window] {
        window.recent();
    };
    finishStartup(session, window.workspace(), request.words, hooks);
    reportStartupPaint();
    afterFirstPaint(loadPrintSystem);
    // The web engine takes long to start: it starts once the window is up, so that the first
    // HTML page does not wait for it.
    afterFirstPaint([&window] {
        if (anyHtmlPage(window.binderWindows()))
            preloadBrowser();
    });
    window.show();

    const int code = app->exec();
    ShutdownHooks shutdown;
    shutdown.savePlacement = [&window, &settings] {
        savePlacement(window, settings);
    };
    shutdown.unloadRecent = [&window] {
        window.recent().unload();
    };
    runShutdown(session, shutdown);
    return code;
}

} // namespace quillery
