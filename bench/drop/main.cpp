// SPDX-License-Identifier: GPL-3.0-or-later
// Dropping 1,000 small files on a binder window's page list against `quillery-cli add` with
// the same files, both ending with the binder saved.
//
// The drop goes the whole way a user's does: a drop event on the page list of a binder
// window in the main window, the files copied in as one step of the history, the list shown
// again, then Save. The tool's figure is the whole command: the process started, the binder
// opened, the files added and the binder saved, until the process has been reaped.
//
// Usage: bench_drop [--dir FOLDER]

#include "../binder_io/LoadAverage.h"
#include "documents/Binder.h"
#include "documents/BinderSaver.h"
#include "documents/NewBinder.h"
#include "documents/Workspace.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/Settings.h"
#include "platform/TempFolder.h"
#include "shell/MainWindow.h"
#include "window/BinderWindow.h"

#include "BenchFolder.h"
#include "CommandMeasure.h"
#include "ScriptedDialogs.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QMimeData>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace quillery;

namespace {

constexpr int Files = 1000;
constexpr int Runs = 3;
const char *const Kinds[] = {"txt", "rtf", "png", "htm", "bin"};

QStringList makeFiles(const QString &folder)
{
    QDir().mkpath(folder);
    QStringList files;
    for (int i = 0; i < Files; ++i) {
        const QString path =
            folder + QStringLiteral("/file %1.%2").arg(i).arg(QLatin1String(Kinds[i % 5]));
        fileio::writeWhole(path, QByteArray(512 + (i * 37) % 3000, char('a' + i % 26)));
        files << path;
    }
    return files;
}

void makeEmptyBinder(Workspace &workspace, const QString &path)
{
    Binder binder;
    makeNewBinder(workspace, binder, false);
    if (!saveBinderFile(workspace, binder, path))
        throw FileError(FileError::DeviceIo, QStringLiteral("cannot make ") + path);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct DropTimes
{
    double inAndShown; // from the drop until the pages are in and the list painted
    double withSave;   // the same and the save
};

DropTimes dropOnce(const QString &binderPath, const QStringList &files, const QString &folder)
{
    ScriptedDialogs dialogs;
    TempFolder temp(folder + QStringLiteral("/window-tmp"));
    Settings settings(folder + QStringLiteral("/settings.ini"));
    MainWindow main(temp, dialogs, settings);
    main.resize(1200, 800);
    main.show();
    main.openFile(binderPath);
    BinderWindow *window = main.activeBinderWindow();
    if (!window)
        throw FileError(FileError::DeviceIo, QStringLiteral("the binder did not open"));
    QApplication::processEvents();
    QAbstractItemView &view = *window->pageList()->currentView();
    QMimeData data;
    QList<QUrl> urls;
    for (const QString &file : files)
        urls << QUrl::fromLocalFile(file);
    data.setUrls(urls);
    const QPoint at = view.viewport()->rect().center();

    QElapsedTimer clock;
    clock.start();
    // A drag from a file manager enters the list before it drops.
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &drop);
    const QDeadlineTimer deadline(std::chrono::minutes(5));
    while (window->binder().pageCount() < Files) {
        if (deadline.hasExpired() || !dialogs.calls().isEmpty())
            throw FileError(FileError::DeviceIo,
                            QStringLiteral("the drop did not arrive: ") + dialogs.lastText());
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    view.viewport()->repaint();
    const double inAndShown = clock.nsecsElapsed() / 1e6;
    if (!saveBinder(main.workspace(), window->binder()))
        throw FileError(FileError::DeviceIo, QStringLiteral("the save failed"));
    const double withSave = clock.nsecsElapsed() / 1e6;
    window->binder().discardChanges();
    temp.deleteRegistered();
    return {inAndShown, withSave};
}

} // namespace

int main(int argc, char *argv[])
{
    return runInBenchFolder(
        argc, argv, "bench_drop", [](Workspace &workspace, const QString &folder) {
            const QString cli =
                QCoreApplication::applicationDirPath() + QStringLiteral("/../quillery-cli");
            bench::printLoad("before");
            const QStringList files = makeFiles(folder + QStringLiteral("/files"));
            std::vector<double> cliMs, dropMs, dropSaveMs;
            for (int run = 0; run < Runs; ++run) {
                const QString forCli = folder + QStringLiteral("/cli%1.qly").arg(run);
                const QString forDrop = folder + QStringLiteral("/drop%1.qly").arg(run);
                makeEmptyBinder(workspace, forCli);
                makeEmptyBinder(workspace, forDrop);
                const Measured added =
                    measure(cli, QStringList{QStringLiteral("add"), forCli} + files);
                if (!added.ok)
                    throw FileError(FileError::DeviceIo, QStringLiteral("quillery-cli add failed"));
                cliMs.push_back(added.seconds * 1000);
                const DropTimes dropped = dropOnce(forDrop, files, folder);
                dropMs.push_back(dropped.inAndShown);
                dropSaveMs.push_back(dropped.withSave);
            }
            std::printf(
                "1,000 small files, median of %d        figure       target      reference\n",
                Runs);
            std::printf("  drop, pages in and shown, saved  %9.1f ms  < %6.1f ms  %8.1f ms "
                        "quillery-cli add\n",
                        median(dropSaveMs), 2 * median(cliMs), median(cliMs));
            std::printf("    of which in and shown          %9.1f ms\n", median(dropMs));
            bench::printLoad("after");
        });
}
