// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PageClipboard.h"

#include "documents/Binder.h"
#include "documents/ErrorReport.h"
#include "documents/Interaction.h"
#include "documents/PageKind.h"
#include "documents/Workspace.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/GeneralDate.h"
#include "platform/TempFolder.h"
#include "window/ClipInfo.h"
#include "window/PageOperations.h"

#include <QFileInfo>

namespace quillery {

namespace {

const QString CopyError = QStringLiteral("Copy Error");
const QString PasteError = QStringLiteral("Paste Error");

} // namespace

bool copyPage(Workspace &workspace, Binder &binder, int position)
{
    if (!binder.hasPage(position) || position == 0)
        return false;
    const PageRow &row = binder.page(position);
    const ClipInfo info{row.name, row.comments, row.key.kind, row.key.colour};
    const QString infoPath = workspace.temp.filePath(ClipInfoName);
    const QString dataPath = workspace.temp.filePath(ClipDataName);
    bool dataReplaced = false;
    try {
        // Both files are written in full beside the old ones before either replaces
        // its predecessor, so a full disk leaves the page copied before.
        SafeFileWriter data(dataPath);
        data.write(pageData(row.key));
        SafeFileWriter line(infoPath);
        line.write(info.toLine());
        data.commit();
        dataReplaced = true;
        line.commit();
    } catch (const FileError &error) {
        // Old details with new bytes would paste a wrong page: then nothing is offered.
        if (dataReplaced)
            fileio::removeIfExists(infoPath);
        reportFileError(workspace.dialogs, CopyError,
                        QStringLiteral("The page could not be copied to '"), dataPath, error);
        return false;
    }
    return true;
}

void cutPage(Workspace &workspace, Binder &binder, int position)
{
    if (!copyPage(workspace, binder, position))
        return;
    binder.setCurIndex(position);
    DelPage(workspace, binder);
}

bool pastePage(Workspace &workspace, Binder &binder)
{
    const QString infoPath = workspace.temp.filePath(ClipInfoName);
    const QString dataPath = workspace.temp.filePath(ClipDataName);
    if (!QFileInfo::exists(infoPath) || !QFileInfo::exists(dataPath))
        return false;
    BusyScope busy(workspace.ui);
    QString pagePath;
    try {
        const std::optional<ClipInfo> info = ClipInfo::parse(fileio::readWhole(infoPath));
        if (!info || kindFromString(info->kind) == PageKind::Unknown)
            throw FileError(FileError::InvalidFormat,
                            QStringLiteral("The page clipboard does not describe a page"));
        pagePath = workspace.temp.TempFileName();
        workspace.temp.AddTempFile(pagePath);
        fileio::copyFile(dataPath, pagePath);

        PageRow row;
        row.name = info->name;
        row.created = generalDate(QDateTime::currentDateTime());
        row.modified = QStringLiteral("Never");
        row.size = fileio::fileSize(pagePath);
        row.comments = info->comments;
        row.key.serial = binder.takeSerial();
        row.key.kind = info->kind;
        row.key.location = pagePath;
        row.key.colour =
            kindFromString(info->kind) == PageKind::RTF ? info->colour : QStringLiteral("NA");
        binder.pages.append(row);
    } catch (const FileError &error) {
        if (!pagePath.isEmpty())
            workspace.temp.DeleteTempFile(pagePath);
        reportFileError(workspace.dialogs, PasteError,
                        QStringLiteral("The page could not be pasted from '"), infoPath, error);
        return false;
    }
    if (binder.pageCount() == 1)
        binder.setCurIndex(1);
    binder.setChanged(true);
    return true;
}

} // namespace quillery
