#include "options/EditLaunch.h"

#include "documents/Binder.h"
#include "documents/ErrorReport.h"
#include "documents/FileError.h"
#include "documents/Interaction.h"
#include "documents/PageKind.h"
#include "documents/Workspace.h"
#include "platform/Dialogs.h"
#include "platform/FileIo.h"
#include "platform/RunDoc.h"
#include "platform/TempFolder.h"
#include "shell/GeneralDate.h"
#include "shell/Orde.h"
#include "transfer/PageExport.h"

namespace quillery {

namespace {

QString withExtension(const QString &name, const QString &extension)
{
    return name.endsWith(extension, Qt::CaseInsensitive) ? name : name + extension;
}

// Gives the current page the edited file's bytes as its new content.
void takeBack(Workspace &workspace, Binder &binder, const QString &edited)
{
    const QString copy = workspace.temp.TempFileName();
    try {
        fileio::copyFile(edited, copy);
    } catch (const FileError &) {
        fileio::removeIfExists(copy);
        throw;
    }
    workspace.temp.AddTempFile(copy);
    const int position = binder.CurIndex();
    PageRow row = binder.page(position);
    row.key.serial = binder.takeSerial();
    row.key.offset = -1;
    row.key.length = -1;
    row.key.location = copy;
    row.modified = generalDate(QDateTime::currentDateTime());
    row.size = fileio::fileSize(copy);
    binder.pages.replace(position - 1, row);
    binder.setChanged(true);
}

void launch(Workspace &workspace, Binder &binder, const PageRow &page)
{
    const QString path =
        ExpBin(workspace, binder, editFileName(page.name, page.key.kind), 0, false, true);
    if (path.isEmpty())
        throw FileError(75, QStringLiteral("Path/File access error"));
    const QString stamp = Orde::FileModified(path);
    if (!RunDoc(path))
        throw FileError(53, QStringLiteral("No program could be found to open this page"));
    workspace.dialogs.message(
        MsgIcon::Information, MsgButtons::Ok, QStringLiteral("Page Editing - Quillery"),
        QStringLiteral("Click OK when you are ready to return to Quillery.  Please make sure "
                       "you have saved the file you are working on and that the program is "
                       "closed."));
    if (Orde::FileModified(path) == stamp)
        return;
    if (workspace.dialogs.message(MsgIcon::Question, MsgButtons::YesNo,
                                  QStringLiteral("Save Page Changes"),
                                  QStringLiteral("Do you want to save the changes you made to "
                                                 "the page '") +
                                      page.name + QStringLiteral("'?")) == MsgResult::Yes)
        takeBack(workspace, binder, path);
}

} // namespace

QString editFileName(const QString &pageName, const QString &kind)
{
    switch (kindFromString(kind)) {
    case PageKind::RTF:
        return withExtension(pageName, QStringLiteral(".rtf"));
    case PageKind::TXT:
        return withExtension(pageName, QStringLiteral(".txt"));
    case PageKind::HTML: {
        const QString ext = pageName.mid(pageName.lastIndexOf(u'.')).toLower();
        const bool webName =
            pageName.contains(u'.') && (ext == u".htm" || ext == u".html" || ext == u".php");
        return webName ? pageName : pageName + QStringLiteral(".htm");
    }
    default:
        return pageName;
    }
}

void EditLaunch(Workspace &workspace, Binder &binder)
{
    if (!binder.hasPage(0))
        return;
    workspace.ui.closeSplash();
    const PageRow page = binder.page(0);
    try {
        BusyScope busy(workspace.ui);
        launch(workspace, binder, page);
    } catch (const FileError &error) {
        reportFileError(workspace.dialogs, QStringLiteral("Page Editing Error"),
                        QStringLiteral("An error occurred when attempting to launch the page '"),
                        page.name, error);
    }
}

} // namespace quillery
