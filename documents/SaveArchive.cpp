// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/SaveArchive.h"

#include "documents/Binder.h"
#include "documents/BinderFormat.h"
#include "documents/BinderHeader.h"
#include "documents/NewBinder.h"
#include "documents/PageRecords.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>

namespace quillery {

namespace {

// The binder's records with the per-page ones written from the rows, as lump 1 holds them.
QByteArray recordsText(Binder &binder)
{
    binder.editRecords([&](InfoRecords &records) { writeLayoutRecords(records, binder); });
    QByteArray text = binder.records().toText();
    PageRecords::appendText(text, binder.pages());
    return text;
}

// A page whose data file has gone or been cut short cannot be saved: writing it empty
// or short would lose the page while reporting success.
[[noreturn]] void pageSourceLost(const PageRow &page, const QString &source)
{
    throw FileError(FileError::FileNotFound,
                    QCoreApplication::translate("BinderSaver", "The data of the page '") +
                        page.name + QCoreApplication::translate("BinderSaver", "' is missing (") +
                        source + u')');
}

[[noreturn]] void pageSourceResized(const PageRow &page, const QString &source, qint64 size)
{
    throw FileError(FileError::PastEnd,
                    QCoreApplication::translate("BinderSaver", "The data of the page '") +
                        page.name +
                        QCoreApplication::translate("BinderSaver", "' has %1 bytes instead of %2 (")
                            .arg(size)
                            .arg(page.size) +
                        source + u')');
}

// A page's data for the archive; the path of pages in a binder file is given, so that
// thousands of pages share one string, with that file's size.
LumpData pageLumpData(const PageRow &page, const QString &binderFile, qint64 binderFileSize)
{
    const PageKey &key = page.key;
    if (key.inWorkingCopy()) {
        const FileRange range{binderFile, qMax<qint64>(key.offset, 0), qMax<qint64>(key.length, 0)};
        if (range.offset > binderFileSize || range.length > binderFileSize - range.offset)
            pageSourceLost(page, binderFile);
        return range;
    }
    if (key.location.isEmpty())
        return QByteArray();
    if (!QFileInfo(key.location).isFile())
        pageSourceLost(page, key.location);
    const qint64 size = fileio::fileSize(key.location);
    if (size != page.size)
        pageSourceResized(page, key.location, size);
    return FileRange{key.location, 0, size};
}

} // namespace

LumpArchive archiveToSave(Binder &binder)
{
    const int n = binder.pageCount();
    LumpArchive archive(BinderHeader);
    archive.setLumpCount(n + 1);
    archive.setLumpName(1, RecordsLump);
    archive.setLumpData(1, recordsText(binder));
    dropPageRecords(binder);
    QString location;
    QString dataPath;
    qint64 dataSize = 0;
    QHash<QString, QByteArray> lumpNames; // one for each page kind, shared by its pages
    for (int k = 2; k <= n + 1; ++k) {
        const PageRow &page = binder.pages().at(k - 2);
        const PageKey &key = page.key;
        auto name = lumpNames.constFind(key.kind.name());
        if (name == lumpNames.constEnd())
            name = lumpNames.insert(key.kind.name(), key.kind.name().toLatin1());
        archive.setLumpName(k, *name);
        if (key.location != location) {
            location = key.location;
            dataPath = key.dataPath();
            if (key.inWorkingCopy()) {
                if (!QFileInfo(dataPath).isFile())
                    pageSourceLost(page, dataPath);
                dataSize = fileio::fileSize(dataPath);
            }
        }
        archive.setLumpData(k, pageLumpData(page, dataPath, dataSize));
    }
    return archive;
}

} // namespace quillery
