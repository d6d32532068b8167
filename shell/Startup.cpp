// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Startup.h"

#include "documents/EncryptedBinder.h"
#include "documents/NewPage.h"
#include "documents/Workspace.h"
#include "platform/Dialogs.h"
#include "platform/FileDetails.h"
#include "platform/FileError.h"
#include "platform/Settings.h"
#include "shell/AuthorName.h"
#include "shell/Session.h"
#include "shell/TempFolderSetup.h"
#include "window/PageClipboard.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPrinterInfo>

namespace quillery {

namespace {

void call(const std::function<void()> &hook)
{
    if (hook)
        hook();
}

// Start-up goes on whatever one step meets.
template <typename Step> void ignoringErrors(Step step)
{
    try {
        step();
    } catch (const std::exception &) {
    }
}

void prepareTempFolder(Session &session, const StartupHooks &hooks)
{
    OpenedTempFolder opened = openTempFolder(session.tempPath);
    session.temp = std::move(opened.folder);
    if (!opened.warning.isEmpty()) {
        call(hooks.closeSplash);
        session.dialogs.message(MsgIcon::Exclamation, MsgButtons::Ok,
                                QCoreApplication::translate("Startup", "Temporary Folder"),
                                opened.warning);
    }
    ignoringErrors([&] {
        session.instances = InstanceLock::join(session.temp->path());
        if (session.instances.isFirst()) {
            cleanTempFolder(session.temp->path());
            removeMemoryClipboard();
        }
        session.instances.shareFolder();
    });
}

} // namespace

bool beginStartup(Session &session, const StartupHooks &hooks)
{
    ignoringErrors([&] { call(hooks.showSplash); });
    // Plain pages of encrypted binders that a killed instance could not remove.
    removeStaleEncryptionFolders();
    ignoringErrors([&] {
        session.authorName = ensureAuthorName(session.settings, session.dialogs, hooks.closeSplash);
    });
    try {
        prepareTempFolder(session, hooks);
        return true;
    } catch (const FileError &error) {
        call(hooks.closeSplash);
        session.dialogs.message(
            MsgIcon::Critical, MsgButtons::Ok,
            QCoreApplication::translate("Startup", "Temporary Folder"),
            QCoreApplication::translate("Startup",
                                        "Quillery cannot make a temporary folder to work in ('") +
                session.tempPath + QStringLiteral("') - ") + error.description() +
                QStringLiteral(", ") + QString::number(error.number()));
        return false;
    }
}

void finishStartup(Session &session, Workspace &workspace, const QStringList &arguments,
                   const StartupHooks &hooks)
{
    workspace.authorName = session.authorName;
    workspace.defaultDocFolder = session.settings.defaultDocFolder();
    workspace.confirmDeletes = session.settings.confirmDeletes();
    ignoringErrors([&] { writeBlankHtml(workspace); });
    ignoringErrors([&] { call(hooks.offerRecovery); });
    ignoringErrors([&] { openCommandLine(arguments, session.dialogs, hooks); });
    ignoringErrors([&] { call(hooks.restorePlacement); });
    ignoringErrors([&] { call(hooks.loadRecent); });
}

void loadPrintSystem()
{
    ignoringErrors([] { QPrinterInfo::defaultPrinterName(); });
}

void openCommandLine(const QStringList &arguments, Dialogs &dialogs, const StartupHooks &hooks)
{
    const QString line = arguments.join(u' ');
    if (line.trimmed().isEmpty()) {
        call(hooks.newBinder);
        return;
    }
    // Quotes are what a launcher may leave around the path; a name may hold them too.
    QString path = line;
    if (!isFile(path))
        path.remove(u'"');
    if (isFile(path)) {
        if (hooks.openFile)
            hooks.openFile(QFileInfo(path).absoluteFilePath());
        return;
    }
    call(hooks.closeSplash);
    dialogs.message(MsgIcon::Exclamation, MsgButtons::Ok,
                    QCoreApplication::translate("Startup", "Open Error"),
                    QCoreApplication::translate("Startup", "Could not find the file '") + line +
                        QStringLiteral("'"));
    call(hooks.newBinder);
}

} // namespace quillery
