// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillery {

class Interaction;
class Dialogs;
class TempFolder;

// How the page editor opens a text page. ShowAssociations is set when an editing program
// could not be started, so that the Options dialog opens on the editing associations.
enum class EditMode { Rich, Plain, ShowAssociations };

// What every binder procedure shares: the temporary folder with its registered files,
// the dialogs, the interaction with the user and the few settings and counters the procedures read.
class Workspace
{
public:
    Workspace(TempFolder &temp, Dialogs &dialogs, Interaction &ui)
        : temp(temp), dialogs(dialogs), ui(ui)
    {
    }

    TempFolder &temp;
    Dialogs &dialogs;
    Interaction &ui;

    QString authorName;         // the "AuthorName" setting
    QString defaultDocFolder;   // the "DefDocFol" setting
    bool confirmDeletes = true; // the "ConfirmDelete" setting: ask before pages are deleted
    int newFileCounter = 0;     // binders created in this run
    QString passwordHolder;     // stored password of the binder being opened or imported

    EditMode editMode = EditMode::Rich;
    bool pageEditorOpen = false; // the page editor is open
};

} // namespace quillery
