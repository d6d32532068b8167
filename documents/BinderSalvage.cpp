// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/BinderSalvage.h"

#include "documents/BinderFormat.h"
#include "documents/EncryptedBinder.h"
#include "documents/FoundDirectories.h"
#include "documents/InfoRecords.h"
#include "documents/LumpArchive.h"
#include "documents/PageKind.h"
#include "documents/PageList.h"
#include "documents/PageRecognition.h"
#include "documents/PageRecords.h"
#include "platform/FileError.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>

namespace quillery {

namespace {

// How many places a page's end is looked for when only the next page can tell it.
constexpr int MostNextPageTries = 1000;

QString pagesText(qint64 first, qint64 last)
{
    return first == last ? QStringLiteral("page %1").arg(first)
                         : QStringLiteral("pages %1 to %2").arg(first).arg(last);
}

// The whole file, mapped for reading only: nothing is ever written through it.
class MappedFile
{
public:
    explicit MappedFile(const QString &path) : m_file(path)
    {
        if (!m_file.open(QIODevice::ReadOnly))
            throw FileError(FileError::FileNotFound,
                            path + QStringLiteral(": ") + m_file.errorString());
        const qint64 size = m_file.size();
        const uchar *data = size > 0 ? m_file.map(0, size) : nullptr;
        if (size > 0 && !data)
            throw FileError(FileError::DeviceIo,
                            path + QStringLiteral(": ") + m_file.errorString());
        m_bytes = QByteArrayView(reinterpret_cast<const char *>(data), size);
    }
    QByteArrayView bytes() const { return m_bytes; }

private:
    QFile m_file;
    QByteArrayView m_bytes;
};

struct Range
{
    qint64 offset;
    qint64 length;
    qint64 owner; // page position; 0 for the records, -1 for the directory
    qint64 end() const { return offset + length; }
};

QString ownerText(qint64 owner)
{
    if (owner == 0)
        return QStringLiteral("the records'");
    if (owner < 0)
        return QStringLiteral("the directory's");
    return QStringLiteral("page %1's").arg(owner);
}

// The pages of a directory that lie whole in the file, apart from the records, the
// directory and one another. Two pages may share the very same bytes (a page pasted
// within its binder keeps them), but a page that partly covers another is damage.
Salvage fromDirectory(QByteArrayView bytes, const FoundDirectory &directory)
{
    Salvage salvage;
    salvage.source = directory.fromHeader
                         ? QStringLiteral("the directory its header names")
                         : QStringLiteral("a directory found at byte %1").arg(directory.at);
    const Lump &records = directory.entries.first();
    salvage.records = bytes.sliced(records.offset, records.length).toByteArray();
    salvage.pageCount = directory.count - 1;

    std::vector<Range> ranges{{records.offset, records.length, 0},
                              {directory.at, directory.entries.size() * DirectoryEntrySize, -1}};
    for (qint64 position = 1; position < directory.entries.size(); ++position) {
        const Lump &lump = directory.entries.at(position);
        if (lump.offset < ArchiveHeaderSize || lump.offset + lump.length > bytes.size()) {
            salvage.lost << QStringLiteral("page %1: its %2 bytes at byte %3 lie outside the file")
                                .arg(position)
                                .arg(lump.length)
                                .arg(lump.offset);
            continue;
        }
        if (lump.name.isEmpty()) {
            salvage.lost
                << QStringLiteral("page %1: its directory entry has no kind").arg(position);
            continue;
        }
        ranges.push_back({lump.offset, lump.length, position});
    }
    std::stable_sort(ranges.begin(), ranges.end(),
                     [](const Range &a, const Range &b) { return a.offset < b.offset; });
    std::vector<bool> overlapping(directory.entries.size(), false);
    const Range *reach = nullptr; // of the ranges so far, the one that ends last
    for (const Range &range : ranges) {
        if (range.length == 0)
            continue;
        if (reach && range.offset < reach->end() &&
            !(range.offset == reach->offset && range.length == reach->length)) {
            if (range.owner > 0) {
                overlapping[range.owner] = true;
                salvage.lost << QStringLiteral("page %1: its bytes overlap %2")
                                    .arg(range.owner)
                                    .arg(ownerText(reach->owner));
            }
            continue;
        }
        if (!reach || range.end() > reach->end())
            reach = &range;
    }
    for (const Range &range : ranges) {
        if (range.owner > 0 && !overlapping[range.owner])
            salvage.pages.append(
                {range.owner, directory.entries.at(range.owner).name, range.offset, range.length});
    }
    std::sort(salvage.pages.begin(), salvage.pages.end(),
              [](const SalvagedPage &a, const SalvagedPage &b) { return a.position < b.position; });
    if (directory.entries.size() < directory.count)
        salvage.lost << pagesText(directory.entries.size(), directory.count - 1) +
                            QStringLiteral(": not in what is left of the directory");
    return salvage;
}

// Where the records written first in a binder end: after the last page's last record,
// which a save writes last. -1 when the file ends first.
qint64 recordsEnd(QByteArrayView bytes, qint64 &pages)
{
    pages = -1;
    QByteArray lastKey;
    for (qint64 at = ArchiveHeaderSize; at < bytes.size();) {
        const qsizetype end = bytes.indexOf('\n', at);
        if (end < 0)
            return -1;
        const QByteArrayView line = bytes.sliced(at, end - at);
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0 || line.contains('\0'))
            return -1;
        const QByteArrayView key = line.first(equals);
        at = end + 1;
        if (key == "Pages") {
            pages = storedPageCount(line.toByteArray());
            lastKey = "Comments" + QByteArray::number(pages);
        }
        if (pages == 0 || (pages > 0 && key == lastKey))
            return at;
    }
    return -1;
}

// Where the page that starts at `at` (of no recognised format) ends: where the next
// recognised page begins. In a file cut short, the next page may be cut too: then where
// data of a recognised format begins at all. -1 when none is found before bound.
qint64 nextRecognisedStart(QByteArrayView bytes, qint64 at, qint64 bound, bool cut)
{
    static const QByteArrayView starts[] = {"{\\rtf", "\x89PNG\r\n\x1a\n", "\xFF\xD8\xFF", "GIF8",
                                            "RIFF"};
    const QByteArrayView area = bytes.first(bound);
    qint64 firstStart = -1;
    qint64 from = at + 1;
    for (int tries = 0; tries < MostNextPageTries; ++tries) {
        qint64 nearest = -1;
        for (QByteArrayView start : starts) {
            const qsizetype found = area.indexOf(start, from);
            if (found >= 0 && (nearest < 0 || found < nearest))
                nearest = found;
        }
        if (nearest < 0)
            break;
        if (recogniseData(area, nearest))
            return nearest;
        if (firstStart < 0)
            firstStart = nearest;
        from = nearest + 1;
    }
    return cut ? firstStart : -1;
}

QByteArray guessedKind(QByteArrayView data, const QString &name)
{
    if (name.contains(u'.'))
        return kindString(kindFromExtension(name)).toLatin1();
    if (data.contains('\0'))
        return "FILE";
    return data.trimmed().startsWith("<") ? "HTML" : "TXT";
}

// A binder written whole lies back to back: header, records, pages, directory. With the
// directory gone, each page is found where the one before it ends, as far as the data
// tells where it ends (or, for the last page, the directory's place in the header).
Salvage fromPageData(QByteArrayView bytes)
{
    qint64 pages = -1;
    const qint64 pagesStart = bytes.startsWith(BinderHeader) ? recordsEnd(bytes, pages) : -1;
    if (pagesStart < 0)
        throw FileError::damaged(
            QStringLiteral("neither a directory nor a whole set of records is left"));
    Salvage salvage;
    salvage.source = QStringLiteral("the pages' data, since no directory is left");
    salvage.records = bytes.sliced(ArchiveHeaderSize, pagesStart - ArchiveHeaderSize).toByteArray();
    salvage.pageCount = pages;

    const qint64 directoryAt = qFromLittleEndian<quint32>(bytes.data() + 8);
    const bool headerFits = qFromLittleEndian<quint32>(bytes.data() + 4) == pages + 1 &&
                            directoryAt >= pagesStart && directoryAt <= bytes.size();
    const qint64 bound = headerFits ? directoryAt : bytes.size();

    PageRecords records(pages);
    InfoRecords().loadText(salvage.records, records.divert());
    qint64 at = pagesStart;
    qint64 firstGuess = -1;
    for (qint64 position = 1; position <= pages; ++position) {
        const QString name = records.takePage(int(position)).name;
        qint64 end = -1;
        QByteArray kind;
        const bool lastBeforeDirectory = headerFits && position == pages;
        if (lastBeforeDirectory) {
            end = bound;
        } else if (const auto data = recogniseData(bytes.first(bound), at)) {
            end = data->end;
            kind = kindString(data->kind).toLatin1();
            // Rich text files often end with a line break after their last brace; it
            // belongs to them unless the next page visibly starts at the brace.
            qint64 after = end;
            while (after < bound && (bytes[after] == '\r' || bytes[after] == '\n'))
                ++after;
            if (data->kind == PageKind::RTF && after != end &&
                !(headerFits && position + 1 == pages) && !recogniseData(bytes.first(bound), end))
                end = after;
        } else if ((end = nextRecognisedStart(bytes, at, bound, !headerFits)) >= 0) {
            if (firstGuess < 0)
                firstGuess = position;
            salvage.guessed << QStringLiteral(
                                   "page %1: its end was taken from where page %2 begins")
                                   .arg(position)
                                   .arg(position + 1);
        }
        if (end < 0) {
            // With the directory's place known, pages that fail to reach it show that a
            // guessed end swallowed pages, which puts every later page in a wrong place.
            const qint64 firstLost = headerFits && firstGuess > 0 ? firstGuess : position;
            salvage.lost << pagesText(firstLost, pages) +
                                QStringLiteral(": could not be told apart without the directory");
            salvage.pages.resize(firstLost - 1);
            if (firstLost < position)
                salvage.guessed.clear();
            break;
        }
        if (kind.isEmpty()) {
            const std::optional<RecognisedData> data = recogniseData(bytes.first(end), at);
            kind = data && data->end == end ? kindString(data->kind).toLatin1()
                                            : guessedKind(bytes.sliced(at, end - at), name);
        }
        salvage.pages.append({position, kind, at, end - at});
        at = end;
    }
    return salvage;
}

} // namespace

Salvage findSalvage(const QString &path)
{
    if (isEncryptedBinderFile(path))
        throw FileError(FileError::InvalidFormat,
                        QStringLiteral("%1 is an encrypted binder, which cannot be salvaged: its "
                                       "pages can only be read whole with its passphrase")
                            .arg(path));
    const MappedFile file(path);
    const QVector<FoundDirectory> directories = findDirectories(file.bytes());
    const auto complete = std::find_if(directories.begin(), directories.end(),
                                       [](const FoundDirectory &d) { return d.complete(); });
    if (complete != directories.end())
        return fromDirectory(file.bytes(), *complete);
    if (directories.isEmpty())
        return fromPageData(file.bytes());
    // A directory cut short still holds the first pages' places; the data may tell more.
    Salvage partial = fromDirectory(file.bytes(), directories.first());
    try {
        Salvage found = fromPageData(file.bytes());
        if (found.pages.size() > partial.pages.size())
            return found;
    } catch (const FileError &) {
        // nothing more to find than the directory gave
    }
    return partial;
}

LumpArchive salvagedArchive(const Salvage &salvage, const QString &path)
{
    const qint64 lastPosition = salvage.pages.isEmpty() ? 0 : salvage.pages.last().position;
    PageRecords pageRecords(lastPosition);
    InfoRecords records;
    records.loadText(salvage.records, pageRecords.divert());
    if (!records.contains(RecordKey::Title))
        records.write(RecordKey::Title, QFileInfo(path).completeBaseName());
    const QString background =
        records.value(RecordKey::RichBackground, QStringLiteral("-2147483643"));

    LumpArchive archive(BinderHeader);
    archive.setLumpCount(int(salvage.pages.size()) + 1);
    archive.setLumpName(1, RecordsLump);
    QVector<PageRow> rows;
    rows.reserve(salvage.pages.size());
    for (const SalvagedPage &page : salvage.pages) {
        PageRecords::Page stored = pageRecords.takePage(int(page.position));
        PageRow &row = rows.emplace_back();
        row.name = stored.name == InfoRecords::NotFound
                       ? QStringLiteral("Page %1").arg(page.position)
                       : std::move(stored.name);
        row.created = std::move(stored.created);
        row.modified = std::move(stored.modified);
        row.comments =
            stored.comments == InfoRecords::NotFound ? QString() : std::move(stored.comments);
        row.key.colour =
            stored.colour == InfoRecords::NotFound
                ? colourField(kindFromString(QString::fromLatin1(page.kind)), background)
                : std::move(stored.colour);
        const int lump = int(rows.size()) + 1;
        archive.setLumpName(lump, page.kind);
        archive.setLumpData(lump, FileRange{path, page.offset, page.length});
    }
    records.remove(RecordKey::Pages);
    records.write(RecordKey::Pages, qint64(rows.size()));
    QByteArray text = records.toText();
    PageRecords::appendText(text, rows);
    archive.setLumpData(1, text);
    return archive;
}

void writeSalvage(const Salvage &salvage, const QString &path, const QString &target)
{
    salvagedArchive(salvage, path).write(target);
}

bool isDamagedBinder(const QString &path)
{
    if (isEncryptedBinderFile(path))
        return false;
    try {
        LumpArchive archive(BinderHeader);
        archive.open(path);
        if (archive.lumpCount() < 1 || archive.lump(1).name != RecordsLump)
            return true;
        const Lump &records = archive.lump(1);
        const qint64 pages =
            storedPageCount(LumpArchive::readBytes(path, records.offset, records.length));
        return pages < 0 || pages > archive.lumpCount() - 1;
    } catch (const FileError &error) {
        return error.number() == FileError::InvalidFormat || error.number() == FileError::PastEnd;
    }
}

} // namespace quillery
