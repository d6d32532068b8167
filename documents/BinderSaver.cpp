// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/BinderSaver.h"

#include "documents/Binder.h"
#include "documents/BinderHeader.h"
#include "documents/BinderLinks.h"
#include "documents/CompanionFiles.h"
#include "documents/EncryptCommands.h"
#include "documents/EncryptedBinder.h"
#include "documents/ErrorReport.h"
#include "documents/HeldPages.h"
#include "documents/Interaction.h"
#include "documents/LumpArchive.h"
#include "documents/NewBinder.h"
#include "documents/PageRecords.h"
#include "documents/RecoveryKeeper.h"
#include "documents/Workspace.h"
#include "platform/Dialogs.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/TempFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <optional>

namespace quillery {

namespace {

// The binder's records with the per-page ones written from the rows, as lump 1 holds them.
QByteArray recordsText(Binder &binder)
{
    binder.editRecords([&](InfoRecords &records) { writeLayoutRecords(records, binder); });
    QByteArray text = binder.records().toText();
    PageRecords::appendText(text, binder.pages());
    return text;
}

// A page whose data file has gone or been cut short cannot be saved: writing it empty
// or short would lose the page while reporting success.
[[noreturn]] void pageSourceLost(const PageRow &page, const QString &source)
{
    throw FileError(FileError::FileNotFound,
                    QCoreApplication::translate("BinderSaver", "The data of the page '") +
                        page.name + QCoreApplication::translate("BinderSaver", "' is missing (") +
                        source + u')');
}

[[noreturn]] void pageSourceResized(const PageRow &page, const QString &source, qint64 size)
{
    throw FileError(FileError::PastEnd,
                    QCoreApplication::translate("BinderSaver", "The data of the page '") +
                        page.name +
                        QCoreApplication::translate("BinderSaver", "' has %1 bytes instead of %2 (")
                            .arg(size)
                            .arg(page.size) +
                        source + u')');
}

// A page's data for the archive; the path of pages in a binder file is given, so that
// thousands of pages share one string, with that file's size.
LumpData pageLumpData(const PageRow &page, const QString &binderFile, qint64 binderFileSize)
{
    const PageKey &key = page.key;
    if (key.inWorkingCopy()) {
        const FileRange range{binderFile, qMax<qint64>(key.offset, 0), qMax<qint64>(key.length, 0)};
        if (range.offset > binderFileSize || range.length > binderFileSize - range.offset)
            pageSourceLost(page, binderFile);
        return range;
    }
    if (key.location.isEmpty())
        return QByteArray();
    if (!QFileInfo(key.location).isFile())
        pageSourceLost(page, key.location);
    const qint64 size = fileio::fileSize(key.location);
    if (size != page.size)
        pageSourceResized(page, key.location, size);
    return FileRange{key.location, 0, size};
}

// Whether a save may append to the binder file instead of rewriting it: the file must be
// the one this window holds and reads its pages from, and no one else may read it
// through a name of their own, since the bytes the save replaces are erased in place.
bool canSaveInPlace(const Binder &binder, const QString &fileName)
{
    return binder.fileLock().covers(fileName) && fileio::sameFile(binder.workingCopy(), fileName) &&
           onlyThisWindowLinksTo(binder, fileName);
}

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

void writeBinderFile(Workspace &workspace, Binder &binder, const QString &fileName, bool mayAppend)
{
    BusyScope busy(workspace.ui);
    binder.setRecord(RecordKey::LastSavedBy, workspace.authorName);
    const int n = binder.pageCount();
    LumpArchive archive(BinderHeader);
    archive.setLumpCount(n + 1);
    archive.setLumpName(1, RecordsLump);
    const QByteArray records = recordsText(binder);
    archive.setLumpData(1, records);
    dropPageRecords(binder);
    // A save asked for from the page editor shows no progress window over it.
    std::optional<ProgressScope> progress;
    if (!workspace.pageEditorOpen)
        progress.emplace(workspace.ui,
                         QCoreApplication::translate("BinderSaver", "Saving ") + fileName, n + 1,
                         false);
    QString location;
    QString dataPath;
    qint64 dataSize = 0;
    QHash<QString, QByteArray> lumpNames; // one for each page kind, shared by its pages
    for (int k = 2; k <= n + 1; ++k) {
        workspace.ui.processEvents();
        const PageRow &page = binder.pages().at(k - 2);
        const PageKey &key = page.key;
        auto name = lumpNames.constFind(key.kind.name());
        if (name == lumpNames.constEnd())
            name = lumpNames.insert(key.kind.name(), key.kind.name().toLatin1());
        archive.setLumpName(k, *name);
        if (key.location != location) {
            location = key.location;
            dataPath = key.dataPath();
            if (key.inWorkingCopy()) {
                if (!QFileInfo(dataPath).isFile())
                    pageSourceLost(page, dataPath);
                dataSize = fileio::fileSize(dataPath);
            }
        }
        archive.setLumpData(k, pageLumpData(page, dataPath, dataSize));
        workspace.ui.setProgress(k - 1);
    }

    // A file that another window or instance holds stays theirs.
    if (!binder.fileLock().covers(fileName) && FileLock::isHeldElsewhere(fileName))
        throw FileError(FileError::PermissionDenied,
                        QCoreApplication::translate("BinderSaver", "Permission denied"));

    // An encrypted binder is written whole every time, with a fresh nonce.
    const bool encrypted = isEncrypted(binder);
    const bool inPlace = !encrypted && mayAppend && canSaveInPlace(binder, fileName);
    // An encrypted binder's saves leave its working copy alone; the others erase its bytes
    // they no longer use or let go of it.
    if (!encrypted)
        keepHeldPagesReadable(workspace, binder);
    // The recovery snapshot may read pages from the bytes an in-place save erases.
    const auto releaseSnapshot = [&] {
        if (RecoveryKeeper *keeper = RecoveryKeeper::of(binder))
            keeper->letGoOfBinderBytes();
    };
    QString groupWarning;
    if (encrypted) {
        groupWarning = writeEncryptedBinder(binder, archive, fileName);
    } else if (!(inPlace && archive.appendInPlace(fileName, releaseSnapshot))) {
        SafeFileWriter writer(fileName);
        // The new file is locked while it is written, so that an instance opening the
        // binder meanwhile sees it in use and leaves it, and no other instance can slip
        // in before it takes the binder's name.
        FileLock lock = FileLock::acquire(writer.tempPath());
        archive.write(writer);
        writer.commit();
        groupWarning = writer.groupWarning();
        binder.fileLock() = std::move(lock);
    }
    binder.fileLock().noteSaved(fileName);
    binder.setReadOnly(false);
    if (!encrypted)
        readPagesFromSaved(workspace, binder, fileName, archive.writtenLumps());
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
    if (!groupWarning.isEmpty())
        workspace.dialogs.message(MsgIcon::Exclamation, MsgButtons::Ok,
                                  QCoreApplication::translate("BinderSaver", "Group Not Kept"),
                                  groupWarning);
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
