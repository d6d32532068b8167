// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/Binder.h"
#include "documents/PageKind.h"
#include "window/PageListView.h"

namespace quillery {

class BinderWindow;

// Every command of a binder window. Menus, the main toolbar and the command state are
// built from commandSpec(), so a command is named by this enum alone.
enum class Command {
    New,
    Open,
    Save,
    SaveAs,
    Print,
    PrintPreview,
    ImportRichText,
    ImportPlainText,
    ImportHtml,
    ImportScanner,
    ImportFolder,
    ImportBinder,
    InsertPicture,
    InsertSound,
    InsertFile,
    ExportRichText,
    ExportPlainText,
    ExportHtml,
    ExportPage,
    PageProperties,
    FileProperties,
    AuthorName,
    ChangePassword,
    Encrypt,
    WorkOffline,
    RecentFiles,
    Close,
    Exit,
    Undo,
    Redo,
    EditPage,
    CutPage,
    CopyPage,
    PastePage,
    DeletePage,
    DeleteAllPages,
    NewRichTextPage,
    NewPlainTextPage,
    NewHtmlPage,
    RenamePage,
    MoveUp,
    MoveDown,
    Find,
    SearchAll,
    Options,
    LargeIcons,
    SmallIcons,
    ListView,
    Details,
    ListAbove,
    ListBelow,
    ListLeft,
    ListRight,
    AutoHide,
    Back,
    Forward,
    Stop,
    Refresh,
    NextPage,
    PreviousPage,
    TileHorizontal,
    TileVertical,
    Cascade,
    ArrangeIcons,
    Contents,
    About,
    SendFeedback,
    CopyText,
    SelectAllText,
    // The list background's Properties, which leaves a document loaded in the browser.
    ListFileProperties,
};

constexpr int CommandCount = int(Command::ListFileProperties) + 1;

// What a binder window's commands depend on besides the binder.
struct ListState
{
    int selected = 0;             // 1-based row whose Selected flag is set; 0 for none
    bool html = false;            // the browser pane shows page content (HTML)
    bool offline = false;         // the browser works offline
    bool pageOnClipboard = false; // the page clipboard holds a page
    bool textSelected = false;    // the text pane has a selection
    PageListView::View view = PageListView::View::LargeIcons;
    bool autoHide = false;
};

// The binder and the window's state, as the enabling and checking rules read them.
struct CommandContext
{
    CommandContext(const Binder &binder, const ListState &list);

    bool rowSelected() const { return selected > 0; }

    const Binder &binder;
    const ListState &list;
    int count;
    int selected;     // the selected row when it is one of the binder's, else 0
    PageKind current; // the kind of the current page, or of the selected row when none is
};

using CommandRule = bool (*)(const CommandContext &);

struct CommandSpec
{
    const char *caption = "";      // "&" marks the access key
    const char *shortcuts = "";    // separated by "; "
    CommandRule enabled = nullptr; // nullptr: always enabled
    CommandRule checked = nullptr; // nullptr: not checkable
    void (*run)(BinderWindow &) = nullptr;
    int picture = 0;          // the toolbar's picture, 0 for none
    const char *toolTip = ""; // the toolbar's tooltip
};

const CommandSpec &commandSpec(Command command);

// The command as a screen reader names a button for it: the caption without its access key
// mark and without the dots that promise a dialog.
QString commandName(Command command);

} // namespace quillery
