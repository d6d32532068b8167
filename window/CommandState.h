// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/ToolbarButtons.h"

#include <QString>

#include <array>
#include <optional>

namespace quillery {

class Binder;
class TempFolder;

// What a binder window shows besides the binder itself.
struct ListState
{
    int selected = 0;             // 1-based row whose Selected flag is set; 0 for none
    bool html = false;            // the browser pane shows page content (HTML)
    bool offline = false;         // the browser works offline
    bool pageOnClipboard = false; // the page clipboard holds a page
    bool textSelected = false;    // the text pane has a selection
};

// The command state of one binder window: which menu items and toolbar buttons are
// enabled and the text of the pages status panel. Items named as the menus.
// Working it out and applying it changes nothing else.
struct CommandState
{
    bool mnuOffline = false; // checked, not enabled
    bool mnuPrint = false;
    bool mnuPrintPreview = false; // rich and plain text pages, which print as laid out here
    bool mnuPProperties = false;
    bool mnuExport = false;
    // Export as a type only for pages of that type: the page's bytes are written as they are.
    bool mnuExportRTF = false;
    bool mnuExportTXT = false;
    bool mnuExportHTML = false;
    bool mnuExportFile = false;
    bool mnuEP = false;
    bool mnuRename = false;
    bool mnuEditCut = false;
    bool mnuEditCopy = false;
    bool mnuEditDelete = false;
    bool mnuFind = false;
    bool mnuEditDelAll = false;
    bool mnuSearch = false;
    bool mnuPView = false;
    bool mnuUp = false;
    bool mnuDown = false;
    bool mnuEditPaste = false;
    bool mnuPPaste = false;
    bool mnuEncrypt = false; // the binder may be saved: it is not read-only
    bool mnuCopy = false;    // the text pane's selection
    // The binder's history: whether there is a step to undo or redo, and the items'
    // captions, which name it.
    bool mnuUndo = false;
    bool mnuRedo = false;
    QString undoCaption;
    QString redoCaption;

    // Enabled flags of the main toolbar by button position (toolbar::FirstBinderButton on);
    // a button without a value keeps its state.
    std::array<std::optional<bool>, toolbar::LastButton + 1> toolbar{};
    // The status panels that describe the current page are emptied.
    bool clearPageStatus = false;
    QString pagesStatus; // the pages status panel
};

CommandState commandState(const Binder &binder, const ListState &list);

// Whether the page clipboard in the temporary folder holds a page to paste.
bool pageOnClipboard(const TempFolder &temp);

} // namespace quillery
