// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillery {

class Workspace;

// After a binder failed to open: when it is damaged, offers to write the pages that can
// still be read into a new binder, named in a save dialog, and says which pages could
// not be saved. Returns the new binder's path, or nothing when there is none.
QString offerRescue(Workspace &workspace, const QString &path);

} // namespace quillery
