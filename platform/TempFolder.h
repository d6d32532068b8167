// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

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

    // QDir::tempPath() + "/Quillery-" + the user id.
    static QString defaultPath();

    const QString &path() const { return m_path; }
    QString filePath(const QString &name) const;

    // A new, empty file in the folder that no other file there has.
    QString createFile() const;
    void registerFile(const QString &path);
    // Deletes one registered file now and forgets it; false, deleting nothing, when the
    // path was never registered.
    bool deleteFile(const QString &path);
    // Deletes every registered file; files that are already gone are skipped.
    void deleteRegistered();
    const QStringList &registered() const { return m_files; }

private:
    QString m_path;
    QString m_prefix;
    QStringList m_files;
};

} // namespace quillery
