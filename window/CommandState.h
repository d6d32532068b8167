// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/Command.h"

#include <QString>

#include <array>

namespace quillery {

class Binder;
class TempFolder;

// The command state of one binder window: which commands are enabled and checked, and
// the text of the pages status panel. Working it out and applying it changes nothing
// else.
struct CommandState
{
    bool isEnabled(Command command) const { return enabled[size_t(command)]; }
    bool isChecked(Command command) const { return checked[size_t(command)]; }

    std::array<bool, CommandCount> enabled{};
    std::array<bool, CommandCount> checked{};
    bool exportMenu = false; // the File menu's Export submenu
    bool viewMenu = false;   // the list background's View submenu
    // Undo and Redo name the step they take back or do again.
    QString undoCaption;
    QString redoCaption;
    // The status panels that describe the current page are emptied.
    bool clearPageStatus = false;
    QString pagesStatus; // the pages status panel
};

CommandState commandState(const Binder &binder, const ListState &list);

// Whether the page clipboard in the temporary folder holds a page to paste.
bool pageOnClipboard(const TempFolder &temp);

} // namespace quillery
