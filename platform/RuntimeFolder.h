// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillery {

// The user's runtime folder ($XDG_RUNTIME_DIR), the one place where plain data that must
// never reach a disk may be kept: it has to be set, a real folder of this user that
// nobody else may enter (mode 0700), on a memory file system. Throws FileError saying
// which of these fails; a folder on a disk is refused too, since what is written there
// stays on the disk.
QString privateRuntimeFolder();

// A new folder of its own (mode 0700) inside the runtime folder, named prefix, this
// process's tag, "-" and six random characters.
QString makeRuntimeSubfolder(const QString &prefix);

// Removes the folders makeRuntimeSubfolder made with prefix for processes that are gone
// (killed, so they could not remove them); the folders of running processes stay. Does
// nothing where there is no usable runtime folder.
void removeStaleRuntimeFolders(const QString &prefix);

} // namespace quillery
