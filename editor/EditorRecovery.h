// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/RecoveryCapture.h"

namespace quillery {

class Binder;
class RichTextBox;

// The editor's text as saving the page stores it: RTF in rich mode, UTF-8 in plain mode.
EditedPage pageAsStored(int position, const RichTextBox &box, bool rich);

// Tells the binder's recovery snapshot about the page editor's text: while it has
// unsaved changes the snapshot holds it as the page it would save, and no longer once
// it is saved into the binder, discarded or closed.
void keepUnsavedEdit(Binder &binder, int position, RichTextBox &box, bool rich, bool unsaved);

} // namespace quillery
