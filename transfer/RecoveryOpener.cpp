// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/RecoveryOpener.h"

#include "documents/Binder.h"
#include "documents/BinderFormat.h"
#include "documents/CompanionFiles.h"
#include "documents/EncryptedBinder.h"
#include "documents/ErrorReport.h"
#include "documents/Interaction.h"
#include "documents/PageRecords.h"
#include "documents/Password.h"
#include "documents/RecoveryStore.h"
#include "documents/Workspace.h"
#include "platform/Cancelled.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/TempFolder.h"
#include "transfer/BinderOpener.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace quillery {

namespace {

void askPassword(Workspace &workspace, const InfoRecords &records)
{
    const QString stored = records.value(RecordKey::Password, QString());
    if (stored.isEmpty())
        return;
    workspace.passwordHolder = stored;
    PasswordPrompt prompt(workspace);
    workspace.ui.askPassword(prompt);
    if (!prompt.accepted())
        throw Cancelled();
}

// Where each source's pages are read from: for a window, files of the temporary folder
// the snapshot's data files are linked or copied to.
QStringList placeSources(Workspace &workspace, const SnapshotEntry &entry, RecoverPurpose purpose,
                         bool binderChanged)
{
    QStringList paths;
    for (int source = 1; source <= entry.record.sources.size(); ++source) {
        const QString path = entry.sourcePath(source);
        if (entry.record.sources[source - 1].isEmpty() && binderChanged)
            throw FileError(
                FileError::FileNotFound,
                QCoreApplication::translate("RecoveryOpener",
                                            "The pages not changed since the last save were to be "
                                            "read from the binder file, which has changed since"));
        // A save after the snapshot erased the pages it replaced where they lay: what the
        // snapshot took from the binder file is in the binder as saved, not here.
        if (entry.record.sourceChanged(source, path))
            throw FileError(
                FileError::PathFileAccess,
                QCoreApplication::translate("RecoveryOpener",
                                            "The binder was saved after this snapshot was taken, "
                                            "and the pages it kept from the binder file have "
                                            "changed since (%1); open the binder itself instead")
                    .arg(path));
        if (purpose == RecoverPurpose::Export) {
            paths << path;
            continue;
        }
        const QString copy = workspace.temp.createFile();
        workspace.temp.registerFile(copy);
        fileio::linkOrCopy(path, copy);
        paths << copy;
    }
    return paths;
}

void addPages(Binder &binder, const SnapshotEntry &entry, PageRecords &records,
              const QStringList &sources)
{
    QVector<PageRow> rows;
    rows.reserve(entry.record.pages.size());
    for (int i = 0; i < entry.record.pages.size(); ++i) {
        const SnapshotPage &page = entry.record.pages[i];
        PageRecords::Page fields = records.takePage(i + 1);
        PageRow &row = rows.emplace_back();
        row.name = std::move(fields.name);
        row.created = std::move(fields.created);
        row.modified = std::move(fields.modified);
        row.comments = std::move(fields.comments);
        row.key.serial = binder.takeSerial();
        row.key.kind = StoredKind::fromName(QString::fromLatin1(page.kind));
        row.key.colour = std::move(fields.colour);
        if (page.source == 0)
            continue;
        row.size = page.length;
        row.key.location = u'|' + sources[page.source - 1];
        row.key.offset = page.offset;
        row.key.length = page.length;
    }
    binder.appendLoadedPages(std::move(rows));
}

// The binder file becomes this window's as when it is opened, unless someone else has it.
// One that changed since the snapshot is held but not taken as saved by this window.
void holdBinderFile(Workspace &workspace, Binder &binder, bool changed)
{
    const QString path = binder.fileName();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    binder.fileLock() = FileLock::acquire(path);
    if (changed)
        binder.fileLock().forgetSaved();
    try {
        createCompanionFiles(workspace, binder, path, true);
    } catch (const FileError &) {
        // Without companions other instances just cannot name who holds the binder.
    }
}

QString recoveredNote(bool changed)
{
    return changed ? QCoreApplication::translate(
                         "RecoveryOpener", " [Recovered - the file has changed on disk since]")
                   : QCoreApplication::translate("RecoveryOpener", " [Recovered]");
}

// An encrypted binder's snapshot is the binder encrypted whole: it opens with the binder's
// passphrase, as the binder would, into a working copy in memory.
void recoverSealed(Workspace &workspace, Binder &binder, const SnapshotEntry &entry)
{
    const QString container = entry.sourcePath(1);
    if (entry.record.sourceChanged(1, container))
        throw FileError::damaged(QCoreApplication::translate(
                                     "RecoveryOpener", "its data file %1 changed since it was kept")
                                     .arg(container));
    binder.setWorkingCopy(decryptWorkingCopy(workspace, binder, container));
    readWorkingCopy(workspace, binder);
}

RecoveredBinder recover(Workspace &workspace, const SnapshotEntry &entry, RecoverPurpose purpose)
{
    RecoveredBinder result;
    result.binder = std::make_unique<Binder>();
    Binder &binder = *result.binder;
    const SnapshotRecord &record = entry.record;
    if (record.sealed) {
        binder.setFileName(record.binderPath);
        recoverSealed(workspace, binder, entry);
        const bool changed = record.binderChangedOnDisk();
        if (purpose == RecoverPurpose::Window)
            holdBinderFile(workspace, binder, changed);
        binder.setCaptionNote(recoveredNote(changed));
        binder.markChangedOutsideHistory();
        return result;
    }
    PageRecords pageRecords(record.pages.size());
    binder.editRecords(
        [&](InfoRecords &loaded) { loaded.loadText(record.records, pageRecords.divert()); });
    askPassword(workspace, binder.records());
    if (pageCountOf(binder.records(), int(record.pages.size()) + 1) != record.pages.size())
        throw FileError::damaged(QCoreApplication::translate(
            "RecoveryOpener", "its page count does not match its page table"));

    BusyScope busy(workspace.ui);
    const bool changed = record.binderChangedOnDisk();
    const QStringList sources = placeSources(workspace, entry, purpose, changed);
    if (record.workingCopy > 0)
        binder.setWorkingCopy(sources[record.workingCopy - 1]);
    binder.setFileName(record.binderPath);
    if (purpose == RecoverPurpose::Window)
        holdBinderFile(workspace, binder, changed);
    addPages(binder, entry, pageRecords, sources);
    takeLayoutRecords(binder);
    binder.setCaptionNote(recoveredNote(changed));
    // The snapshot's changes are not steps the history could take back.
    binder.markChangedOutsideHistory();
    result.workingCopyFromBinder =
        !changed && record.workingCopy > 0 && record.sources[record.workingCopy - 1].isEmpty();
    return result;
}

} // namespace

RecoveredBinder recoverBinder(Workspace &workspace, const SnapshotEntry &entry,
                              RecoverPurpose purpose)
{
    try {
        return recover(workspace, entry, purpose);
    } catch (const Cancelled &) {
        workspace.ui.openCancelled();
        return {};
    } catch (const FileError &error) {
        reportFileError(workspace.dialogs,
                        QCoreApplication::translate("RecoveryOpener", "Recovery Error"),
                        QCoreApplication::translate("RecoveryOpener",
                                                    "An error occurred when trying to recover '"),
                        entry.folder, error);
        return {};
    }
}

} // namespace quillery
