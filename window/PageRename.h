// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

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
// HTML pages refer to style sheets by name, so a page renamed to one is put where they
// look for it, the temporary folder.
void placeIfStyleSheet(Workspace &workspace, Binder &binder, int position, const QString &name);
// The name the text gives the page as finishRename makes it; none when it gives no new one.
std::optional<QString> renamedTo(const Binder &binder, int position, const QString &oldName,
                                 const QString &text);

} // namespace quillery
