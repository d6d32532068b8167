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
    virtual void newBinder() = 0;
    virtual void openBinder() = 0;
    virtual void showRecentFiles() = 0;
    virtual void changeAuthorName() = 0;
    virtual void showHelp() = 0;
    virtual void showAbout() = 0;
    virtual void sendFeedback() = 0;
    virtual void exit() = 0;
    virtual void arrange(Arrangement arrangement) = 0;
    // Shows the scanner window modally for the binder.
    virtual void showScanner(Binder &binder) = 0;
    // Shows the Options dialog modally for the binder.
    virtual void showOptions(Binder &binder) = 0;
    // Edits the binder's current page; the main window hides while another program has it.
    virtual void editPage(Binder &binder) = 0;
    // The user's settings, for what a binder window's dialogs remember.
    virtual Settings &settings() = 0;
};

} // namespace quillery
