// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/PageImport.h"

#include "documents/Binder.h"
#include "documents/EncryptedBinder.h"
#include "documents/ErrorReport.h"
#include "documents/Interaction.h"
#include "documents/PageCommands.h"
#include "documents/Workspace.h"
#include "platform/Colours.h"
#include "platform/Dialogs.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/GeneralDate.h"
#include "platform/TempFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace quillery {

namespace {

QString pageNameFor(const QString &fileName, PageKind kind)
{
    QString name = fileName.mid(fileName.lastIndexOf(u'/') + 1);
    const bool textKind = kind == PageKind::RTF || kind == PageKind::TXT || kind == PageKind::HTML;
    if (textKind && name.contains(u'.'))
        name.truncate(name.lastIndexOf(u'.'));
    return name;
}

// How the file dialogs name the files of each kind.
QString typeName(PageKind kind)
{
    switch (kind) {
    case PageKind::RTF:
        return QCoreApplication::translate("PageImport", "Rich Text Format");
    case PageKind::TXT:
        return QCoreApplication::translate("PageImport", "Text Document");
    case PageKind::HTML:
        return QStringLiteral("HTML");
    case PageKind::PICTURE:
        return QCoreApplication::translate("PageImport", "Picture");
    case PageKind::SOUND:
        return QCoreApplication::translate("PageImport", "Sound");
    default:
        return QCoreApplication::translate("PageImport", "File");
    }
}

QString dialogFilter(PageKind kind)
{
    switch (kind) {
    case PageKind::RTF:
        return typeName(kind) +
               QCoreApplication::translate("PageImport",
                                           " (*.rtf)|*.rtf|Text Document (*.txt)|*.txt|All files "
                                           "(*.*)|*.*");
    case PageKind::TXT:
        return typeName(kind) +
               QCoreApplication::translate("PageImport", " (*.txt)|*.txt|All files (*.*)|*.*");
    case PageKind::HTML:
        return typeName(kind) +
               QCoreApplication::translate("PageImport",
                                           " (*.htm;*.html;*.php)|*.htm;*.html;*.php|All files "
                                           "(*.*)|*.*");
    case PageKind::PICTURE:
        return QCoreApplication::translate(
            "PageImport", "Pictures (*.bmp;*.dib;*.gif;*.jpg;*.jpeg;*.png;*.ico)|*.bmp;*.dib;"
                          "*.gif;*.jpg;*.jpeg;*.png;*.ico|All files (*.*)|*.*");
    case PageKind::SOUND:
        return QCoreApplication::translate(
            "PageImport", "Sound (*.wav;*.mp3;*.wma;*.mid;*.rmi)|*.wav;*.mp3;*.wma;*.mid;"
                          "*.rmi|All files (*.*)|*.*");
    default:
        return QCoreApplication::translate("PageImport", "All files (*.*)|*.*");
    }
}

QString dialogTitle(PageKind kind)
{
    switch (kind) {
    case PageKind::RTF:
    case PageKind::TXT:
    case PageKind::HTML:
        return QCoreApplication::translate("PageImport", "Import a ") + typeName(kind) +
               QCoreApplication::translate("PageImport", " File");
    case PageKind::PICTURE:
    case PageKind::SOUND:
        return QCoreApplication::translate("PageImport", "Insert a ") + typeName(kind) +
               QCoreApplication::translate("PageImport", " File");
    default:
        return QCoreApplication::translate("PageImport", "Insert a File");
    }
}

} // namespace

PageRow copiedPage(Workspace &workspace, Binder &binder, const QString &fileName, PageKind kind)
{
    BusyScope busy(workspace.ui);
    TempFolder &temp = scratchFolder(workspace, binder);
    const QString copy = temp.createFile();
    temp.registerFile(copy);
    try {
        fileio::copyFile(fileName, copy);
    } catch (const FileError &) {
        temp.deleteFile(copy);
        throw;
    }

    PageRow row;
    row.name = pageNameFor(fileName, kind);
    row.created = generalDate(QDateTime::currentDateTime());
    row.modified = QStringLiteral("Never");
    row.size = fileio::fileSize(copy);
    row.key.serial = binder.takeSerial();
    row.key.kind = StoredKind(kind);
    row.key.location = copy;
    row.key.colour = colourField(kind, QString::number(SystemWindowBackground));
    return row;
}

std::optional<PageRow> importedPage(Workspace &workspace, Binder &binder, const QString &fileName,
                                    PageKind kind)
{
    if (kind == PageKind::Unknown)
        kind = kindFromExtension(fileName);
    try {
        return copiedPage(workspace, binder, fileName, kind);
    } catch (const FileError &error) {
        reportFileError(workspace.dialogs,
                        QCoreApplication::translate("PageImport", "Import Error"),
                        QCoreApplication::translate(
                            "PageImport", "An error occurred when trying to import the file '"),
                        fileName, error);
        return std::nullopt;
    }
}

QString importFilesStepName(int count)
{
    return QCoreApplication::translate("PageImport", "Import %1 Files").arg(count);
}

namespace {

bool importStep(Workspace &workspace, Binder &binder, const QString &fileName, PageKind kind,
                InsertPagesCommand::Show show)
{
    std::optional<PageRow> page = importedPage(workspace, binder, fileName, kind);
    if (!page)
        return false;
    auto step = std::make_unique<InsertPagesCommand>(workspace, binder, show);
    step->setText(
        pageStepName(QCoreApplication::translate("PageImport", "Import File"), page->name));
    step->add(std::move(*page));
    binder.push(std::move(step));
    return true;
}

} // namespace

bool importFile(Workspace &workspace, Binder &binder, const QString &fileName, PageKind kind)
{
    return importStep(workspace, binder, fileName, kind, InsertPagesCommand::Show::Current);
}

void chooseAndImport(Workspace &workspace, Binder &binder, PageKind kind)
{
    workspace.ui.closeSplash();
    FileDialogRequest request;
    request.title = dialogTitle(kind);
    request.filter = dialogFilter(kind);
    const QString path = workspace.dialogs.openFile(request);
    if (path.isEmpty())
        return;
    importStep(workspace, binder, path, kind, InsertPagesCommand::Show::First);
}

void importFolder(Workspace &workspace, Binder &binder)
{
    workspace.ui.closeSplash();
    const QString folder = workspace.dialogs.folder(
        QCoreApplication::translate(
            "PageImport", "Please choose a &folder to import files from.  This could take a while "
                          "if the folder contains files that are large in size."),
        QString());
    if (folder.isEmpty())
        return;
    const QDir dir(folder);
    // Only regular files: a FIFO or a device would block the import or never end.
    QStringList files;
    for (const QFileInfo &entry :
         dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted)) {
        if (entry.isFile())
            files << entry.fileName();
    }
    auto step =
        std::make_unique<InsertPagesCommand>(workspace, binder, InsertPagesCommand::Show::Current);
    {
        ProgressScope progress(workspace.ui,
                               QCoreApplication::translate("PageImport", "Importing ") + folder,
                               int(files.size()), true);
        int done = 0;
        for (const QString &file : files) {
            if (workspace.ui.progressCancelled())
                break;
            workspace.ui.processEvents();
            if (std::optional<PageRow> page =
                    importedPage(workspace, binder, dir.filePath(file), PageKind::Unknown))
                step->add(std::move(*page));
            workspace.ui.setProgress(++done);
        }
    }
    if (step->count() == 0)
        return;
    step->setText(step->count() == 1 ? QCoreApplication::translate("PageImport", "Import 1 File")
                                     : importFilesStepName(step->count()));
    binder.push(std::move(step));
}

} // namespace quillery
