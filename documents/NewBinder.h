// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quillery {

class Binder;
class Workspace;

// Makes the binder an empty, untitled one with its default records, and with one new
// rich text page "Page 1" when addPage is true.
void makeNewBinder(Workspace &workspace, Binder &binder, bool addPage);

// True for the untouched blank binder made at start-up, while the start-up windows are
// still around: the caller passes how many of the program's windows are loaded.
bool isUntouchedNewBinder(const Binder &binder, int loadedWindows);

// Drops the per-page records, which live in the page list while a binder is open.
void dropPageRecords(Binder &binder);

} // namespace quillery
