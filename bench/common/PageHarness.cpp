// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageHarness.h"

#include "documents/NewBinder.h"
#include "documents/PageKind.h"
#include "platform/FileIo.h"

namespace quillery {

PageHarness::PageHarness()
{
    makeNewBinder(workspace, binder, false);
}

int PageHarness::addPage(const QString &kind, const QByteArray &bytes)
{
    PageRow row;
    row.name = QStringLiteral("Page %1").arg(binder.pageCount() + 1);
    row.size = bytes.size();
    row.key.serial = binder.takeSerial();
    row.key.kind = StoredKind::fromName(kind);
    row.key.location = temp.createFile();
    row.key.colour = NoColour;
    fileio::writeWhole(row.key.location, bytes);
    binder.appendLoadedPages({row});
    return binder.pageCount();
}

} // namespace quillery
