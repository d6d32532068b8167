// SPDX-License-Identifier: GPL-3.0-or-later
#include "Harness.h"

#include "../window/Timing.h"
#include "ProcessTree.h"
#include "ScriptedDialogs.h"

#include "documents/Binder.h"
#include "documents/PageKind.h"
#include "platform/Settings.h"
#include "platform/TempFolder.h"
#include "platform_ui/RichTextBox.h"
#include "shell/MainWindow.h"
#include "shell/ProgramApplication.h"
#include "window/BinderWindow.h"
#include "window/BrowserModule.h"
#include "window/BrowserView.h"
#include "window/ViewerPane.h"

#include <QApplication>
#include <QEventLoop>
#include <QMap>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace quillery {

namespace {

constexpr int Switches = 10;

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "bench_webmemory: %s\n", what);
    std::exit(1);
}

void wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

qint64 treeTicks()
{
    qint64 ticks = 0;
    for (const ProcessEntry &process : processTree(::getpid()))
        ticks += cpuTicks(process.pid);
    return ticks;
}

// Runs events until this process and those under it have been nearly idle (at most 20 ms of
// processor time together) for a second, so that pages have been laid out, painted and their
// scripts' garbage collected; at most 20 s.
void waitUntilIdle()
{
    constexpr int stepMs = 250;
    QList<qint64> ticks{treeTicks()};
    for (int waited = 0; waited < 20000; waited += stepMs) {
        wait(stepMs);
        ticks << treeTicks();
        if (ticks.size() > 4 && ticks.last() - ticks.at(ticks.size() - 5) <= 2)
            return;
    }
}

void printStage(const char *stage)
{
    struct Sum
    {
        int count = 0;
        qint64 kib = 0;
    };
    QMap<QByteArray, Sum> kinds;
    const QList<ProcessEntry> tree = processTree(::getpid());
    QList<qint64> pids;
    for (const ProcessEntry &process : tree) {
        Sum &sum = kinds[processKind(process, tree)];
        ++sum.count;
        sum.kib += pssKib(process.pid);
        pids << process.pid;
    }
    std::printf("stage %s|%lld", stage, distinctKib(pids));
    for (auto it = kinds.cbegin(); it != kinds.cend(); ++it)
        std::printf("|%s %d %lld", it.key().constData(), it->count, it->kib);
    std::printf("\n");
    std::fflush(stdout);
}

// The position of the first page of the kind after the given position.
int firstPageOf(const Binder &binder, PageKind kind, int after = 0)
{
    for (int row = after; row < binder.pageCount(); ++row) {
        if (binder.pages().at(row).key.kind == kind)
            return row + 1;
    }
    fail("a binder lacks a page the benchmark needs");
}

// Shows the page at the position, an HTML page, in the window and waits until it has loaded
// and the browser has painted.
void showHtmlPage(BinderWindow *window, int position, PaintWatch &watch)
{
    ViewerPane *viewer = window->viewer();
    bool loaded = false;
    QEventLoop loop;
    const QMetaObject::Connection connection =
        QObject::connect(viewer, &ViewerPane::browserLoadFinished, &loop, [&](bool ok) {
            loaded = ok;
            loop.quit();
        });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    watch.forget();
    window->binder().setCurrentPosition(position);
    if (!viewer->hasBrowser())
        fail("the viewer has no browser: is the browser module built?");
    loop.exec();
    QObject::disconnect(connection);
    if (!loaded)
        fail("an HTML page did not load within 30 s");
    // The engine may hand the view its frame before it reports the load: then no paint follows.
    if (!watch.waitForPaintWithin(viewer->browser()->widget(), 5000))
        std::fprintf(stderr, "the browser did not paint again within 5 s of loading a page\n");
}

} // namespace

int runHarness(int argc, char *argv[], const QStringList &binders)
{
    const std::unique_ptr<QApplication> app = makeProgramApplication(argc, argv);
    QStandardPaths::setTestModeEnabled(true); // leaves the user's own settings alone
    QTemporaryDir dir;
    TempFolder temp(dir.filePath(QStringLiteral("tmp")));
    ScriptedDialogs dialogs;
    Settings settings(dir.filePath(QStringLiteral("settings.ini")));
    PaintWatch watch;
    QList<BinderWindow *> windows;
    {
        MainWindow main(temp, dialogs, settings);
        main.resize(1000, 700);
        main.show();
        for (const QString &path : binders) {
            main.openFile(path);
            BinderWindow *window = main.activeBinderWindow();
            if (!window || windows.contains(window))
                fail("a binder did not open");
            windows << window;
            if (windows.size() == 1) {
                // As the program starts, on a text page; it starts the web engine once the
                // window has been painted and it has nothing else to do.
                window->binder().setCurrentPosition(firstPageOf(window->binder(), PageKind::TXT));
                watch.settle({window->viewer()->textPane()->viewport()});
                waitUntilIdle();
                printStage("window painted, no web engine");
                preloadBrowser();
                waitUntilIdle();
                printStage("web engine started in the background");
                const int html = firstPageOf(window->binder(), PageKind::HTML);
                showHtmlPage(window, html, watch);
                waitUntilIdle();
                printStage("first HTML page painted");
                // Pages seen before must not pile up in memory as the user goes on.
                const int other = firstPageOf(window->binder(), PageKind::HTML, html);
                for (int i = 1; i <= 2 * Switches; ++i)
                    showHtmlPage(window, i % 2 ? other : html, watch);
                waitUntilIdle();
                printStage(qPrintable(
                    QStringLiteral("after %1 switches between two HTML pages").arg(2 * Switches)));
            } else {
                showHtmlPage(window, firstPageOf(window->binder(), PageKind::HTML), watch);
            }
        }
        waitUntilIdle();
        printStage(
            qPrintable(QStringLiteral("%1 windows, each on an HTML page").arg(windows.size())));
        for (BinderWindow *window : std::as_const(windows))
            window->binder().discardChanges();
        main.close();
    }
    temp.deleteRegistered();
    return 0;
}

} // namespace quillery
