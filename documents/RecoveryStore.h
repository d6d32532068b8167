// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/RecoveryFormat.h"
#include "platform/FileLock.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace quillery {

// The folder of one snapshot while a window keeps it; its lock is held for as long as
// this lives, so that no other instance offers or takes the snapshot meanwhile.
class SnapshotFolder
{
public:
    SnapshotFolder() = default;
    SnapshotFolder(const QString &path, FileLock lock) : m_path(path), m_lock(std::move(lock)) {}

    bool isValid() const { return !m_path.isEmpty(); }
    const QString &path() const { return m_path; }
    // Deletes the snapshot: its record, synced before anything else goes, its data files
    // (unlinked, never followed) and the folder. The binder files it refers to are not
    // touched.
    void remove();

private:
    QString m_path;
    FileLock m_lock;
};

struct SnapshotEntry
{
    QString folder;
    SnapshotRecord record;
    QString id() const { return folder.mid(folder.lastIndexOf(u'/') + 1); }
    // The path of a data file, or of the binder file for a source that refers to it.
    QString sourcePath(int source) const;
};

// The recovery folder, $XDG_STATE_HOME/quillery/recovery, with one folder per snapshot.
// Whatever is found there is checked before it is used: anything that is not what this
// program writes is skipped with a message, and links are never followed.
class RecoveryStore
{
public:
    static QString defaultRoot();
    explicit RecoveryStore(const QString &root = defaultRoot()) : m_root(root) {}

    const QString &root() const { return m_root; }
    // A new snapshot folder, held; the recovery folder is made (mode 0700) as needed.
    // Throws FileError.
    SnapshotFolder create() const;
    // Takes an existing snapshot's folder; throws FileError, PermissionDenied when a
    // running window keeps it.
    static SnapshotFolder claim(const QString &folder);

    // The snapshots that may be recovered now, oldest first: none that a running window
    // keeps and none whose binder another window or instance has open. What is skipped
    // for being damaged or foreign is named in problems.
    QVector<SnapshotEntry> list(QStringList &problems) const;
    // A snapshot named by its folder's name or path, checked as list checks it; throws
    // FileError naming what is wrong.
    SnapshotEntry find(const QString &nameOrPath) const;

private:
    QString m_root;
};

} // namespace quillery
