// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/PageKind.h"

#include <functional>

namespace quillery {

class Binder;
class Workspace;

// The page list's commands that add, delete and reorder pages. Positions are 1-based;
// each change is a step of the binder's history; the windows follow the binder.

// Adds a page of the kind as the last page: an empty rich text, plain text or HTML page
// that editNewPage then opens for editing, or a picture, sound or other file the user picks.
void addPage(Workspace &workspace, Binder &binder, PageKind kind,
             const std::function<void()> &editNewPage);

// Asks whether to delete the page at position (the selected row) and on Yes removes it.
// The questions here are asked unless the user turned them off (workspace.confirmDeletes).
void deletePage(Workspace &workspace, Binder &binder, int position);
// Removes the page at position without asking, as a step named for the action ("Cut
// Page 'Letter'"); the first remaining page becomes current.
void removePage(Workspace &workspace, Binder &binder, int position, const QString &action);
// Asks whether to delete every page and on Yes removes them all.
void deleteAllPages(Workspace &workspace, Binder &binder);

enum class MoveDirection { Up, Down };
// Moves the page at position one place up or down, where it becomes the current page.
// Nothing moves past either end of the list.
void movePage(Binder &binder, int position, MoveDirection direction);

} // namespace quillery
