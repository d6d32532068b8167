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
};

// The command state of one binder window: which menu items and toolbar buttons are
// enabled, the text of the pages status panel and the caption. Items named as the menus.
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

    // Enabled flags of the main toolbar by button position (toolbar::FirstBinderButton on);
    // a button without a value keeps its state.
    std::array<std::optional<bool>, toolbar::LastButton + 1> toolbar{};
    // Whether the viewer (text pane and browser) is shown; no value leaves it to the
    // page display.
    std::optional<bool> viewerVisible;
    // The status panels that describe the current page are emptied.
    bool clearPageStatus = false;
    QString pagesStatus; // the pages status panel
    QString caption;
    // The selected row is not the current page yet: the window makes it current and
    // shows it, as a click on it would.
    bool makeSelectedCurrent = false;
};

CommandState commandState(const Binder &binder, const ListState &list);

// Whether the page clipboard in the temporary folder holds a page to paste.
bool pageOnClipboard(const TempFolder &temp);

} // namespace quillery
