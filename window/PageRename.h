// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillery {

class Binder;
class Workspace;

// Renaming is a label edit on a row of the page list. The window calls beginRename when
// the editor opens on the row at a 1-based position, and finishRename with the edited
// text or cancelRename (Escape) when it closes; the row's name changes only through
// finishRename.
void beginRename(Binder &binder, int position);
// Gives the row its new name and returns true, or returns false and changes nothing when
// the text is blank or names the page as it was. Picture, sound and file pages keep the
// old extension when the text has none; line breaks become spaces.
bool finishRename(Workspace &workspace, Binder &binder, int position, const QString &text);
void cancelRename(Binder &binder);

} // namespace quillery
