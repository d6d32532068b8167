// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/RecoveryStart.h"

#include "documents/Binder.h"
#include "documents/ErrorReport.h"
#include "documents/Interaction.h"
#include "documents/RecoveryService.h"
#include "documents/Workspace.h"
#include "platform/FileError.h"
#include "shell/MainWindow.h"
#include "shell/RecoveryWindow.h"
#include "transfer/RecoveryOpener.h"
#include "window/BinderWindow.h"

#include <QApplication>
#include <QCoreApplication>

namespace quillery {

void offerRecovery(MainWindow &window, RecoveryService &service)
{
    QStringList problems;
    QVector<SnapshotEntry> entries = service.store().list(problems);
    if (entries.isEmpty()) {
        for (const QString &problem : std::as_const(problems))
            qWarning("%s", qPrintable(problem));
        return;
    }
    window.workspace().ui.closeSplash();
    RecoveryWindow dialog(
        window.workspace().dialogs, std::move(entries), problems,
        [&](const SnapshotEntry &entry) { return recoverSnapshot(window, service, entry); },
        &window);
    dialog.exec();
}

bool recoverSnapshot(MainWindow &window, RecoveryService &service, const SnapshotEntry &entry)
{
    Workspace &workspace = window.workspace();
    SnapshotFolder folder;
    try {
        folder = RecoveryStore::claim(entry.folder);
    } catch (const FileError &error) {
        reportFileError(workspace.dialogs,
                        QCoreApplication::translate("RecoveryStart", "Recovery Error"),
                        QCoreApplication::translate("RecoveryStart",
                                                    "An error occurred when trying to recover '"),
                        entry.folder, error);
        return false;
    }
    RecoveredBinder recovered = recoverBinder(workspace, entry, RecoverPurpose::Window);
    if (!recovered.binder)
        return false;
    service.adopt(*recovered.binder, std::move(folder), recovered.workingCopyFromBinder);
    window.showRecovered(std::move(recovered.binder));
    return true;
}

void endWithoutAsking(MainWindow &window, RecoveryService &service)
{
    service.writeAllAndKeep();
    for (BinderWindow *binderWindow : window.binderWindows())
        binderWindow->releaseBinderFile();
    // Leaves every event loop, also those of dialogs that are up.
    QApplication::exit(0);
}

} // namespace quillery
