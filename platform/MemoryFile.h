// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileIo.h"

#include <QString>

namespace quillery {

// Files in memory with no name in any folder (memfd): nothing of them outlives the
// process, however it ends, and they need no runtime folder. The process reaches one by
// its path under /proc/self/fd for as long as the descriptor stays open; programs it
// starts do not inherit it.
UniqueFd createMemoryFile(const QString &name);
QString memoryFilePath(int fd);
// Forbids any further change to the file's bytes or size, where the kernel allows it.
void sealMemoryFile(int fd);

} // namespace quillery
