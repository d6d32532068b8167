// SPDX-License-Identifier: GPL-3.0-or-later
// Undo of binder edits against what they would cost without the history.
//
// A binder of one 500 MB page: Delete Page and its undo, timed and with the growth of
// resident memory, beside copying the page's bytes (what an undo holding a copy would pay).
// The same after a save, which first gives the deleted page a file of its own (the page
// lay in the working copy, which the save lets go of).
// A binder of 10,000 pages: 1,000 renames as the page list makes them (one undoable step
// each), beside the same renames written straight into the binder.
//
// Usage: bench_undo [--dir FOLDER]

#include "../binder_io/LargeBinder.h"
#include "../binder_io/LoadAverage.h"
#include "documents/Binder.h"
#include "documents/BinderSaver.h"
#include "documents/Workspace.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "window/PageOperations.h"
#include "window/PageRename.h"

#include "BenchFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace quillery;

namespace {

constexpr qint64 MiB = 1 << 20;

double elapsedMs(const QElapsedTimer &clock)
{
    return clock.nsecsElapsed() / 1e6;
}

// Resident memory of this process in MiB.
double residentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return -1;
}

// The page's bytes copied into a new file, in the kernel, as a copying undo would keep them.
double timeCopy(const Binder &binder, const QString &target)
{
    const PageKey &key = binder.page(1).key;
    QElapsedTimer clock;
    clock.start();
    UniqueFd source = fileio::openForReading(key.dataPath());
    UniqueFd copy = fileio::createNew(target);
    fileio::copyRange(source.get(), key.offset, copy.get(), key.length, key.dataPath(), target);
    const double ms = elapsedMs(clock);
    QFile::remove(target);
    return ms;
}

void largePage(Workspace &workspace, const QString &folder)
{
    const QString path = folder + QStringLiteral("/large.qly");
    writeLargeBinder(workspace, 1, 500 * MiB, folder, path);
    auto binder = openMade(workspace, path);
    const double rssBefore = residentMiB();
    QElapsedTimer clock;
    clock.start();
    deletePage(workspace, *binder, 1);
    const double deleteMs = elapsedMs(clock);
    clock.restart();
    binder->undo();
    const double undoMs = elapsedMs(clock);
    const double rssGrowth = residentMiB() - rssBefore;
    const double copyMs = timeCopy(*binder, folder + QStringLiteral("/copy"));

    deletePage(workspace, *binder, 1);
    clock.restart();
    if (!saveBinder(workspace, *binder))
        throw FileError(FileError::DeviceIo, QStringLiteral("the save failed"));
    const double saveMs = elapsedMs(clock);
    clock.restart();
    binder->undo();
    const double undoAfterSaveMs = elapsedMs(clock);
    if (binder->page(1).size != 500 * MiB)
        throw FileError(FileError::DeviceIo, QStringLiteral("the page did not come back"));

    std::printf("one page of 500 MB                        figure     target  reference\n");
    std::printf("  delete + undo                      %10.2f ms   < 50 ms  %8.1f ms copying "
                "the page\n",
                deleteMs + undoMs, copyMs);
    std::printf("    of which delete %.2f ms, undo %.2f ms\n", deleteMs, undoMs);
    std::printf("  resident memory growth             %10.1f MB   < 10 MB\n", rssGrowth);
    std::printf("  save, the deleted page held        %10.1f ms            %8.1f ms copying "
                "the page\n",
                saveMs, copyMs);
    std::printf("  undo after that save               %10.2f ms   < 50 ms\n", undoAfterSaveMs);
    binder.reset();
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
}

struct Spread
{
    double median;
    double slowest;
};

Spread spreadOf(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

void manyRenames(Workspace &workspace, const QString &folder)
{
    constexpr int Pages = 10000;
    constexpr int Renames = 1000;
    const QString path = folder + QStringLiteral("/many.qly");
    writeLargeBinder(workspace, Pages, Pages * 1024, folder, path);
    auto binder = openMade(workspace, path);
    std::vector<double> undoable;
    std::vector<double> direct;
    QElapsedTimer clock;
    for (int i = 0; i < Renames; ++i) {
        const int position = 1 + (i * 7919) % Pages;
        clock.restart();
        beginRename(*binder, position);
        finishRename(workspace, *binder, position, QStringLiteral("Renamed %1").arg(i));
        undoable.push_back(elapsedMs(clock));
    }
    for (int i = 0; i < Renames; ++i) {
        const int position = 1 + (i * 7919) % Pages;
        clock.restart();
        PageRow row = binder->page(position);
        row.name = QStringLiteral("Again %1").arg(i);
        binder->updatePage(position, row);
        direct.push_back(elapsedMs(clock));
    }
    const Spread steps = spreadOf(undoable);
    const Spread plain = spreadOf(direct);
    std::printf("1,000 renames in 10,000 pages             figure     target  reference\n");
    std::printf("  undoable rename, slowest           %10.3f ms   < 16 ms  %8.3f ms written "
                "straight in\n",
                steps.slowest, plain.slowest);
    std::printf("  undoable rename, median            %10.3f ms            %8.3f ms written "
                "straight in\n",
                steps.median, plain.median);
    binder->discardChanges();
    binder.reset();
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
}

} // namespace

int main(int argc, char *argv[])
{
    return runInBenchFolder(argc, argv, "bench_undo",
                            [](Workspace &workspace, const QString &folder) {
                                workspace.confirmDeletes = false;
                                bench::printLoad("before");
                                largePage(workspace, folder);
                                manyRenames(workspace, folder);
                                bench::printLoad("after");
                            });
}
