// SPDX-License-Identifier: GPL-3.0-or-later
// A 10,000-page binder in a real binder window: opening it until the first page and the
// list are painted, switching pages by clicking them, switching among the four list
// views and scrolling through each. Usage: bench_window [pages] [switches]

#include "SampleBinder.h"
#include "ScriptedDialogs.h"
#include "Timing.h"

#include "documents/Binder.h"
#include "documents/Interaction.h"
#include "documents/Workspace.h"
#include "platform/Settings.h"
#include "platform/TempFolder.h"
#include "platform_ui/RichTextBox.h"
#include "shell/frmMain.h"
#include "window/PageListView.h"
#include "window/ViewerPane.h"
#include "window/frmMDI.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <random>
#include <unistd.h>

using namespace quillery;

namespace {

struct Row
{
    QString measure;
    Samples samples;
    double targetMs = 0; // 0: for information only
};

QList<Row> rows;

void report(const QString &measure, const Samples &samples, double targetMs)
{
    rows << Row{measure, samples, targetMs};
}

void report(const QString &measure, double ms, double targetMs)
{
    Samples one;
    one.add(ms);
    report(measure, one, targetMs);
}

void printTable()
{
    std::printf("\n%-44s %6s %10s %10s %10s %10s  %s\n", "measure", "n", "median ms", "p95 ms",
                "max ms", "target ms", "");
    for (const Row &row : std::as_const(rows)) {
        const Samples &s = row.samples;
        const QByteArray target =
            row.targetMs > 0 ? QByteArray::number(row.targetMs, 'f', 0) : QByteArray("-");
        const char *verdict = row.targetMs <= 0 ? "" : s.p95() < row.targetMs ? "ok" : "SLOW";
        std::printf("%-44s %6d %10.1f %10.1f %10.1f %10s  %s\n", qPrintable(row.measure), s.count(),
                    s.median(), s.p95(), s.max(), target.constData(), verdict);
    }
    std::printf("Verdicts compare the 95th percentile (the single figure where n is 1) with "
                "the target.\n");
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

// Runs events until the browser has loaded what it was last told to; false on time-out.
bool waitForBrowser(ViewerPane *viewer)
{
    if (!viewer->txtHTML())
        return false;
    QEventLoop loop;
    bool loaded = false;
    QObject::connect(viewer, &ViewerPane::browserLoadFinished, &loop, [&](bool ok) {
        if (ok) {
            loaded = true;
            loop.quit();
        }
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    return loaded;
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
    explicit Bench(frmMain &main) : main(main) {}

    frmMain &main;
    PaintWatch watch;
    frmMDI *window = nullptr;

    PageListView *list() const { return window->lvwPages(); }
    QWidget *listViewport() const { return list()->currentView()->viewport(); }

    void open(const QString &path)
    {
        watch.forget();
        Stopwatch clock;
        main.OpenFile(path);
        window = main.activeBinderWindow();
        if (!window)
            fail("the binder did not open");
        watch.settle({listViewport(), window->viewer()->txtPad()->viewport()});
        report("open to first page and list painted", clock.ms(), 1000);
        if (window->viewer()->txtPad()->document()->isEmpty())
            fail("the first page is not shown");
        report("  list fully laid out (in the background)",
               waitForFullLayout(list()->currentView()), 0);
        std::printf("browsers made when the binder opened: %d\n",
                    int(main.findChildren<QWidget *>(QStringLiteral("txtHTML")).size()));
    }

    void switchPages(int switches)
    {
        Samples all, text, browser;
        double firstBrowser = -1;
        const int pages = window->binder().pageCount();
        for (int row : spreadRows(pages, switches)) {
            QAbstractItemView *view = list()->currentView();
            view->scrollTo(view->model()->index(row, 0));
            watch.settle({listViewport()});
            const bool hadBrowser = window->viewer()->hasBrowser();
            watch.forget();
            Stopwatch clock;
            clickRow(view, row);
            if (window->binder().CurIndex() != row + 1)
                fail("a click did not make its page current");
            if (window->viewer()->HTML) {
                watch.settle({listViewport()});
                if (!waitForBrowser(window->viewer()))
                    std::printf("page %d: the browser did not finish loading\n", row + 1);
                if (hadBrowser)
                    browser.add(clock.ms());
                else
                    firstBrowser = clock.ms();
            } else {
                watch.settle({listViewport(), window->viewer()->txtPad()->viewport()});
                text.add(clock.ms());
                if (window->viewer()->txtPad()->document()->isEmpty())
                    fail("a text page was not shown");
            }
            all.add(clock.ms());
        }
        report("page switch, all pages clicked", all, 100);
        report("page switch, rich and plain text pages", text, 100);
        report("page switch, HTML and picture pages (loaded)", browser, 100);
        if (firstBrowser >= 0)
            report("  first browser page (makes the browser)", firstBrowser, 0);
    }

    void viewsAndScrolling()
    {
        static const char *names[] = {"large icons", "small icons", "list", "details"};
        for (int view : {1, 2, 3, 0}) {
            watch.forget();
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
            watch.forget();
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
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
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
        temp.DeleteTempFiles();
        std::printf("made a binder of %d pages (%d rich text, %d plain text, %d HTML, %d "
                    "pictures; %.1f MB) in %.1f s\n",
                    pages, counts.rtf, counts.txt, counts.html, counts.pictures,
                    QFileInfo(path).size() / 1e6, clock.ms() / 1000);
    }

    TempFolder temp(dir.filePath(QStringLiteral("tmp")));
    ScriptedDialogs dialogs;
    Settings settings(dir.filePath(QStringLiteral("settings.ini")));
    frmMain main(temp, dialogs, settings);
    main.resize(1000, 700);
    main.show();
    QApplication::processEvents();
    std::printf("platform %s\n", qPrintable(QGuiApplication::platformName()));

    Bench bench(main);
    bench.open(path);
    bench.switchPages(switches);
    bench.viewsAndScrolling();
    if (!dialogs.calls().isEmpty())
        std::printf("note: the program showed %d dialogs, the first titled '%s'\n",
                    int(dialogs.calls().size()), qPrintable(dialogs.calls().first().title));
    printTable();
    bench.window->binder().setChanged(false);
    main.close();
    temp.DeleteTempFiles();
    return 0;
}
