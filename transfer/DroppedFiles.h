// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace quillery {

class Binder;
class Workspace;

// Files dropped on a binder's page list (local paths) become pages at a 1-based position,
// kinds by extension as Import gives them, as one step of the binder's history. Folders,
// FIFOs, devices and files that cannot be read are refused in one message naming each;
// the rest are copied with a progress window whose Cancel adds nothing at all. Returns
// how many pages were added.
int importDroppedFiles(Workspace &workspace, Binder &binder, const QStringList &paths,
                       int position);

} // namespace quillery
