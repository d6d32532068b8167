// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/NewPage.h"

#include "documents/Binder.h"
#include "documents/BinderFormat.h"
#include "documents/Workspace.h"
#include "platform/FileIo.h"
#include "platform/GeneralDate.h"
#include "platform/TempFolder.h"

namespace quillery {

void addEmptyPage(Binder &binder, PageKind kind)
{
    const int position = binder.pageCount() + 1;
    PageRow row;
    row.name = QStringLiteral("Page %1").arg(position);
    row.created = generalDate(QDateTime::currentDateTime());
    row.modified = QStringLiteral("Never");
    row.key.serial = binder.takeSerial();
    row.key.kind = StoredKind(kind);
    row.key.colour = colourField(kind, binder.records().value(RecordKey::RichBackground));
    binder.pages.append(row);
    binder.setCurrentPosition(position);
    binder.setChanged(true);
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
