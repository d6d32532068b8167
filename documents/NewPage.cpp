// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/NewPage.h"

#include "documents/Binder.h"
#include "documents/BinderFormat.h"
#include "documents/PageCommands.h"
#include "documents/Workspace.h"
#include "platform/FileIo.h"
#include "platform/GeneralDate.h"
#include "platform/TempFolder.h"
#include <QCoreApplication>

namespace quillery {

PageRow emptyPage(Binder &binder, PageKind kind)
{
    PageRow row;
    row.name = QStringLiteral("Page %1").arg(binder.pageCount() + 1);
    row.created = generalDate(QDateTime::currentDateTime());
    row.modified = QStringLiteral("Never");
    row.key.serial = binder.takeSerial();
    row.key.kind = StoredKind(kind);
    row.key.colour = colourField(kind, binder.records().value(RecordKey::RichBackground));
    return row;
}

void addEmptyPage(Workspace &workspace, Binder &binder, PageKind kind)
{
    auto step =
        std::make_unique<InsertPagesCommand>(workspace, binder, InsertPagesCommand::Show::First);
    step->add(emptyPage(binder, kind));
    step->setText(QCoreApplication::translate("NewPage", "Add Page"));
    binder.push(std::move(step));
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

} // namespace quillery
