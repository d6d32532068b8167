// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillery {

class Binder;
class Workspace;

// Appends every page of another binder file, asked for with a file dialog, behind the
// binder's pages, with names, times, comments, colours, kinds and data. The other
// binder's own settings are not taken over.
void importBinder(Workspace &workspace, Binder &binder);
// The same for a known file; false when nothing was added because of an error or a
// cancelled password prompt.
bool importBinderFile(Workspace &workspace, Binder &binder, const QString &fileName);

} // namespace quillery
