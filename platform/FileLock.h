// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileIo.h"

#include <QString>

#include <sys/stat.h>

namespace quillery {

// Holds a binder file open with an exclusive open-file-description lock for as long
// as its window has it. Other instances (and other windows of this one) that try to
// take the same lock fail, which is how a binder in use by someone else is detected.
class FileLock
{
public:
    FileLock() = default;
    FileLock(FileLock &&) noexcept = default;
    FileLock &operator=(FileLock &&) noexcept = default;

    // Opens and locks the file; throws FileError (PermissionDenied when another holder
    // has it locked; BadFileName for anything but a regular file, which is never waited on).
    static FileLock acquire(const QString &path);
    // True when some other open file description holds a lock on the file.
    static bool isHeldElsewhere(const QString &path);
    static bool isHeldElsewhere(int fd);

    bool isHeld() const { return m_fd.valid(); }
    // Held against writers and readers alike: taken on a file this user may write.
    bool isWriteLock() const { return isHeld() && m_writeLock; }
    const QString &path() const { return m_path; }
    // True when this lock is on the very file that path names now.
    bool covers(const QString &path) const;
    // True while the file the lock was taken on, or last noted, is still what its path
    // names, unchanged in size and modification time: no other program replaced or
    // rewrote it.
    bool unchangedOnDisk() const;
    // Takes the file at path (the lock's file, which a save may have renamed there) as it
    // is now as the one saved by this program.
    void noteSaved(const QString &path);
    // Takes the file as one this program did not write, so that the next save asks
    // before replacing it.
    void forgetSaved() { m_identity = {}; }
    void release();

private:
    struct Identity
    {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        struct timespec modified = {};
        bool operator==(const Identity &other) const;
    };
    static bool identityOf(const QString &path, Identity &identity);

    UniqueFd m_fd;
    bool m_writeLock = false;
    QString m_path;
    Identity m_identity;
};

} // namespace quillery
