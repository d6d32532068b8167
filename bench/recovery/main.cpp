// SPDX-License-Identifier: GPL-3.0-or-later
// Recovery snapshots of large binders against saving them.
//
// Two binders: 1 GiB in 1,024 pages with one page changed, and 10,000 pages of 1 KiB with
// every page renamed. For each, a binder window's snapshot keeper writes the snapshot
// (the first one, which puts the binder's working copy into the snapshot, and one after a
// further change), timed from the change to the written snapshot, while a 1 ms timer on
// the interface thread measures the longest the event loop was held up. Beside it, the
// program saves the same binder (Save: the changes go into the file). Last, the page
// editor open on a 5 MB rich text page with unsaved text: the snapshot that takes the
// text, with the longest stall meanwhile, beside saving the page and the binder.
//
// Usage: bench_recovery [--dir FOLDER]

#include "../binder_io/LargeBinder.h"
#include "documents/Binder.h"
#include "documents/BinderSaver.h"
#include "documents/NewBinder.h"
#include "documents/PageKind.h"
#include "documents/RecoveryKeeper.h"
#include "documents/RecoveryService.h"
#include "documents/Workspace.h"
#include "editor/EditorBinder.h"
#include "editor/EditorWindow.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform_ui/RichTextBox.h"
#include "rtf/RtfWriter.h"
#include "transfer/PageImport.h"

#include "BenchFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include <cstdio>
#include <ctime>

using namespace quillery;

namespace {

constexpr qint64 MiB = 1 << 20;

struct Figures
{
    double snapshotMs = 0;
    double stallMs = 0;
    double stallCpuMs = 0; // of the longest stall, the time the interface thread ran
};

// The processor time the calling thread has used: unlike the wall clock it stands still
// while other programs on a busy machine have the processor.
double threadCpuMs()
{
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Runs the event loop from just after a change until the keeper reports the snapshot
// written, with a 1 ms timer noting the longest gap between its ticks.
Figures timeSnapshot(RecoveryKeeper &keeper)
{
    QEventLoop loop;
    QElapsedTimer clock;
    QElapsedTimer sinceTick;
    double cpuAtTick = threadCpuMs();
    Figures figures;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(1);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const double gap = sinceTick.nsecsElapsed() / 1e6;
        const double cpu = threadCpuMs();
        if (gap > figures.stallMs) {
            figures.stallMs = gap;
            figures.stallCpuMs = cpu - cpuAtTick;
        }
        cpuAtTick = cpu;
        sinceTick.restart();
    });
    const auto done =
        QObject::connect(&keeper, &RecoveryKeeper::snapshotWritten, &loop, &QEventLoop::quit);
    probe.start();
    sinceTick.start();
    clock.start();
    loop.exec();
    figures.snapshotMs = clock.nsecsElapsed() / 1e6;
    QObject::disconnect(done);
    if (!keeper.lastError().isEmpty())
        throw FileError(FileError::DeviceIo, keeper.lastError());
    return figures;
}

void printSnapshot(const char *label, const Figures &figures)
{
    std::printf("  %-14s %8.1f ms   longest stall %5.1f ms (%.1f ms of it running)\n", label,
                figures.snapshotMs, figures.stallMs, figures.stallCpuMs);
}

double timeSave(Workspace &workspace, Binder &binder)
{
    QElapsedTimer clock;
    clock.start();
    if (!saveBinder(workspace, binder))
        throw FileError(FileError::DeviceIo, QStringLiteral("the save failed"));
    return clock.nsecsElapsed() / 1e6;
}

void runCase(Workspace &workspace, const QString &folder, const char *label, int pages,
             qint64 bytes, const std::function<void(Binder &, int round)> &change)
{
    const QString path = folder + QStringLiteral("/binder.qly");
    writeLargeBinder(workspace, pages, bytes, folder, path);
    auto binder = openMade(workspace, path);
    RecoveryService service(RecoveryStore(folder + QStringLiteral("/state")), 1);
    service.watch(*binder);
    RecoveryKeeper &keeper = *RecoveryKeeper::of(*binder);
    change(*binder, 1);
    const Figures first = timeSnapshot(keeper);
    change(*binder, 2);
    const Figures next = timeSnapshot(keeper);
    const double save = timeSave(workspace, *binder);
    std::printf("%s\n", label);
    printSnapshot("first snapshot", first);
    printSnapshot("next snapshot", next);
    std::printf("  save           %8.1f ms   (the same changes written into the binder)\n", save);
    binder.reset();
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
}

// A 5 MB rich text page.
QByteArray richPage()
{
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    const QString words = QStringLiteral("The quick brown fox jumps over the lazy dog. ");
    while (document.characterCount() < 5 * MiB) {
        cursor.insertText(words.repeated(10));
        cursor.insertText(QStringLiteral("bold words"), bold);
        cursor.insertText(words.repeated(10), QTextCharFormat());
        cursor.insertBlock();
    }
    return writeRtf(document);
}

// The page editor open on the page with unsaved text: the snapshot that takes the text,
// beside saving the page into the binder and the binder to its file. The page's RTF in one
// piece, and a copy of its document for another thread, are what the interface would wait
// for if either were made at once.
void editorCase(Workspace &workspace, const QString &folder)
{
    const QString page = folder + QStringLiteral("/page.rtf");
    const QString path = folder + QStringLiteral("/editor.qly");
    fileio::writeWhole(page, richPage());
    {
        Binder made;
        makeNewBinder(workspace, made, false);
        if (!importFile(workspace, made, page, PageKind::RTF) ||
            !saveBinderFile(workspace, made, path))
            throw FileError(FileError::DeviceIo, QStringLiteral("cannot make ") + path);
    }
    auto binder = openMade(workspace, path);
    RecoveryService service(RecoveryStore(folder + QStringLiteral("/state")), 1);
    service.watch(*binder);
    workspace.editMode = EditMode::Rich;
    EditorWindow editor(workspace, *binder, 1, nullptr);
    editor.resize(900, 700);
    editor.show();
    QTextDocument &document = *editor.textBox()->document();
    // The editor lays a large page out between the event loop's turns once it is shown; the
    // user types into it a while later.
    QEventLoop settle;
    QTimer::singleShot(3000, &settle, &QEventLoop::quit);
    settle.exec();

    QElapsedTimer clock;
    clock.start();
    const QByteArray rtf = writeRtf(document);
    const double rtfMs = clock.nsecsElapsed() / 1e6;
    clock.restart();
    const std::unique_ptr<QTextDocument> copy(document.clone());
    const double cloneMs = clock.nsecsElapsed() / 1e6;

    editor.textBox()->insertPlainText(QStringLiteral("typed "));
    const Figures snapshot = timeSnapshot(*RecoveryKeeper::of(*binder));
    clock.restart();
    if (!editor.savePage() || !saveBinder(workspace, *binder))
        throw FileError(FileError::DeviceIo, QStringLiteral("the save failed"));
    const double saveMs = clock.nsecsElapsed() / 1e6;
    editor.hide();

    std::printf("page editor open on a 5 MB rich text page (%lld bytes of RTF), text typed\n",
                qint64(rtf.size()));
    printSnapshot("snapshot", snapshot);
    std::printf("  save           %8.1f ms   (Save Page, then Save)\n", saveMs);
    std::printf("  for comparison: its RTF in one piece %.1f ms, a copy of its document %.1f ms\n",
                rtfMs, cloneMs);
}

} // namespace

int main(int argc, char *argv[])
{
    return runInBenchFolder(
        argc, argv, "bench_recovery", [](Workspace &workspace, const QString &folder) {
            std::printf("targets: snapshot under 50 ms (1 GiB, one page changed) and under 500 ms "
                        "(10,000 pages renamed); no stall over 16 ms\n");
            runCase(workspace, folder, "1 GiB binder, 1,024 pages, one page changed", 1024,
                    1024 * MiB, [&](Binder &binder, int round) {
                        storeEditedPage(workspace, binder, round, QByteArray(100000, 'x'),
                                        NoColour);
                    });
            runCase(workspace, folder, "10,000 pages of 1 KiB, every page renamed", 10000,
                    10000 * 1024, [](Binder &binder, int round) {
                        for (int position = 1; position <= binder.pageCount(); ++position) {
                            PageRow row = binder.page(position);
                            row.name = QStringLiteral("Renamed %1 %2").arg(round).arg(position - 1);
                            binder.updatePage(position, row);
                        }
                    });
            editorCase(workspace, folder);
        });
}
