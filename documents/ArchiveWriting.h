// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileLock.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace quillery {

class BinderKey;
class LumpArchive;

// How a save puts a binder's archive on disk.
enum class SaveWay {
    Rewrite,   // a new file, renamed over the old one once complete
    InPlace,   // appended to the binder file, rewritten where an append does not do
    Encrypted, // a new file, encrypted as it is written: its plain form is written nowhere
};

struct ArchiveTarget
{
    QString fileName;
    SaveWay way = SaveWay::Rewrite;
    std::shared_ptr<const BinderKey> key; // for SaveWay::Encrypted
    // Called once an in-place append has turned the archive, before the bytes it no longer
    // uses are erased; on the thread that writes.
    std::function<void()> beforeErase;
};

// What writing left for the binder: the lock of the new file (none after an in-place
// append, whose file the binder holds already) and, when the new file could not keep the
// old one's group, a warning saying so.
struct WrittenArchive
{
    std::optional<FileLock> lock;
    QString groupWarning;
};

// Writes the archive to the target. It touches only files, never the binder, so that it
// can run on a thread of its own. A failure throws FileError and leaves the file as it was.
WrittenArchive writeArchive(LumpArchive &archive, const ArchiveTarget &target);

} // namespace quillery
