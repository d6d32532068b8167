// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quillery {

class Binder;
class RichTextBox;

// Tells the binder's recovery snapshot about the page editor's text: while it has
// unsaved changes the snapshot holds it as the page it would save, and no longer once
// it is saved into the binder, discarded or closed.
void keepUnsavedEdit(Binder &binder, int position, RichTextBox &box, bool rich, bool unsaved);

} // namespace quillery
