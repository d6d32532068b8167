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
#include "platform/Colours.h"
#include "platform/Dialogs.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/TempFolder.h"
#include "transfer/PageImport.h"

namespace quillery {

namespace {

// user is empty when no lock note can be trusted to name the holder.
void showInUse(Workspace &workspace, const QString &user)
{
    const QString title =
        user.isEmpty() ? QStringLiteral("File in Use") : QStringLiteral("File in Use by ") + user;
    const QString holder = user.isEmpty() ? QStringLiteral("someone else") : user;
    const QString closing = user.isEmpty() ? QStringLiteral("it has been closed")
                                           : user + QStringLiteral(" has closed it");
    workspace.dialogs.message(
        MsgIcon::Exclamation, MsgButtons::Ok, title,
        QStringLiteral("The file you have opened is in use by ") + holder +
            QStringLiteral(".  You will not be able to save changes to the file until ") + closing +
            QStringLiteral(" (even though '[Read-Only]' may still be displayed).  "
                           "You can, however, save the file as another name."));
}

} // namespace

int pageCountOf(const InfoRecords &cf, int lumps)
{
    bool ok = false;
    const qint64 pages = cf.value(QStringLiteral("Pages")).toLongLong(&ok);
    if (!ok || pages < 0 || pages > lumps - 1)
        throw FileError::damaged(QStringLiteral("its page count does not match its lumps"));
    return int(pages);
}

void appendArchivePages(Binder &binder, PageRecords &records, const LumpArchive &archive,
                        const QString &dataPath, int firstPage, int lastPage)
{
    const QString location = u'|' + dataPath;
    RecentValues<QString> kinds;
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
        row.key.kind =
            kinds.get(lump.name, [](QByteArrayView name) { return QString::fromLatin1(name); });
        row.key.location = location;
        row.key.colour = std::move(page.colour);
    }
    binder.pages.append(std::move(rows));
}

void takeLayoutRecords(Binder &binder)
{
    const int pages = binder.pageCount();
    if (!binder.CF.contains(QStringLiteral("RTFAlign")))
        setRTFopts(binder.CF);

    const int selected = binder.CF.value(QStringLiteral("SelPage"), QStringLiteral("1")).toInt();
    binder.setCurIndex(pages == 0 ? 0 : (selected >= 1 && selected <= pages ? selected : 1));
    DelCFInfo(binder);

    for (int c = 1; c <= PageList::ColumnCount; ++c) {
        bool ok = false;
        const int width = binder.CF.value(QStringLiteral("ColWidth%1").arg(c)).toInt(&ok);
        if (ok)
            binder.columnWidths[c - 1] = width;
    }
    binder.pages.setCommentsCaption(
        binder.CF.value(QStringLiteral("CommentsCol"), QStringLiteral("Comments")));
    if (binder.CF.contains(QStringLiteral("Pane Pos"))) {
        binder.PanePos = binder.CF.value(QStringLiteral("Pane Pos")).toInt();
        binder.PaneLength = binder.CF.value(QStringLiteral("Pane Length")).toInt();
    } else {
        binder.PanePos = 0;
        binder.PaneLength = Binder::DefaultPaneLength;
    }
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
        binder.OpenNum = FileLock::acquire(path);
    } catch (const FileError &error) {
        if (!error.isPermissionDenied() || !FileLock::isHeldElsewhere(path))
            throw;
    }
    if (!binder.OpenNum.isHeld()) {
        binder.setReadOnly(true);
        const QString working = workspace.temp.TempFileName();
        workspace.temp.AddTempFile(working);
        // The lock note is trusted to name the holder only when the shadow copy written
        // with it holds this very binder.
        const bool fromShadow = copyForReader(path, working);
        showInUse(workspace, fromShadow ? readLockNote(path) : QString());
        return isEncryptedBinderFile(working) ? decryptWorkingCopy(workspace, binder, working)
                                              : working;
    }
    if (isEncryptedBinderFile(path))
        return decryptWorkingCopy(workspace, binder, path);
    const QString working = workspace.temp.TempFileName();
    workspace.temp.AddTempFile(working);
    fileio::linkOrCopy(path, working);
    return working;
}

// Marks the binder as in use by this user beside it and clears what a killed save left
// there. When the companions cannot be written the binder opens read-only, saying why.
void markInUse(Workspace &workspace, Binder &binder, const QString &path)
{
    try {
        CreateAF(workspace, binder, path, true);
    } catch (const FileError &error) {
        removeCompanions(path);
        binder.OpenNum.release();
        binder.setReadOnly(true);
        workspace.dialogs.message(
            MsgIcon::Exclamation, MsgButtons::Ok, QStringLiteral("Opened Read-Only"),
            u'\'' + path +
                QStringLiteral("' is opened read-only, because Quillery cannot mark it as in "
                               "use: ") +
                error.description() + QStringLiteral(".  You can save it under another name."));
        return;
    }
    if (binder.OpenNum.isWriteLock())
        removeStaleScratchFiles(path);
}

void loadBinder(Workspace &workspace, Binder &binder, const QString &path, OpenPurpose purpose)
{
    const QString working = makeWorkingCopy(workspace, binder, path, purpose);
    binder.workingCopy = working;

    LumpArchive archive(BinderHeader);
    archive.OpenArchive(working);
    if (archive.lumpCount() < 1)
        throw FileError::damaged(QStringLiteral("it has no record lump"));
    const Lump &records = archive.lump(1);
    PageRecords pageRecords(archive.lumpCount() - 1);
    binder.CF.loadText(LumpArchive::ReadBytes(working, records.offset, records.length),
                       pageRecords.divert());

    const QString stored = binder.CF.value(QStringLiteral("Data"), QString());
    if (!stored.isEmpty()) {
        workspace.passwordHolder = stored;
        PasswordPrompt prompt(workspace);
        workspace.ui.askPassword(prompt);
        if (!prompt.accepted())
            throw FileError(FileError::Cancelled, QStringLiteral("Cancelled"));
    }

    BusyScope busy(workspace.ui);

    const int pages = pageCountOf(binder.CF, archive.lumpCount());
    appendArchivePages(binder, pageRecords, archive, working, 1, pages);
    takeLayoutRecords(binder);

    if (purpose == OpenPurpose::Edit && !binder.ro())
        markInUse(workspace, binder, path);
    binder.setWCaption(binder.title() + QStringLiteral(" (") + path + u')' +
                       (binder.ro() ? QStringLiteral(" [Read-Only]") : QString()));
    if (purpose == OpenPurpose::Edit)
        workspace.ui.recordRecent(recentFilesTitle(binder), path);
}

} // namespace

bool isBinderFile(const QString &path)
{
    return hasBinderHeader(path) || isEncryptedBinderFile(path) ||
           path.right(4).toLower() == u".qly";
}

std::unique_ptr<Binder> OpenFile(Workspace &workspace, const QString &fileName, OpenPurpose purpose)
{
    auto binder = std::make_unique<Binder>();
    if (!isBinderFile(fileName)) {
        NewFile(workspace, *binder, false);
        ImportFile(workspace, *binder, fileName, PageKind::Unknown);
        binder->setCurIndex(1);
        binder->setChanged(false);
        return binder;
    }

    binder->setCurFile(fileName);
    try {
        loadBinder(workspace, *binder, fileName, purpose);
    } catch (const FileError &error) {
        if (error.number() == FileError::Cancelled) {
            workspace.ui.openCancelled();
        } else {
            reportFileError(workspace.dialogs, QStringLiteral("Open Error"),
                            QStringLiteral("An error occurred when trying to open the file '"),
                            fileName, error);
        }
        return nullptr;
    }
    return binder;
}

} // namespace quillery
