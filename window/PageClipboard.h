// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillery {

class Binder;
class TempFolder;
class Workspace;

// The page clipboard: two files in the temporary folder, so that a page copied in one
// binder window pastes into any other, any number of times, until the program ends. A
// page of an encrypted binder goes to a folder of the program's own in the runtime folder
// instead, so that it never reaches a disk; only one of the two holds a page at a time.
inline const QString ClipInfoName = QStringLiteral("ClipInfo.tmp");
inline const QString ClipDataName = QStringLiteral("ClipData.tmp");

// Removes the page clipboard of encrypted binders; for the first instance of the program
// to start and the last to end, since only a running instance could paste it.
void removeMemoryClipboard();

// The folder that holds the page clipboard now; empty when there is no page to paste.
QString pageClipboardFolder(const TempFolder &temp);

// Copies the page at a 1-based position to the page clipboard. A copy that fails leaves
// the page copied before in place, says so and returns false.
bool copyPage(Workspace &workspace, Binder &binder, int position);
// Copies the page and, once the copy is safe, removes it without asking.
void cutPage(Workspace &workspace, Binder &binder, int position);
// Adds the clipboard page as the last page. False, changing nothing, when the clipboard
// holds no page or one that cannot be read (which is reported).
bool pastePage(Workspace &workspace, Binder &binder);

} // namespace quillery
