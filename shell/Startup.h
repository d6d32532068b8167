// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include <functional>

namespace quillery {

class Dialogs;
class Workspace;
struct Session;

// The main window's part in start-up. Each hook may be left empty.
struct StartupHooks
{
    std::function<void()> showSplash;
    std::function<void()> closeSplash;
    std::function<void()> newBinder; // File > New
    std::function<void(const QString &path)> openFile;
    std::function<void()> restorePlacement; // before the window is shown
    std::function<void()> loadRecent;       // makes the hidden recent-files window
    std::function<void()> offerRecovery;    // the snapshots an earlier run left unsaved
};

// Start-up before the main window exists: splash window, author name, and the temporary
// folder, emptied of stale files by the first instance only. Returns false when there is
// no temporary folder to work in, which has been reported; the program cannot run then.
bool beginStartup(Session &session, const StartupHooks &hooks);

// The rest once the main window and its workspace exist: the workspace takes the author
// name and default document folder; then the blank viewer page, the offer to recover
// unsaved work, the binder named on the command line (or a new one), the window
// placement and the recent files. A step that fails is skipped.
void finishStartup(Session &session, Workspace &workspace, const QStringList &arguments,
                   const StartupHooks &hooks);

// Loads the print system, so that the first print does not wait for it. It may wait for a
// print server, so start-up runs it once the first window has been painted.
void loadPrintSystem();

// The command line's binder: the arguments form one path, double quotes removed (kept
// when the path with them names a file). An existing file is opened, given as an
// absolute path; for anything else the splash window is closed, "Open Error" shown and a
// new binder made, as for an empty command line.
void openCommandLine(const QStringList &arguments, Dialogs &dialogs, const StartupHooks &hooks);

} // namespace quillery
