// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillery {

class Binder;
class Workspace;

// Writes the binder to fileName: the records into lump 1, every page into its lump in
// list order. The binder on disk stays as it was until the new one is complete; only then
// are the bytes of what the save replaced or removed erased from the file. On failure the
// user is told why; a file that cannot be written leads on to Save As.
bool saveBinderFile(Workspace &workspace, Binder &binder, const QString &fileName);

// The binder window's Save command: Save As for a binder that has no file yet, nothing
// for an unchanged one. True when the binder is saved afterwards.
bool saveBinder(Workspace &workspace, Binder &binder);
// The Save As command; false when the user cancels or the save fails.
bool saveBinderAs(Workspace &workspace, Binder &binder);

} // namespace quillery
