// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/BinderOpener.h"

#include "documents/Binder.h"
#include "documents/BinderHeader.h"
#include "documents/CompanionFiles.h"
#include "documents/EncryptedBinder.h"
#include "documents/ErrorReport.h"
#include "documents/Interaction.h"
#include "documents/LumpArchive.h"
#include "documents/NewBinder.h"
#include "documents/PageKind.h"
#include "documents/PageRecords.h"
#include "documents/Password.h"
#include "documents/RecentValues.h"
#include "documents/TextFormatDefaults.h"
#include "documents/Workspace.h"
#include "platform/Cancelled.h"
#include "platform/Colours.h"
#include "platform/Dialogs.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/TempFolder.h"
#include "transfer/PageImport.h"
#include <QCoreApplication>

namespace quillery {

namespace {

// user is empty when no lock note can be trusted to name the holder.
void showInUse(Workspace &workspace, const QString &user)
{
    const QString title =
        user.isEmpty() ? QCoreApplication::translate("BinderOpener", "File in Use")
                       : QCoreApplication::translate("BinderOpener", "File in Use by ") + user;
    const QString holder =
        user.isEmpty() ? QCoreApplication::translate("BinderOpener", "someone else") : user;
    const QString closing =
        user.isEmpty() ? QCoreApplication::translate("BinderOpener", "it has been closed")
                       : user + QCoreApplication::translate("BinderOpener", " has closed it");
    workspace.dialogs.message(
        MsgIcon::Exclamation, MsgButtons::Ok, title,
        QCoreApplication::translate("BinderOpener", "The file you have opened is in use by ") +
            holder +
            QCoreApplication::translate(
                "BinderOpener", ".  You will not be able to save changes to the file until ") +
            closing +
            QCoreApplication::translate("BinderOpener",
                                        " (even though '[Read-Only]' may still be displayed).  "
                                        "You can, however, save the file as another name."));
}

} // namespace

int pageCountOf(const InfoRecords &cf, int lumps)
{
    bool ok = false;
    const qint64 pages = cf.value(RecordKey::Pages).toLongLong(&ok);
    if (!ok || pages < 0 || pages > lumps - 1)
        throw FileError::damaged(
            QCoreApplication::translate("BinderOpener", "its page count does not match its lumps"));
    return int(pages);
}

QVector<PageRow> archivePages(Binder &binder, PageRecords &records, const LumpArchive &archive,
                              const QString &dataPath, int firstPage, int lastPage)
{
    const QString location = u'|' + dataPath;
    RecentValues<StoredKind> kinds;
    QVector<PageRow> rows;
    rows.reserve(lastPage - firstPage + 1);
    for (int i = firstPage; i <= lastPage; ++i) {
        const Lump &lump = archive.lump(i + 1);
        PageRecords::Page page = records.takePage(i);
        PageRow &row = rows.emplace_back();
        row.name = std::move(page.name);
        row.created = std::move(page.created);
        row.modified = std::move(page.modified);
        row.size = lump.length;
        row.comments = std::move(page.comments);
        row.key.serial = binder.takeSerial();
        row.key.offset = lump.offset;
        row.key.length = lump.length;
        row.key.kind = kinds.get(lump.name, [](QByteArrayView name) {
            return StoredKind::fromName(QString::fromLatin1(name));
        });
        row.key.location = location;
        row.key.colour = std::move(page.colour);
    }
    return rows;
}

void takeLayoutRecords(Binder &binder)
{
    const int pages = binder.pageCount();
    if (!binder.records().contains(RecordKey::RichAlign))
        binder.editRecords(setRTFopts);

    const int selected =
        binder.records().value(RecordKey::SelectedPage, QStringLiteral("1")).toInt();
    binder.setCurrentPosition(pages == 0 ? 0 : (selected >= 1 && selected <= pages ? selected : 1));
    dropPageRecords(binder);

    for (int c = 1; c <= PageList::ColumnCount; ++c) {
        bool ok = false;
        const int width = binder.records().value(RecordKey::ColumnWidth.arg(c)).toInt(&ok);
        if (ok)
            binder.setColumnWidth(c - 1, width);
    }
    if (binder.records().contains(RecordKey::PanePosition))
        binder.setPanePosition(
            PanePosition(binder.records().value(RecordKey::PanePosition).toInt()),
            binder.records().value(RecordKey::PaneLength).toInt());
    else
        binder.setPanePosition(PanePosition::ListAbove, Binder::DefaultPaneLength);
}

namespace {

// The file the pages are read from: a working copy (another name of the binder's bytes
// where the file system allows it, so that opening copies nothing), or the binder
// itself when it is only inspected.
QString makeWorkingCopy(Workspace &workspace, Binder &binder, const QString &path,
                        OpenPurpose purpose)
{
    if (purpose == OpenPurpose::Inspect) {
        binder.setReadOnly(true);
        return isEncryptedBinderFile(path) ? decryptWorkingCopy(workspace, binder, path) : path;
    }
    // The lock comes before the first byte is read, so that no other instance can save
    // between what this window reads and what it later writes back.
    try {
        binder.fileLock() = FileLock::acquire(path);
    } catch (const FileError &error) {
        if (!error.isPermissionDenied() || !FileLock::isHeldElsewhere(path))
            throw;
    }
    if (!binder.fileLock().isHeld()) {
        binder.setReadOnly(true);
        const QString working = workspace.temp.createFile();
        workspace.temp.registerFile(working);
        // The lock note is trusted to name the holder only when the shadow copy written
        // with it holds this very binder.
        const bool fromShadow = copyForReader(path, working);
        showInUse(workspace, fromShadow ? readLockNote(path) : QString());
        return isEncryptedBinderFile(working) ? decryptWorkingCopy(workspace, binder, working)
                                              : working;
    }
    if (isEncryptedBinderFile(path))
        return decryptWorkingCopy(workspace, binder, path);
    const QString working = workspace.temp.createFile();
    workspace.temp.registerFile(working);
    fileio::linkOrCopy(path, working);
    return working;
}

// Marks the binder as in use by this user beside it and clears what a killed save left
// there. When the companions cannot be written the binder opens read-only, saying why.
void markInUse(Workspace &workspace, Binder &binder, const QString &path)
{
    try {
        createCompanionFiles(workspace, binder, path, true);
    } catch (const FileError &error) {
        removeCompanions(path);
        binder.fileLock().release();
        binder.setReadOnly(true);
        workspace.dialogs.message(
            MsgIcon::Exclamation, MsgButtons::Ok,
            QCoreApplication::translate("BinderOpener", "Opened Read-Only"),
            u'\'' + path +
                QCoreApplication::translate(
                    "BinderOpener", "' is opened read-only, because Quillery cannot mark it as in "
                                    "use: ") +
                error.description() +
                QCoreApplication::translate("BinderOpener",
                                            ".  You can save it under another name."));
        return;
    }
    if (binder.fileLock().isWriteLock())
        removeStaleScratchFiles(path);
}

void loadBinder(Workspace &workspace, Binder &binder, const QString &path, OpenPurpose purpose)
{
    const QString working = makeWorkingCopy(workspace, binder, path, purpose);
    binder.setWorkingCopy(working);
    readWorkingCopy(workspace, binder);

    if (purpose == OpenPurpose::Edit && !binder.isReadOnly())
        markInUse(workspace, binder, path);
    if (purpose == OpenPurpose::Edit)
        workspace.ui.recordRecent(recentFilesTitle(binder), path);
}

} // namespace

void readWorkingCopy(Workspace &workspace, Binder &binder)
{
    const QString &working = binder.workingCopy();
    LumpArchive archive(BinderHeader);
    archive.open(working);
    if (archive.lumpCount() < 1)
        throw FileError::damaged(
            QCoreApplication::translate("BinderOpener", "it has no record lump"));
    const Lump &records = archive.lump(1);
    PageRecords pageRecords(archive.lumpCount() - 1);
    binder.editRecords([&](InfoRecords &loaded) {
        loaded.loadText(LumpArchive::readBytes(working, records.offset, records.length),
                        pageRecords.divert());
    });

    const QString stored = binder.records().value(RecordKey::Password, QString());
    if (!stored.isEmpty()) {
        workspace.passwordHolder = stored;
        PasswordPrompt prompt(workspace);
        workspace.ui.askPassword(prompt);
        if (!prompt.accepted())
            throw Cancelled();
    }

    BusyScope busy(workspace.ui);

    const int pages = pageCountOf(binder.records(), archive.lumpCount());
    binder.appendLoadedPages(archivePages(binder, pageRecords, archive, working, 1, pages));
    takeLayoutRecords(binder);
}

bool isBinderFile(const QString &path)
{
    return hasBinderHeader(path) || isEncryptedBinderFile(path) ||
           path.right(4).toLower() == u".qly";
}

std::unique_ptr<Binder> openFile(Workspace &workspace, const QString &fileName, OpenPurpose purpose)
{
    auto binder = std::make_unique<Binder>();
    if (!isBinderFile(fileName)) {
        makeNewBinder(workspace, *binder, false);
        if (std::optional<PageRow> page =
                importedPage(workspace, *binder, fileName, PageKind::Unknown)) {
            binder->appendLoadedPages({std::move(*page)});
            binder->setCurrentPosition(1);
        }
        return binder;
    }

    binder->setFileName(fileName);
    try {
        loadBinder(workspace, *binder, fileName, purpose);
    } catch (const Cancelled &) {
        workspace.ui.openCancelled();
        return nullptr;
    } catch (const FileError &error) {
        reportFileError(workspace.dialogs,
                        QCoreApplication::translate("BinderOpener", "Open Error"),
                        QCoreApplication::translate(
                            "BinderOpener", "An error occurred when trying to open the file '"),
                        fileName, error);
        return nullptr;
    }
    return binder;
}

} // namespace quillery
