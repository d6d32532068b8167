// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileIo.h"

#include <QString>

#include <functional>

namespace quillery {

// How the running instances of the program that share a temporary folder know of each
// other: each holds a shared lock on a lock file in the folder for as long as it runs.
// An instance that can take the lock exclusively is alone.
class InstanceLock
{
public:
    static const QString FileName; // "Instances.lock"

    InstanceLock() = default;
    InstanceLock(InstanceLock &&) noexcept = default;
    InstanceLock &operator=(InstanceLock &&) noexcept = default;
    ~InstanceLock();

    // Joins the instances using the folder. When no other instance runs, this one is
    // first and holds the lock exclusively until shareFolder(), so that it can tidy the
    // folder undisturbed; others wait for that. Throws FileError when the lock file
    // cannot be opened or locked.
    static InstanceLock join(const QString &folder);

    bool isHeld() const { return m_fd.valid(); }
    bool isFirst() const { return m_first; }
    // Lets other instances in.
    void shareFolder();
    // Leaves. When this is the last instance, lastOut runs while the others are still
    // kept out, the lock file is removed, and the result is true.
    bool leave(const std::function<void()> &lastOut = {});

private:
    UniqueFd m_fd;
    QString m_path;
    bool m_first = false;
};

} // namespace quillery
