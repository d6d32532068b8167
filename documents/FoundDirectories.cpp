// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/FoundDirectories.h"

#include "documents/BinderFormat.h"

#include <QtEndian>

#include <charconv>

namespace quillery {

namespace {

// A file made of nothing but directory-shaped bytes is looked at this far and no further.
constexpr int MostCandidates = 1000;

quint32 le32(QByteArrayView bytes, qint64 at)
{
    return qFromLittleEndian<quint32>(bytes.data() + at);
}

// A stored lump name: one to eight printable characters, then NUL padding.
bool isLumpName(QByteArrayView name)
{
    qsizetype length = 0;
    while (length < name.size() && name[length] > ' ' && name[length] < 0x7F)
        ++length;
    for (qsizetype i = length; i < name.size(); ++i) {
        if (name[i] != '\0')
            return false;
    }
    return length > 0;
}

Lump entryAt(QByteArrayView bytes, qint64 at)
{
    QByteArray name = bytes.sliced(at + 8, LumpArchive::MaxNameLength).toByteArray();
    name.replace('\0', QByteArray());
    return {le32(bytes, at), le32(bytes, at + 4), name};
}

bool holdsRecords(QByteArrayView bytes, const Lump &first)
{
    return first.name == RecordsLump && first.offset >= ArchiveHeaderSize &&
           first.offset + first.length <= bytes.size();
}

QByteArrayView recordsOf(QByteArrayView bytes, const FoundDirectory &directory)
{
    const Lump &first = directory.entries.first();
    return bytes.sliced(first.offset, first.length);
}

// The header's directory, as far as the file still holds it; its entries are taken as
// they are, since the header says how many there are.
std::optional<FoundDirectory> headerDirectory(QByteArrayView bytes)
{
    if (bytes.size() < ArchiveHeaderSize || !bytes.startsWith(BinderHeader))
        return std::nullopt;
    FoundDirectory directory;
    directory.fromHeader = true;
    directory.at = le32(bytes, 8);
    directory.count = le32(bytes, 4);
    if (directory.at < ArchiveHeaderSize || directory.at + DirectoryEntrySize > bytes.size())
        return std::nullopt;
    const qint64 present =
        std::min(directory.count, (bytes.size() - directory.at) / DirectoryEntrySize);
    if (present < 1)
        return std::nullopt;
    directory.entries.reserve(present);
    for (qint64 i = 0; i < present; ++i)
        directory.entries.append(entryAt(bytes, directory.at + i * DirectoryEntrySize));
    if (!holdsRecords(bytes, directory.entries.first()))
        return std::nullopt;
    return directory;
}

// A directory found by its records entry: its records say how many entries follow, and
// each must read as one (a page lump after the header, with a lump name).
std::optional<FoundDirectory> directoryAt(QByteArrayView bytes, qint64 at)
{
    FoundDirectory directory;
    directory.at = at;
    const Lump first = entryAt(bytes, at);
    if (!holdsRecords(bytes, first) || first.offset + first.length > at)
        return std::nullopt;
    directory.entries.append(first);
    const qint64 pages = storedPageCount(recordsOf(bytes, directory));
    const qint64 room = (bytes.size() - at) / DirectoryEntrySize;
    for (qint64 i = 1; i < room && (pages < 0 || i <= pages); ++i) {
        const qint64 entry = at + i * DirectoryEntrySize;
        if (le32(bytes, entry) < ArchiveHeaderSize || !isLumpName(bytes.sliced(entry + 8, 8)))
            break;
        directory.entries.append(entryAt(bytes, entry));
    }
    directory.count = pages < 0 ? directory.entries.size() : pages + 1;
    return directory;
}

} // namespace

qint64 storedPageCount(QByteArrayView records)
{
    const QByteArrayView key = "Pages=";
    qsizetype at = key.size();
    if (!records.startsWith(key)) {
        at = records.indexOf("\nPages=");
        if (at < 0)
            return -1;
        at += key.size() + 1;
    }
    qint64 pages = -1;
    const auto [end, error] =
        std::from_chars(records.data() + at, records.data() + records.size(), pages);
    if (error != std::errc() || pages < 0 ||
        (end != records.data() + records.size() && *end != '\n'))
        return -1;
    return pages;
}

QVector<FoundDirectory> findDirectories(QByteArrayView bytes)
{
    QVector<FoundDirectory> found;
    const std::optional<FoundDirectory> header = headerDirectory(bytes);
    if (header)
        found.append(*header);
    // A records entry is the offset and length, then the name in all eight bytes.
    qsizetype from = bytes.size();
    // (Qt's lastIndexOf reads before the start when the text is shorter than what it seeks.)
    for (int tried = 0; tried < MostCandidates && from >= RecordsLump.size(); ++tried) {
        const qsizetype name = bytes.first(from).lastIndexOf(RecordsLump);
        if (name < ArchiveHeaderSize + 8)
            break;
        from = name + RecordsLump.size() - 1;
        const qint64 at = name - 8;
        if (header && at == header->at)
            continue;
        if (std::optional<FoundDirectory> directory = directoryAt(bytes, at)) {
            found.append(std::move(*directory));
            if (found.last().complete())
                break;
        }
    }
    return found;
}

} // namespace quillery
