// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/LumpArchive.h"

#include <QByteArrayView>
#include <QVector>

namespace quillery {

// Where an archive's lumps start, and the size of a directory entry.
constexpr qint64 ArchiveHeaderSize = 12;
constexpr qint64 DirectoryEntrySize = 16;

// A lump directory found in a damaged binder file: the one its header names, or an
// earlier one that an in-place save left behind when it was cut short.
struct FoundDirectory
{
    qint64 at = 0;
    qint64 count = 0;      // entries it should hold
    QVector<Lump> entries; // those that lie in the file and read as entries
    bool fromHeader = false;

    bool complete() const { return entries.size() == count; }
};

// Every directory whose first entry is a records lump lying in the file, the header's
// first when it is one, then the others from the end of the file back (the newest first,
// since saves append). bytes is the whole file.
QVector<FoundDirectory> findDirectories(QByteArrayView bytes);

// The records lump's "Pages" value, or -1 when it holds none.
qint64 storedPageCount(QByteArrayView records);

} // namespace quillery
