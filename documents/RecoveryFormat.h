// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

namespace quillery {

// A recovery snapshot keeps the unsaved state of one binder window in a folder of its own
// under the recovery folder:
//
//   lock      held open and locked by the window that keeps the snapshot, so that a
//             snapshot of a running window is never offered for recovery
//   snapshot  the record: a lump archive with the header "QRS1" and three lumps
//               RECOVERY  text records (see the keys in RecoveryFormat.cpp): the binder's
//                         path, title, when it was taken, the binder file as it was
//                         then, and the data files the pages are read from
//               QUILLERY  the binder's records, as lump 1 of a binder file holds them
//               PAGES     the page table, 32 bytes a page in list order: the data file
//                         (1-based, 0 for a page without data), 4 bytes of zero, offset
//                         and length in it, and the page kind in 8 bytes, NUL-padded;
//                         all numbers little-endian
//   d...      a hard link to, or a copy of, a file that pages are read from: the
//             binder's working copy, or a page's own data file
//   e...      the text of an open page editor, as the page it would save
//   c...      for an encrypted binder, its only data file: the whole binder as a save
//             would write it, encrypted with the binder's key; the record then keeps
//             no title, records or page table, and says it is sealed
//
// A data file never changes once written: a new snapshot adds the files it needs, then
// replaces the record by rename, and only then removes what the old record used, so a
// crash at any point leaves a complete snapshot.

// Who a file is: enough to tell that a binder file was replaced or rewritten since.
struct FileIdentity
{
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedSeconds = 0;
    qint64 modifiedNanoseconds = 0;

    bool operator==(const FileIdentity &other) const = default;
    QString toText() const;
    static std::optional<FileIdentity> fromText(const QString &text);
    // The file at path as it is now; none when missing.
    static std::optional<FileIdentity> of(const QString &path);
};

struct SnapshotPage
{
    int source = 0; // 1-based into SnapshotRecord::sources; 0: the page has no data
    qint64 offset = 0;
    qint64 length = 0;
    QByteArray kind;
};

struct SnapshotRecord
{
    static const QString LockName;   // "lock"
    static const QString RecordName; // "snapshot"

    QString binderPath; // empty for a binder that was never saved
    QString title;
    QDateTime taken;
    int changedPages = 0; // pages whose data differs from the binder file
    bool isProtected = false;
    // The binder file as the window last opened or saved it; none when that was not
    // known to be what the path named when the snapshot was taken.
    std::optional<FileIdentity> binderFile;
    // The data files, by name in the snapshot's folder; an empty name is the binder file
    // itself, whose unchanged pages are then read from it where it lies.
    QStringList sources;
    // Each data file as it was written or linked, none for the binder file. A link to the
    // binder's working copy changes when a save erases replaced bytes in it: its pages
    // are then no longer what the snapshot took.
    QVector<std::optional<FileIdentity>> sourceFiles;
    int workingCopy = 0; // the source of the pages unchanged since the last save, 0: none
    QByteArray records;
    QVector<SnapshotPage> pages;
    bool sealed = false; // the pages and records are in source 1, encrypted
    int sealedPageCount = 0;

    int pageCount() const { return sealed ? sealedPageCount : int(pages.size()); }

    QByteArray recoveryText() const;
    QByteArray pageTable() const;
    // The lumps as written by writeRecord, checked: throws FileError for a record that
    // does not hold together (a name that is not a plain file name, a page outside the
    // sources, an unknown format).
    static SnapshotRecord fromLumps(const QByteArray &recovery, const QByteArray &records,
                                    const QByteArray &pageTable);
    // Whether the binder file is no longer the one the snapshot's pages were taken from.
    bool binderChangedOnDisk() const;
    // Whether the data file of a source (1-based), at path, is no longer as it was kept.
    bool sourceChanged(int source, const QString &path) const;

    // Writes the record into the folder under RecordName, crash-safe (temporary name,
    // sync, rename, sync of the folder).
    void write(const QString &folder) const;
    // Reads the record of a folder; throws FileError naming what is wrong.
    static SnapshotRecord read(const QString &folder);
};

// Whether name can be a data file of a snapshot: a plain name the writer makes.
bool isSnapshotDataName(const QString &name);

} // namespace quillery
