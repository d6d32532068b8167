// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileIo.h"

#include <QString>
#include <QStringList>

#include <map>
#include <memory>

namespace quillery {

// The per-user private folder for working copies, page data and scratch files, and the
// registry of temporary files that are deleted when the program ends.
class TempFolder
{
public:
    // Makes (or checks) the folder; throws FileError when it cannot be made or is not
    // safe to use (a link, someone else's, open to others).
    explicit TempFolder(const QString &path = defaultPath(),
                        const QString &prefix = QStringLiteral("QL"));

    // A folder whose files are memory files (platform/MemoryFile.h): it has no path, and
    // its files go when they are deleted or the last copy of the folder is destroyed.
    static TempFolder inMemory();

    // QDir::tempPath() + "/Quillery-" + the user id.
    static QString defaultPath();

    const QString &path() const { return m_path; }
    QString filePath(const QString &name) const;

    // A new, empty file in the folder that no other file there has.
    QString createFile() const;
    // A folder registered after its files is removed with them.
    void registerFile(const QString &path);
    // Takes a memory file made elsewhere into a folder in memory, registered; its path.
    QString adopt(UniqueFd memoryFile);
    // Deletes one registered file now and forgets it; false, deleting nothing, when the
    // path was never registered.
    bool deleteFile(const QString &path);
    // Deletes every registered file; files that are already gone are skipped.
    void deleteRegistered();
    const QStringList &registered() const { return m_files; }
    // Whether path is a file of this folder.
    bool holds(const QString &path) const;

private:
    struct InMemory
    {
    };
    explicit TempFolder(InMemory) {}

    // The open memory files by path; none for a folder on disk.
    std::shared_ptr<std::map<QString, UniqueFd>> m_memory;
    QString m_path;
    QString m_prefix;
    QStringList m_files;
};

} // namespace quillery
