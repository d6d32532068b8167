#pragma once

#include "platform/FileIo.h"

#include <QString>

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
    // has it locked).
    static FileLock acquire(const QString &path);
    // True when some other open file description holds a lock on the file.
    static bool isHeldElsewhere(const QString &path);

    bool isHeld() const { return m_fd.valid(); }
    const QString &path() const { return m_path; }
    // True when this lock is on the very file that path names now.
    bool covers(const QString &path) const;
    void release();

private:
    UniqueFd m_fd;
    QString m_path;
};

} // namespace quillery
