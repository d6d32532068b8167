// SPDX-License-Identifier: GPL-3.0-or-later
#include "LargeBinder.h"

#include "Noise.h"

#include "documents/Binder.h"
#include "documents/BinderSaver.h"
#include "documents/NewBinder.h"
#include "documents/PageKind.h"
#include "documents/Workspace.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/GeneralDate.h"
#include "platform/TempFolder.h"
#include "transfer/BinderOpener.h"

#include <QDateTime>
#include <QFile>

#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace quillery {

void writeLargeBinder(Workspace &workspace, int pages, qint64 totalBytes, const QString &folder,
                      const QString &target)
{
    const QString source = folder + QStringLiteral("/pages.dat");
    bench::writeNoise(source, totalBytes);
    static const PageKind kinds[] = {PageKind::RTF,     PageKind::TXT,   PageKind::HTML,
                                     PageKind::PICTURE, PageKind::SOUND, PageKind::FILE};
    const QString created = generalDate(QDateTime::currentDateTime());
    {
        Binder binder;
        makeNewBinder(workspace, binder, false);
        QVector<PageRow> rows;
        rows.reserve(pages);
        qint64 offset = 0;
        for (int i = 0; i < pages; ++i) {
            // Spread the remainder so that the pages add up to the total exactly.
            const qint64 end = totalBytes * (i + 1) / pages;
            const PageKind kind = kinds[i % 6];
            PageRow row;
            row.name = QStringLiteral("Page %1").arg(i + 1);
            row.created = created;
            row.modified = QStringLiteral("Never");
            row.size = end - offset;
            row.comments = QStringLiteral("Comment on page %1").arg(i + 1);
            row.key.serial = binder.takeSerial();
            row.key.offset = offset;
            row.key.length = end - offset;
            row.key.kind = StoredKind(kind);
            row.key.location = u'|' + source;
            row.key.colour = colourField(kind, QStringLiteral("-2147483643"));
            rows.append(row);
            offset = end;
        }
        binder.appendLoadedPages(std::move(rows));
        if (!saveBinderFile(workspace, binder, target))
            throw FileError(FileError::DeviceIo, QStringLiteral("could not save ") + target);
    }
    fileio::removeIfExists(source);
}

std::unique_ptr<Binder> openMade(Workspace &workspace, const QString &path)
{
    workspace.temp.deleteRegistered();
    auto binder = openFile(workspace, path);
    if (!binder)
        throw FileError(FileError::DeviceIo, QStringLiteral("cannot open ") + path);
    return binder;
}

} // namespace quillery
