// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/LumpArchive.h"

namespace quillery {

class Binder;

// The archive a save writes: the binder's records in lump 1, every page in its lump in
// list order, each read from where the page is kept now. Throws FileError when a page's
// data has gone or changed size, since saving it short would lose it.
LumpArchive archiveToSave(Binder &binder);

} // namespace quillery
