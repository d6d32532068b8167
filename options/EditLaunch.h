// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QWidget;

namespace quillery {

class Binder;
class Settings;
class Workspace;

// Edits the binder's current page where its associations say: the one command behind
// double-click and Enter on a page, Edit Page and the toolbar's edit button. Pages for
// the built-in rich or plain text editor open in it, modally. Any other page is exported
// under its title into the temporary folder and handed to the desktop's default program
// for its type or to the named program (in its start-in folder); mainWindow hides while
// the user works there, and a changed file is taken back as the page's new content when
// the user agrees. A named program whose start-in folder is missing is not started: the
// user is told and showAssociations opens the options on the associations. Any failure
// is reported as "Page Editing Error" and leaves the binder as it was.
void launchPageEditor(Workspace &workspace, Binder &binder, Settings &settings, QWidget *mainWindow,
                      const std::function<void()> &showAssociations = {});

} // namespace quillery
