// SPDX-License-Identifier: GPL-3.0-or-later
// A 10,000-page binder in a real binder window: opening it until the first page and the
// list are painted, the first HTML page since the start, switching pages by the arrow keys
// in each of the four list views and by clicking them, switching between two HTML pages,
// switching among the views and scrolling through each. Usage: bench_window [pages]
// [switches]

#include "SampleBinder.h"
#include "ScriptedDialogs.h"
#include "Timing.h"

#include "documents/Binder.h"
#include "documents/Interaction.h"
#include "documents/PageKind.h"
#include "documents/Workspace.h"
#include "platform/Settings.h"
#include "platform/TempFolder.h"
#include "platform_ui/RichTextBox.h"
#include "shell/FirstPaint.h"
#include "shell/MainWindow.h"
#include "shell/ProgramApplication.h"
#include "window/BinderWindow.h"
#include "window/BrowserModule.h"
#include "window/PageListView.h"
#include "window/ViewerPane.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <random>

using namespace quillery;

namespace {

struct Row
{
    QString measure;
    Samples samples;
    double targetMs = 0;       // 0: for information only
    bool medianTarget = false; // the target is for the median, not the 95th percentile
};

QList<Row> rows;

void report(const QString &measure, const Samples &samples, double targetMs,
            bool medianTarget = false)
{
    rows << Row{measure, samples, targetMs, medianTarget};
}

void report(const QString &measure, double ms, double targetMs)
{
    Samples one;
    one.add(ms);
    report(measure, one, targetMs);
}

void printTable()
{
    std::printf("\n%-58s %6s %10s %10s %10s %10s  %s\n", "measure", "n", "median ms", "p95 ms",
                "max ms", "target ms", "");
    for (const Row &row : std::as_const(rows)) {
        const Samples &s = row.samples;
        const QByteArray target =
            row.targetMs > 0 ? QByteArray::number(row.targetMs, 'f', 0) : QByteArray("-");
        const double judged = row.medianTarget ? s.median() : s.p95();
        const char *verdict = row.targetMs <= 0       ? ""
                              : judged < row.targetMs ? "ok"
                              : row.medianTarget      ? "SLOW (median)"
                                                      : "SLOW";
        std::printf("%-58s %6d %10.1f %10.1f %10.1f %10s  %s\n", qPrintable(row.measure), s.count(),
                    s.median(), s.p95(), s.max(), target.constData(), verdict);
    }
    std::printf("Verdicts compare the 95th percentile (the single figure where n is 1) with "
                "the target, or the median where they say so. 16 ms is one frame at 60 Hz.\n");
}

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "bench_window: %s\n", what);
    std::exit(1);
}

// A left click on the row's item, as the user gives it.
void clickRow(QAbstractItemView *view, int row)
{
    QWidget *viewport = view->viewport();
    const QPointF at = view->visualRect(view->model()->index(row, 0)).center();
    const QPointF global = viewport->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(viewport, &release);
}

// Batched layout goes on in the background after the first batch is painted; this runs
// events until the last item has its place.
double waitForFullLayout(QAbstractItemView *view)
{
    const QAbstractItemModel *model = view->model();
    const QModelIndex last = model->index(model->rowCount() - 1, 0);
    Stopwatch clock;
    while (!view->visualRect(last).isValid() && clock.ms() < 60000)
        QApplication::processEvents();
    return clock.ms();
}

QList<int> spreadRows(int pages, int count)
{
    // Evenly over the list, each a few rows off the grid so that all page kinds come up,
    // visited in a shuffled order so that most switches jump far.
    QList<int> targets;
    const int step = qMax(1, pages / count);
    for (int k = 0; k < count; ++k)
        targets << qMin(pages - 1, k * step + (k * 7) % step);
    std::shuffle(targets.begin(), targets.end(), std::mt19937(7));
    return targets;
}

struct Bench
{
    explicit Bench(MainWindow &main) : main(main) {}

    MainWindow &main;
    PaintWatch watch;
    BinderWindow *window = nullptr;

    bool browserLoaded = false; // since the last switch began
    QEventLoop *browserWait = nullptr;

    PageListView *list() const { return window->pageList(); }
    QWidget *listViewport() const { return list()->currentView()->viewport(); }

    void open(const QString &path)
    {
        watch.forget();
        Stopwatch clock;
        main.openFile(path);
        window = main.activeBinderWindow();
        if (!window)
            fail("the binder did not open");
        watch.settle({listViewport(), window->viewer()->textPane()->viewport()});
        report("open to first page and list painted", clock.ms(), 1000);
        if (window->viewer()->textPane()->document()->isEmpty())
            fail("the first page is not shown");
        report("  list fully laid out (in the background)",
               waitForFullLayout(list()->currentView()), 0);
        QObject::connect(window->viewer(), &ViewerPane::browserLoadFinished, window,
                         [this](bool ok) {
                             browserLoaded = browserLoaded || ok;
                             if (ok && browserWait)
                                 browserWait->quit();
                         });
        std::printf("browsers made when the binder opened: %d\n",
                    int(main.findChildren<QWidget *>(QStringLiteral("txtHTML")).size()));
    }

    bool currentIsBrowserPage() const
    {
        const PageKind kind = window->binder().page(0).key.kind;
        return kind != PageKind::RTF && kind != PageKind::TXT;
    }

    // Called before the event that switches pages.
    void beginSwitch()
    {
        watch.forget();
        browserLoaded = false;
    }

    // Runs events until the browser has loaded what it was last told to and then painted;
    // the figure is the time to the paint. -1 when it did not load within 10 s.
    double waitForBrowserPaint(const Stopwatch &clock)
    {
        ViewerPane *viewer = window->viewer();
        if (!viewer->hasBrowser())
            return -1;
        if (!browserLoaded) {
            QEventLoop loop;
            browserWait = &loop;
            QTimer::singleShot(10000, &loop, &QEventLoop::quit);
            loop.exec();
            browserWait = nullptr;
        }
        if (!browserLoaded)
            return -1;
        // The engine draws the loaded page in its own time and hands the frame to the view,
        // which paints it then.
        if (!watch.waitForPaintWithin(viewer->browser()->widget(), 2000))
            std::printf("the browser did not paint within 2 s of loading\n");
        return clock.ms();
    }

    // Times from the event that changed the page to the new page painted; a browser page
    // counts to its first paint after it has loaded. -1 when a browser page did not load.
    double finishSwitch(const Stopwatch &clock)
    {
        if (currentIsBrowserPage()) {
            watch.settle({listViewport()});
            return waitForBrowserPaint(clock);
        }
        watch.settle({listViewport(), window->viewer()->textPane()->viewport()});
        if (window->viewer()->textPane()->document()->isEmpty())
            fail("a text page was not shown");
        return clock.ms();
    }

    void pressKey(Qt::Key key)
    {
        // Through the window system's key path to whatever has the focus, as a user's key.
        QTest::keyClick(main.windowHandle(), key);
    }

    // Makes the page at row current and shown, and the list hold the focus.
    void goTo(int row)
    {
        beginSwitch();
        window->binder().setCurrentPosition(row + 1);
        QAbstractItemView *view = list()->currentView();
        view->setFocus();
        finishSwitch(Stopwatch());
        if (QApplication::focusWidget() != view)
            fail("the page list did not take the focus");
    }

    int firstPageOfKind(PageKind kind, int from) const
    {
        for (int row = from; row < window->binder().pageCount(); ++row) {
            if (window->binder().pages().at(row).key.kind == kind)
                return row;
        }
        fail("the binder lacks a page of a kind the benchmark needs");
    }

    // The first HTML page since the start, by Down from the text page before it, a moment
    // after the window was painted, as a user would.
    void firstHtmlPage(int idleMs)
    {
        const int html = firstPageOfKind(PageKind::HTML, 1);
        window->setView(PageListView::View::Details);
        goTo(html - 1);
        QEventLoop idle;
        QTimer::singleShot(idleMs, &idle, &QEventLoop::quit);
        idle.exec();
        beginSwitch();
        Stopwatch clock;
        pressKey(Qt::Key_Down);
        if (window->binder().currentPosition() != html + 1)
            fail("Down did not move to the HTML page");
        report(QStringLiteral("first HTML page since the start, %1 s after the window")
                   .arg(idleMs / 1000.0),
               finishSwitch(clock), 300);
    }

    // Key press to the next page painted, in each view, by the arrow key that follows the
    // view's flow: text pages against one frame, browser pages apart.
    void keySwitches(int presses)
    {
        static const char *names[] = {"large icons", "small icons", "list", "details"};
        const int pages = window->binder().pageCount();
        Samples browser;
        for (int number : {0, 1, 2, 3}) {
            const auto view = PageListView::View(number);
            window->setView(view);
            const Qt::Key next =
                view == PageListView::View::LargeIcons || view == PageListView::View::SmallIcons
                    ? Qt::Key_Right
                    : Qt::Key_Down;
            goTo(qMin(pages - presses - 1, pages / 5 + number * pages / 5));
            Samples text;
            for (int k = 0; k < presses; ++k) {
                const int before = window->binder().currentPosition();
                beginSwitch();
                Stopwatch clock;
                pressKey(next);
                if (window->binder().currentPosition() != before + 1)
                    fail("the arrow key did not move to the next page");
                const bool toBrowser = currentIsBrowserPage();
                const double ms = finishSwitch(clock);
                if (ms >= 0)
                    (toBrowser ? browser : text).add(ms);
            }
            report(QStringLiteral("next page by key to painted, text pages, %1")
                       .arg(QLatin1String(names[number])),
                   text, 16);
        }
        report("  reference: a frame of the list and page, no switch", bareFrames(presses), 0);
        report("next page by key to painted, HTML and picture pages", browser, 0);
    }

    // The list and the text pane painted again with nothing changed: what a frame of this
    // window costs on this display, the floor under every switch.
    Samples bareFrames(int count)
    {
        if (currentIsBrowserPage())
            goTo(firstPageOfKind(PageKind::RTF, 0));
        QWidget *page = window->viewer()->textPane()->viewport();
        Samples frames;
        for (int k = 0; k < count; ++k) {
            watch.forget();
            Stopwatch clock;
            listViewport()->update();
            page->update();
            watch.settle({listViewport(), page});
            frames.add(clock.ms());
        }
        return frames;
    }

    // Down and Up between the two HTML pages of a pair, to the new page painted.
    void htmlSwitches(int presses)
    {
        window->setView(PageListView::View::Details);
        Samples samples;
        int missed = 0;
        int row = firstPageOfKind(PageKind::HTML, 1);
        for (int k = 0; k < presses; ++k) {
            if (k % 10 == 0) {
                row = firstPageOfKind(PageKind::HTML, row + 2);
                goTo(row);
            }
            const bool down = window->binder().currentPosition() == row + 1;
            beginSwitch();
            Stopwatch clock;
            pressKey(down ? Qt::Key_Down : Qt::Key_Up);
            if (window->binder().currentPosition() != (down ? row + 2 : row + 1))
                fail("the arrow key did not move to the other HTML page");
            const double ms = finishSwitch(clock);
            if (ms < 0)
                ++missed;
            else
                samples.add(ms);
        }
        report("HTML page to HTML page by key, to painted", samples, 50, true);
        if (missed)
            std::printf("%d HTML pages did not finish loading within 10 s\n", missed);
    }

    void switchPages(int switches)
    {
        Samples all, text, browser;
        const int pages = window->binder().pageCount();
        for (int row : spreadRows(pages, switches)) {
            QAbstractItemView *view = list()->currentView();
            view->scrollTo(view->model()->index(row, 0));
            watch.settle({listViewport()});
            beginSwitch();
            Stopwatch clock;
            clickRow(view, row);
            if (window->binder().currentPosition() != row + 1)
                fail("a click did not make its page current");
            const bool toBrowser = currentIsBrowserPage();
            const double ms = finishSwitch(clock);
            if (ms < 0) {
                std::printf("page %d: the browser did not finish loading\n", row + 1);
                continue;
            }
            (toBrowser ? browser : text).add(ms);
            all.add(ms);
        }
        report("page switch, all pages clicked", all, 100);
        report("page switch, rich and plain text pages", text, 100);
        report("page switch, HTML and picture pages", browser, 100);
    }

    void viewsAndScrolling()
    {
        static const char *names[] = {"large icons", "small icons", "list", "details"};
        for (int view : {1, 2, 3, 0}) {
            beginSwitch();
            Stopwatch clock;
            window->setView(PageListView::View(view));
            watch.settle({listViewport()});
            report(QStringLiteral("switch to %1 view").arg(QLatin1String(names[view])), clock.ms(),
                   100);
            QAbstractItemView *shown = list()->currentView();
            report("  laid out fully (in the background)", waitForFullLayout(shown), 0);
            report(QStringLiteral("  scroll step (a page) in %1").arg(QLatin1String(names[view])),
                   scrollThrough(shown), 16);
        }
    }

    Samples scrollThrough(QAbstractItemView *view)
    {
        QScrollBar *bar =
            view->verticalScrollBar()->maximum() >= view->horizontalScrollBar()->maximum()
                ? view->verticalScrollBar()
                : view->horizontalScrollBar();
        bar->setValue(bar->minimum());
        watch.settle({view->viewport()});
        Samples steps;
        while (bar->value() < bar->maximum()) {
            beginSwitch();
            Stopwatch clock;
            bar->setValue(bar->value() + bar->pageStep());
            watch.settle({view->viewport()});
            steps.add(clock.ms());
        }
        return steps;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QApplication> app = makeProgramApplication(argc, argv);
    QStandardPaths::setTestModeEnabled(true); // leaves the user's own settings alone
    const QStringList args = QApplication::arguments();
    const int pages = args.size() > 1 ? args[1].toInt() : 10000;
    const int switches = args.size() > 2 ? args[2].toInt() : 200;
    if (pages < 2 || switches < 1)
        fail("usage: bench_window [pages >= 2] [switches >= 1]");

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sample.qly"));
    SampleCounts counts;
    {
        TempFolder temp(dir.filePath(QStringLiteral("build-tmp")));
        ScriptedDialogs dialogs;
        Interaction ui;
        Workspace workspace(temp, dialogs, ui);
        Stopwatch clock;
        counts = writeSampleBinder(workspace, dir.filePath(QStringLiteral("src")), path, pages);
        temp.deleteRegistered();
        std::printf("made a binder of %d pages (%d rich text, %d plain text, %d HTML, %d "
                    "pictures; %.1f MB) in %.1f s\n",
                    pages, counts.rtf, counts.txt, counts.html, counts.pictures,
                    QFileInfo(path).size() / 1e6, clock.ms() / 1000);
    }

    TempFolder temp(dir.filePath(QStringLiteral("tmp")));
    ScriptedDialogs dialogs;
    Settings settings(dir.filePath(QStringLiteral("settings.ini")));
    MainWindow main(temp, dialogs, settings);
    // As the program does, the web engine starts once the first binder window is painted.
    afterFirstPaint(preloadBrowser);
    main.resize(1000, 700);
    main.show();
    QApplication::processEvents();
    std::printf("platform %s\n", qPrintable(QGuiApplication::platformName()));

    Bench bench(main);
    bench.open(path);
    bench.firstHtmlPage(1500);
    bench.keySwitches(switches);
    bench.htmlSwitches(qMax(10, switches / 4));
    bench.switchPages(switches);
    bench.viewsAndScrolling();
    if (!dialogs.calls().isEmpty())
        std::printf("note: the program showed %d dialogs, the first titled '%s'\n",
                    int(dialogs.calls().size()), qPrintable(dialogs.calls().first().title));
    printTable();
    bench.window->binder().discardChanges();
    main.close();
    temp.deleteRegistered();
    return 0;
}
