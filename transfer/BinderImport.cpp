// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/BinderImport.h"

#include "documents/Binder.h"
#include "documents/BinderHeader.h"
#include "documents/EncryptedBinder.h"
#include "documents/ErrorReport.h"
#include "documents/Interaction.h"
#include "documents/LumpArchive.h"
#include "documents/PageCommands.h"
#include "documents/PageRecords.h"
#include "documents/Password.h"
#include "documents/Workspace.h"
#include "platform/Dialogs.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/TempFolder.h"
#include "transfer/BinderOpener.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace quillery {

namespace {

bool passwordGiven(Workspace &workspace, const InfoRecords &records)
{
    workspace.passwordHolder = records.value(RecordKey::Password, QString());
    if (workspace.passwordHolder.isEmpty())
        return true;
    PasswordPrompt prompt(workspace, PasswordPrompt::ImportLabel);
    workspace.ui.askPassword(prompt);
    return prompt.accepted();
}

void importPages(Workspace &workspace, Binder &binder, const QString &fileName,
                 const InfoRecords &records, PageRecords &pageRecords)
{
    BusyScope busy(workspace.ui);
    TempFolder &temp = scratchFolder(workspace, binder);
    const QString copy = temp.createFile();
    temp.registerFile(copy);
    fileio::copyFile(fileName, copy);
    LumpArchive archive(BinderHeader);
    archive.open(copy);
    const int pages = pageCountOf(records, archive.lumpCount());
    auto step =
        std::make_unique<InsertPagesCommand>(workspace, binder, InsertPagesCommand::Show::Current);
    step->setText(pageStepName(QCoreApplication::translate("BinderImport", "Import Binder"),
                               QFileInfo(fileName).fileName()));
    {
        ProgressScope progress(workspace.ui,
                               QCoreApplication::translate("BinderImport", "Importing ") + fileName,
                               pages, true);
        for (int i = 1; i <= pages; ++i) {
            step->add(archivePages(binder, pageRecords, archive, copy, i, i).takeFirst());
            workspace.ui.setProgress(i);
            workspace.ui.processEvents();
            if (workspace.ui.progressCancelled())
                break;
        }
    }
    if (step->count() > 0)
        binder.push(std::move(step));
}

} // namespace

bool importBinderFile(Workspace &workspace, Binder &binder, const QString &fileName)
{
    try {
        if (isEncryptedBinderFile(fileName))
            throw FileError(
                FileError::InvalidFormat,
                QCoreApplication::translate(
                    "BinderImport", "It is an encrypted binder; open it to copy its pages"));
        const QByteArray text = LumpArchive(BinderHeader).readNamedLump(fileName, RecordsLump);
        // No more pages can be described than the text has lines.
        PageRecords pages(text.count('\n') + 1);
        InfoRecords records;
        records.loadText(text, pages.divert());
        if (!passwordGiven(workspace, records))
            return false;
        importPages(workspace, binder, fileName, records, pages);
    } catch (const FileError &error) {
        reportFileError(
            workspace.dialogs, QCoreApplication::translate("BinderImport", "Import Quillery Error"),
            QCoreApplication::translate("BinderImport",
                                        "An error occurred when trying to import the Quillery '"),
            fileName, error);
        return false;
    }
    return true;
}

void importBinder(Workspace &workspace, Binder &binder)
{
    workspace.ui.closeSplash();
    FileDialogRequest request;
    request.title = QCoreApplication::translate("BinderImport", "Import Quillery File");
    request.filter =
        QCoreApplication::translate("BinderImport", "Quillery (*.qly)|*.qly|All files (*.*)|*.*");
    const QString fileName = workspace.dialogs.openFile(request);
    if (!fileName.isEmpty())
        importBinderFile(workspace, binder, fileName);
}

} // namespace quillery
