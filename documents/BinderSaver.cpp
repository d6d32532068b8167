// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/BinderSaver.h"

#include "documents/ArchiveWriting.h"
#include "documents/Binder.h"
#include "documents/BinderLinks.h"
#include "documents/CompanionFiles.h"
#include "documents/EncryptCommands.h"
#include "documents/EncryptedBinder.h"
#include "documents/ErrorReport.h"
#include "documents/HeldPages.h"
#include "documents/Interaction.h"
#include "documents/NewBinder.h"
#include "documents/RecoveryKeeper.h"
#include "documents/SaveArchive.h"
#include "documents/SavedFile.h"
#include "documents/Workspace.h"
#include "platform/Dialogs.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>

namespace quillery {

namespace {

// Whether a save may append to the binder file instead of rewriting it: the file must be
// the one this window holds and reads its pages from, and no one else may read it
// through a name of their own, since the bytes the save replaces are erased in place.
bool canSaveInPlace(const Binder &binder, const QString &fileName)
{
    return binder.fileLock().covers(fileName) && fileio::sameFile(binder.workingCopy(), fileName) &&
           onlyThisWindowLinksTo(binder, fileName);
}

// A file that another window or instance holds stays theirs.
void refuseFileHeldElsewhere(const Binder &binder, const QString &fileName)
{
    if (!binder.fileLock().covers(fileName) && FileLock::isHeldElsewhere(fileName))
        throw FileError(FileError::PermissionDenied,
                        QCoreApplication::translate("BinderSaver", "Permission denied"));
}

// The recovery snapshot may read pages from the bytes an in-place save erases, so it lets
// go of them first, on its own thread, while the save waits.
std::function<void()> releaseSnapshot(Binder &binder)
{
    RecoveryKeeper *keeper = RecoveryKeeper::of(binder);
    if (!keeper)
        return {};
    return [keeper] {
        const bool sameThread = QThread::currentThread() == keeper->thread();
        QMetaObject::invokeMethod(
            keeper, [keeper] { keeper->letGoOfBinderBytes(); },
            sameThread ? Qt::DirectConnection : Qt::BlockingQueuedConnection);
    };
}

ArchiveTarget saveTarget(const Binder &binder, const QString &fileName, bool mayAppend)
{
    ArchiveTarget target;
    target.fileName = fileName;
    if (isEncrypted(binder)) {
        target.way = SaveWay::Encrypted;
        target.key = binder.encryption()->key;
    } else if (mayAppend && canSaveInPlace(binder, fileName)) {
        target.way = SaveWay::InPlace;
    }
    return target;
}

void writeBinderFile(Workspace &workspace, Binder &binder, const QString &fileName, bool mayAppend)
{
    BusyScope busy(workspace.ui);
    binder.setRecord(RecordKey::LastSavedBy, workspace.authorName);
    LumpArchive archive = archiveToSave(binder);
    refuseFileHeldElsewhere(binder, fileName);
    ArchiveTarget target = saveTarget(binder, fileName, mayAppend);
    // An encrypted binder's saves leave its working copy alone; the others erase its bytes
    // they no longer use or let go of it.
    if (target.way != SaveWay::Encrypted)
        keepHeldPagesReadable(workspace, binder);
    if (target.way == SaveWay::InPlace)
        target.beforeErase = releaseSnapshot(binder);
    // A save asked for from the page editor shows no progress window over it.
    const QString progress = workspace.pageEditorOpen
                                 ? QString()
                                 : QCoreApplication::translate("BinderSaver", "Saving ") + fileName;
    WrittenArchive written;
    workspace.ui.runInBackground(progress, [&] { written = writeArchive(archive, target); });
    takeOverSavedFile(workspace, binder, fileName, std::move(written), archive.writtenLumps());
}

// Whether the binder file was replaced or rewritten by another program since this window
// opened or last saved it.
bool changedOnDisk(const Binder &binder, const QString &fileName)
{
    return binder.fileLock().isHeld() && fileName == binder.fileName() &&
           !binder.fileLock().unchangedOnDisk();
}

} // namespace

bool saveBinderFile(Workspace &workspace, Binder &binder, const QString &fileName)
{
    const bool changed = changedOnDisk(binder, fileName);
    if (changed) {
        const MsgResult answer = workspace.dialogs.message(
            MsgIcon::Exclamation, MsgButtons::YesNoCancel,
            QCoreApplication::translate("BinderSaver", "File Changed on Disk"),
            u'\'' + fileName +
                QCoreApplication::translate(
                    "BinderSaver",
                    "' has been changed by another program since you opened or last "
                    "saved it.  Click Yes to save your changes under a new name "
                    "(Save As), No to overwrite the file with your version, or Cancel "
                    "to leave it as it is."));
        if (answer == MsgResult::Yes)
            return saveBinderAs(workspace, binder);
        if (answer != MsgResult::No)
            return false;
    }
    try {
        writeBinderFile(workspace, binder, fileName, !changed);
        return true;
    } catch (const FileError &error) {
        dropPageRecords(binder);
        if (error.isPermissionDenied()) {
            workspace.dialogs.message(
                MsgIcon::Exclamation, MsgButtons::Ok,
                QCoreApplication::translate("BinderSaver", "File is Read-Only"),
                u'\'' + fileName +
                    QCoreApplication::translate(
                        "BinderSaver", "' is read-only.  To save a copy, click OK, then give the "
                                       "file a new name in the Save dialog box."));
            return saveBinderAs(workspace, binder);
        }
        reportFileError(workspace.dialogs, QCoreApplication::translate("BinderSaver", "Save Error"),
                        QCoreApplication::translate(
                            "BinderSaver", "An error occurred when attempting to save the file '"),
                        fileName, error);
        return false;
    }
}

bool saveBinder(Workspace &workspace, Binder &binder)
{
    workspace.ui.closeSplash();
    if (binder.fileName().isEmpty() || !QFileInfo(binder.fileName()).isFile())
        return saveBinderAs(workspace, binder);
    if (!binder.isChanged())
        return true;
    return saveBinderFile(workspace, binder, binder.fileName());
}

bool saveBinderAs(Workspace &workspace, Binder &binder)
{
    FileDialogRequest request;
    request.title = QCoreApplication::translate("BinderSaver", "Save Quillery ('") +
                    binder.title() + QStringLiteral("')");
    request.filter =
        QCoreApplication::translate("BinderSaver", "Quillery (*.qly)|*.qly|All files (*.*)|*.*");
    request.requireFilterExtension = true;
    request.fileName = binder.fileName();
    if (QFileInfo(workspace.defaultDocFolder).isDir())
        request.initialFolder = workspace.defaultDocFolder;
    QString chosen = workspace.dialogs.saveFile(request);
    if (chosen.isEmpty())
        return false;
    if (!QFileInfo(chosen).fileName().contains(u'.'))
        chosen += QStringLiteral(".qly");

    // The old companions go only once the binder is safely saved elsewhere, so that a
    // cancelled or failed Save As leaves the open binder as it was.
    const QString previous = binder.fileLock().isHeld() ? binder.fileName() : QString();
    const bool saved = saveAsChoosingEncryption(
        workspace, binder, [&] { return saveBinderFile(workspace, binder, chosen); });
    if (saved && !previous.isEmpty() && previous != binder.fileName())
        removeCompanions(previous);
    return saved;
}

} // namespace quillery
