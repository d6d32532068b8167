// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/ArchiveWriting.h"
#include "documents/LumpArchive.h"

#include <QVector>

namespace quillery {

class Binder;
class Workspace;

// Makes the file just written the binder's own: its lock, its pages read from it (so that
// the next save can append to it), its companion files, its name in the title and the
// recent files, and the binder saved. written is where each lump went.
void takeOverSavedFile(Workspace &workspace, Binder &binder, const QString &fileName,
                       WrittenArchive saved, const QVector<Lump> &written);

} // namespace quillery
