// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quillery {

class Binder;
class Settings;

// How the main window lays out the binder windows.
enum class Arrangement { Cascade, TileHorizontally, TileVertically, ArrangeIcons };

// The main window's commands that binder windows' menus offer too, so that each behaves
// the same from either menu bar.
class ShellCommands
{
public:
    virtual ~ShellCommands() = default;
    virtual void mnuNew_Click() = 0;
    virtual void mnuOpen_Click() = 0;
    virtual void mnuRF_Click() = 0;
    virtual void mnuFileAuthorName_Click() = 0;
    virtual void mnuContents_Click() = 0;
    virtual void mnuAbout_Click() = 0;
    virtual void mnuSF_Click() = 0;
    virtual void mnuExit_Click() = 0;
    virtual void Arrange(Arrangement arrangement) = 0;
    // Shows the scanner window modally for the binder.
    virtual void showScanner(Binder &binder) = 0;
    // Shows the Options dialog modally for the binder.
    virtual void mnuEditOptions_Click(Binder &binder) = 0;
    // Edits the binder's current page; the main window hides while another program has it.
    virtual void editPage(Binder &binder) = 0;
    // The user's settings, for what a binder window's dialogs remember.
    virtual Settings &settings() = 0;
};

} // namespace quillery
