// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PageClipboard.h"

#include "documents/Binder.h"
#include "documents/EncryptedBinder.h"
#include "documents/ErrorReport.h"
#include "documents/Interaction.h"
#include "documents/PageCommands.h"
#include "documents/Workspace.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/RuntimeFolder.h"
#include "platform/TempFolder.h"
#include "window/ClipInfo.h"
#include "window/PageOperations.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace quillery {

namespace {

// Looked up when used, once the translation is loaded.
QString copyError()
{
    return QCoreApplication::translate("PageClipboard", "Copy Error");
}
// Looked up when used, once the translation is loaded.
QString pasteError()
{
    return QCoreApplication::translate("PageClipboard", "Paste Error");
}

// Where pages of encrypted binders are copied to; throws FileError when the runtime folder
// cannot be used.
QString memoryClipboard()
{
    return privateRuntimeFolder() + QStringLiteral("/quillery-clipboard");
}

QString usableMemoryClipboard()
{
    try {
        return memoryClipboard();
    } catch (const FileError &) {
        return QString();
    }
}

// The page clipboard in the other place goes once a page was copied, so that paste takes
// the page copied last.
void removeClipboard(const QString &folder)
{
    if (folder.isEmpty())
        return;
    QFile::remove(folder + u'/' + ClipInfoName);
    QFile::remove(folder + u'/' + ClipDataName);
}

} // namespace

void removeMemoryClipboard()
{
    removeClipboard(usableMemoryClipboard());
}

QString pageClipboardFolder(const TempFolder &temp)
{
    const QString memory = usableMemoryClipboard();
    if (!memory.isEmpty() && QFileInfo::exists(memory + u'/' + ClipInfoName))
        return memory;
    return QFileInfo::exists(temp.filePath(ClipInfoName)) ? temp.path() : QString();
}

bool copyPage(Workspace &workspace, Binder &binder, int position)
{
    if (!binder.hasPage(position) || position == 0)
        return false;
    const PageRow &row = binder.page(position);
    const ClipInfo info = ClipInfo::of(row);
    const bool secret = bool(binder.encryption());
    const QString memory = usableMemoryClipboard();
    const QString folder = secret ? memory : workspace.temp.path();
    const QString infoPath = folder + u'/' + ClipInfoName;
    const QString dataPath = folder + u'/' + ClipDataName;
    bool dataReplaced = false;
    try {
        // The folder is made, or checked, before anything goes in.
        if (secret)
            TempFolder checked(memoryClipboard());
        // Both files are written in full beside the old ones before either replaces
        // its predecessor, so a full disk leaves the page copied before.
        SafeFileWriter data(dataPath);
        data.write(pageData(row.key));
        SafeFileWriter line(infoPath);
        line.write(info.toLine());
        data.commit();
        dataReplaced = true;
        line.commit();
        removeClipboard(secret ? workspace.temp.path() : memory);
    } catch (const FileError &error) {
        // Old details with new bytes would paste a wrong page: then nothing is offered.
        if (dataReplaced)
            fileio::removeIfExists(infoPath);
        reportFileError(
            workspace.dialogs, copyError(),
            QCoreApplication::translate("PageClipboard", "The page could not be copied to '"),
            dataPath, error);
        return false;
    }
    return true;
}

void cutPage(Workspace &workspace, Binder &binder, int position)
{
    if (!copyPage(workspace, binder, position))
        return;
    removePage(workspace, binder, position,
               QCoreApplication::translate("PageClipboard", "Cut Page"));
}

bool pastePage(Workspace &workspace, Binder &binder)
{
    const QString folder = pageClipboardFolder(workspace.temp);
    const QString infoPath = folder + u'/' + ClipInfoName;
    const QString dataPath = folder + u'/' + ClipDataName;
    if (folder.isEmpty() || !QFileInfo::exists(dataPath))
        return false;
    BusyScope busy(workspace.ui);
    TempFolder &temp = scratchFolder(workspace, binder);
    // Pasted into a binder without pages, the page is the one to show.
    auto step = std::make_unique<InsertPagesCommand>(workspace, binder,
                                                     binder.pageCount() == 0
                                                         ? InsertPagesCommand::Show::First
                                                         : InsertPagesCommand::Show::Current);
    step->setText(QCoreApplication::translate("PageClipboard", "Paste Page"));
    QString pagePath;
    try {
        // Details that do not parse name no kind, which toPage refuses.
        const ClipInfo info = ClipInfo::parse(fileio::readWhole(infoPath)).value_or(ClipInfo());
        pagePath = temp.createFile();
        temp.registerFile(pagePath);
        fileio::copyFile(dataPath, pagePath);
        step->add(info.toPage(binder, pagePath));
    } catch (const FileError &error) {
        if (!pagePath.isEmpty())
            temp.deleteFile(pagePath);
        reportFileError(
            workspace.dialogs, pasteError(),
            QCoreApplication::translate("PageClipboard", "The page could not be pasted from '"),
            infoPath, error);
        return false;
    }
    binder.push(std::move(step));
    return true;
}

} // namespace quillery
