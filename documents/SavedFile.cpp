// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/SavedFile.h"

#include "documents/Binder.h"
#include "documents/CompanionFiles.h"
#include "documents/EncryptedBinder.h"
#include "documents/Interaction.h"
#include "documents/Workspace.h"
#include "platform/Dialogs.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/TempFolder.h"

#include <QCoreApplication>

namespace quillery {

namespace {

// After a save the pages are read from the saved file itself, so that the next save can
// append to it and the bytes of the file before it can be freed.
void readPagesFromSaved(Workspace &workspace, Binder &binder, const QString &fileName,
                        const QVector<Lump> &written)
{
    QString working = binder.workingCopy();
    if (!fileio::sameFile(working, fileName)) {
        // Where no link can be made the pages stay where they are read from now: only a
        // second copy of the whole binder could move them.
        try {
            working = workspace.temp.createFile();
        } catch (const FileError &) {
            return;
        }
        workspace.temp.registerFile(working);
        if (!fileio::tryLink(fileName, working)) {
            workspace.temp.deleteFile(working);
            return;
        }
        workspace.temp.deleteFile(binder.workingCopy());
        binder.setWorkingCopy(working);
    }
    const QString location = u'|' + working;
    for (int i = 0; i < binder.pageCount(); ++i)
        binder.relocatePage(i + 1, location, written[i + 1].offset, written[i + 1].length);
}

} // namespace

void takeOverSavedFile(Workspace &workspace, Binder &binder, const QString &fileName,
                       WrittenArchive saved, const QVector<Lump> &written)
{
    if (saved.lock)
        binder.fileLock() = std::move(*saved.lock);
    binder.fileLock().noteSaved(fileName);
    binder.setReadOnly(false);
    // An encrypted binder's pages stay in its plain working copy.
    if (!isEncrypted(binder))
        readPagesFromSaved(workspace, binder, fileName, written);
    try {
        createCompanionFiles(workspace, binder, fileName, true);
    } catch (const FileError &) {
        // The binder itself is saved; without companions other instances just cannot
        // name who holds it.
    }
    binder.setFileName(fileName);
    binder.setCaptionNote(QString());
    binder.markSaved();
    workspace.ui.recordRecent(recentFilesTitle(binder), fileName);
    if (!saved.groupWarning.isEmpty())
        workspace.dialogs.message(MsgIcon::Exclamation, MsgButtons::Ok,
                                  QCoreApplication::translate("BinderSaver", "Group Not Kept"),
                                  saved.groupWarning);
}

} // namespace quillery
