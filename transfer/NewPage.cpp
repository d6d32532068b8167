#include "transfer/NewPage.h"

#include "documents/Binder.h"
#include "documents/BinderUi.h"
#include "documents/Workspace.h"
#include "platform/FileIo.h"
#include "platform/TempFolder.h"
#include "shell/GeneralDate.h"

namespace quillery {

void NewIcon(Workspace &workspace, Binder &binder, PageKind kind, bool noEdit)
{
    const int position = binder.pageCount() + 1;
    binder.CurIndex = position;
    PageRow row;
    row.name = QStringLiteral("Page %1").arg(position);
    row.created = generalDate(QDateTime::currentDateTime());
    row.modified = QStringLiteral("Never");
    row.key.serial = binder.takeSerial();
    row.key.kind = kindString(kind);
    row.key.colour = kind == PageKind::RTF ? binder.CF.value(QStringLiteral("RTFBColour"))
                                           : QStringLiteral("NA");
    binder.pages.append(row);
    workspace.ui.showPage(binder);
    workspace.ui.checkMenus(binder);
    if (!noEdit)
        workspace.ui.editPage(binder);
    binder.Changed = true;
}

QString placeholderFile(const TempFolder &temp)
{
    return temp.filePath(PlaceholderName);
}

QString writeBlankHtml(const Workspace &workspace)
{
    const QString path = placeholderFile(workspace.temp);
    fileio::writeWhole(path, QByteArrayLiteral("<html></html>\n"));
    return path;
}

void BlankHTML(Workspace &workspace, Binder &binder)
{
    writeBlankHtml(workspace);
    workspace.ui.showBlankHtml(binder);
}

} // namespace quillery
