// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/Command.h"

#include "documents/Workspace.h"
#include "platform_ui/QtDialogs.h"
#include "transfer/BinderImport.h"
#include "transfer/PageExport.h"
#include "transfer/PageImport.h"
#include "window/BinderWindow.h"
#include "window/PageClipboard.h"
#include "window/PageOperations.h"
#include "window/PasswordDialogs.h"
#include "window/ShellCommands.h"
#include "window/ViewerPane.h"

#include <QCoreApplication>

#include <array>

namespace quillery {

namespace {

using View = PageListView::View;

// Enabling and checking rules.

bool rowSelected(const CommandContext &c)
{
    return c.rowSelected();
}

bool hasPages(const CommandContext &c)
{
    return c.count > 0;
}

bool notFirst(const CommandContext &c)
{
    return c.selected > 1;
}

bool notLast(const CommandContext &c)
{
    return c.count > 0 && c.selected < c.count;
}

// Find searches text, which picture, sound and file pages do not have.
bool textToFind(const CommandContext &c)
{
    return c.rowSelected() && c.current != PageKind::PICTURE && c.current != PageKind::SOUND &&
           c.current != PageKind::FILE;
}

// Rich and plain text pages, which print as laid out here.
bool laidOutText(const CommandContext &c)
{
    return c.rowSelected() && (c.current == PageKind::RTF || c.current == PageKind::TXT);
}

// Export as a type only for pages of that type: the page's bytes are written as they are.
template <PageKind Kind> bool pageOfKind(const CommandContext &c)
{
    return c.rowSelected() && c.current == Kind;
}

bool browsing(const CommandContext &c)
{
    return c.list.html;
}

template <View Shown> bool viewShown(const CommandContext &c)
{
    return c.list.view == Shown;
}

template <PanePosition Position> bool listLies(const CommandContext &c)
{
    return c.binder.panePosition() == Position;
}

// Handlers.

int selected(BinderWindow &w)
{
    return w.selectedPosition();
}

// Goes from the selected page to the one step pages on, which becomes current; past
// either end of the list nothing moves.
void stepPage(BinderWindow &w, int step)
{
    const int target = w.selectedPosition() + step;
    if (target >= 1 && target <= w.binder().pageCount())
        w.binder().setCurrentPosition(target);
}

template <PageKind Kind> void import(BinderWindow &w)
{
    chooseAndImport(w.workspace(), w.binder(), Kind);
}

template <PageKind Kind> void addNew(BinderWindow &w)
{
    addPage(w.workspace(), w.binder(), Kind, [&w] { w.shell().editPage(w.binder()); });
}

void exportAs(BinderWindow &w, const char *type, const char *extensions)
{
    exportCurrentPage(w.workspace(), w.binder(), QCoreApplication::translate("Command", type),
                      QString::fromLatin1(extensions));
}

template <View Shown> void show(BinderWindow &w)
{
    w.setView(Shown);
}

template <PanePosition Position> void placeList(BinderWindow &w)
{
    w.placePageList(Position);
}

template <Arrangement How> void arrange(BinderWindow &w)
{
    w.shell().arrange(How);
}

CommandSpec describe(Command command)
{
    using C = Command;
    switch (command) {
    case C::New:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&New"),
                .shortcuts = "Ctrl+N",
                .run = [](BinderWindow &w) { w.shell().newBinder(); },
                .picture = 1,
                .toolTip = QT_TRANSLATE_NOOP("Command", "New File (Ctrl+N)")};
    case C::Open:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Open..."),
                .shortcuts = "Ctrl+O",
                .run = [](BinderWindow &w) { w.shell().openBinder(); },
                .picture = 2,
                .toolTip = QT_TRANSLATE_NOOP("Command", "Open File (Ctrl+O)")};
    case C::Save:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Save"),
                .shortcuts = "Ctrl+S",
                .run = [](BinderWindow &w) { w.save(); },
                .picture = 3,
                .toolTip = QT_TRANSLATE_NOOP("Command", "Save File (Ctrl+S)")};
    case C::SaveAs:
        return {.caption = QT_TRANSLATE_NOOP("Command", "Save &As..."),
                .shortcuts = "Ctrl+F3",
                .run = [](BinderWindow &w) {
                    w.saveAs();
                }};
    case C::Print:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Print..."),
                .shortcuts = "Ctrl+P",
                .enabled = rowSelected,
                .run = [](BinderWindow &w) {
                    w.printPage();
                }};
    case C::PrintPreview:
        return {.caption = QT_TRANSLATE_NOOP("Command", "Print Pre&view..."),
                .enabled = laidOutText,
                .run = [](BinderWindow &w) {
                    w.previewPage();
                }};
    case C::ImportRichText:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Rich Text File..."),
                .shortcuts = "Shift+F1",
                .run = import <PageKind::RTF>};
    case C::ImportPlainText:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Plain Text Document..."),
                .shortcuts = "Shift+F2",
                .run = import <PageKind::TXT>};
    case C::ImportHtml:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&HTML Document..."),
                .shortcuts = "Shift+F3",
                .run = import <PageKind::HTML>};
    case C::ImportScanner:
        return {.caption = QT_TRANSLATE_NOOP("Command", "Scanner/Camera &Image (TWAIN)..."),
                .shortcuts = "Ctrl+Q",
                .run = [](BinderWindow &w) { w.shell().showScanner(w.binder()); },
                .picture = 17,
                .toolTip =
                    QT_TRANSLATE_NOOP("Command", "Import Scanner/Camera Image (TWAIN) (Ctrl+Q)")};
    case C::ImportFolder:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Folder..."),
                .shortcuts = "Shift+F7",
                .run = [](BinderWindow &w) {
                    importFolder(w.workspace(), w.binder());
                }};
    case C::ImportBinder:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Quillery..."),
                .shortcuts = "Ctrl+K",
                .run = [](BinderWindow &w) {
                    importBinder(w.workspace(), w.binder());
                }};
    case C::InsertPicture:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Picture..."),
                .shortcuts = "Shift+F8",
                .run = import <PageKind::PICTURE>,
                .picture = 13,
                .toolTip = QT_TRANSLATE_NOOP("Command", "Insert Picture (Shift+F8)")};
    case C::InsertSound:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Sound..."),
                .shortcuts = "Shift+F9",
                .run = import <PageKind::SOUND>,
                .picture = 14,
                .toolTip = QT_TRANSLATE_NOOP("Command", "Insert Sound (Shift+F9)")};
    case C::InsertFile:
        return {.caption = QT_TRANSLATE_NOOP("Command", "Other &File..."),
                .shortcuts = "Shift+F11",
                .run = import <PageKind::FILE>,
                .picture = 15,
                .toolTip = QT_TRANSLATE_NOOP("Command", "Insert File (Shift+F11)")};
    case C::ExportRichText:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Rich Text File..."),
                .shortcuts = "F3",
                .enabled = pageOfKind<PageKind::RTF>,
                .run = [](BinderWindow &w) {
                    exportAs(w, QT_TRANSLATE_NOOP("Command", "Rich Text Format"), "rtf");
                }};
    case C::ExportPlainText:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Plain Text Document..."),
                .shortcuts = "F4",
                .enabled = pageOfKind<PageKind::TXT>,
                .run = [](BinderWindow &w) {
                    exportAs(w, QT_TRANSLATE_NOOP("Command", "Text Document"), "txt");
                }};
    case C::ExportHtml:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&HTML Document..."),
                .shortcuts = "F6",
                .enabled = pageOfKind<PageKind::HTML>,
                .run = [](BinderWindow &w) {
                    exportAs(w, QT_TRANSLATE_NOOP("Command", "HTML"), "htm;*.html;*.php");
                }};
    case C::ExportPage:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Selected Page..."),
                .shortcuts = "Shift+F12",
                .enabled = rowSelected,
                .run = [](BinderWindow &w) {
                    exportAs(w, QT_TRANSLATE_NOOP("Command", "Selected Page"), "*");
                }};
    case C::PageProperties:
        return {.caption = QT_TRANSLATE_NOOP("Command", "Pa&ge Properties..."),
                .shortcuts = "Ctrl+F11",
                .enabled = rowSelected,
                .run = [](BinderWindow &w) {
                    w.showPageProperties(selected(w));
                }};
    case C::FileProperties:
        // From the File menu the browser first lets go of any loaded document.
        return {.caption = QT_TRANSLATE_NOOP("Command", "&File Properties..."),
                .shortcuts = "Ctrl+F5",
                .run = [](BinderWindow &w) {
                    w.showFileProperties(true);
                }};
    case C::ListFileProperties:
        return {.caption = QT_TRANSLATE_NOOP("Command", "P&roperties..."),
                .run = [](BinderWindow &w) {
                    w.showFileProperties(false);
                }};
    case C::AuthorName:
        return {.caption = QT_TRANSLATE_NOOP("Command", "A&uthor Name..."),
                .shortcuts = "Ctrl+U",
                .run = [](BinderWindow &w) {
                    w.shell().changeAuthorName();
                }};
    case C::ChangePassword:
        return {.caption = QT_TRANSLATE_NOOP("Command", "C&hange Password..."),
                .run = [](BinderWindow &w) {
                    ChangePasswordDialog dialog(w.workspace(), w.binder(), &w);
                    dialog.exec();
                }};
    case C::Encrypt:
        return {.caption = QT_TRANSLATE_NOOP("Command", "Encr&ypt This Binder..."),
                .enabled = [](const CommandContext &c) { return !c.binder.isReadOnly(); },
                .run =
                    [](BinderWindow &w) {
                        EncryptDialog dialog(w.workspace(), w.binder(), &w);
                        dialog.exec();
                    }};
    case C::WorkOffline:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Work Offline"),
                .shortcuts = "Ctrl+W",
                .checked = [](const CommandContext &c) { return c.list.offline; },
                .run =
                    [](BinderWindow &w) {
                        w.viewer()->setOffline(!w.viewer()->offline());
                    }};
    case C::RecentFiles:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Recent Files..."),
                .shortcuts = "Ctrl+I",
                .run = [](BinderWindow &w) {
                    w.shell().showRecentFiles();
                }};
    case C::Close:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Close"), .run = [](BinderWindow &w) {
                    w.closeWindow();
                }};
    case C::Exit:
        return {.caption = QT_TRANSLATE_NOOP("Command", "E&xit"), .run = [](BinderWindow &w) {
                    w.shell().exit();
                }};
    case C::Undo:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Undo"),
                .shortcuts = "Ctrl+Z",
                .enabled = [](const CommandContext &c) { return c.binder.history().canUndo(); },
                .run =
                    [](BinderWindow &w) {
                        w.binder().undo();
                    }};
    case C::Redo:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Redo"),
                .shortcuts = "Ctrl+Shift+Z; Ctrl+Y",
                .enabled = [](const CommandContext &c) { return c.binder.history().canRedo(); },
                .run =
                    [](BinderWindow &w) {
                        w.binder().redo();
                    }};
    case C::EditPage:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Edit Page..."),
                .shortcuts = "F8",
                .enabled = rowSelected,
                .run = [](BinderWindow &w) { w.shell().editPage(w.binder()); },
                .picture = 6,
                .toolTip = QT_TRANSLATE_NOOP("Command", "Edit Page (F8)")};
    case C::CutPage:
        return {.caption = QT_TRANSLATE_NOOP("Command", "Cu&t Page"),
                .shortcuts = "Ctrl+F6",
                .enabled = rowSelected,
                .run = [](BinderWindow &w) {
                    cutPage(w.workspace(), w.binder(), selected(w));
                }};
    case C::CopyPage:
        return {.caption = QT_TRANSLATE_NOOP("Command", "C&opy Page"),
                .shortcuts = "Ctrl+F7",
                .enabled = rowSelected,
                .run = [](BinderWindow &w) {
                    copyPage(w.workspace(), w.binder(), selected(w));
                }};
    case C::PastePage:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Paste Page"),
                .shortcuts = "Ctrl+F8",
                .enabled = [](const CommandContext &c) { return c.list.pageOnClipboard; },
                .run =
                    [](BinderWindow &w) {
                        pastePage(w.workspace(), w.binder());
                    }};
    case C::DeletePage:
        return {.caption = QT_TRANSLATE_NOOP("Command", "Delete Pa&ge..."),
                .shortcuts = "Del",
                .enabled = rowSelected,
                .run = [](BinderWindow &w) { deletePage(w.workspace(), w.binder(), selected(w)); },
                .picture = 5,
                .toolTip = QT_TRANSLATE_NOOP("Command", "Delete Page (Del)")};
    case C::DeleteAllPages:
        return {.caption = QT_TRANSLATE_NOOP("Command", "De&lete All Pages..."),
                .enabled = hasPages,
                .run = [](BinderWindow &w) {
                    deleteAllPages(w.workspace(), w.binder());
                }};
    case C::NewRichTextPage:
        return {.caption = QT_TRANSLATE_NOOP("Command", "New Ri&ch Text Page..."),
                .shortcuts = "Shift+F4",
                .run = addNew<PageKind::RTF>,
                .picture = 10,
                .toolTip = QT_TRANSLATE_NOOP("Command", "Add Rich Text Page (Shift+F4)")};
    case C::NewPlainTextPage:
        return {.caption = QT_TRANSLATE_NOOP("Command", "New Plain Te&xt Page..."),
                .shortcuts = "Shift+F5",
                .run = addNew<PageKind::TXT>,
                .picture = 11,
                .toolTip = QT_TRANSLATE_NOOP("Command", "Add Plain Text Page (Shift+F5)")};
    case C::NewHtmlPage:
        return {.caption = QT_TRANSLATE_NOOP("Command", "New &HTML Page..."),
                .shortcuts = "Shift+F6",
                .run = addNew<PageKind::HTML>,
                .picture = 12,
                .toolTip = QT_TRANSLATE_NOOP("Command", "Add HTML Page (Shift+F6)")};
    case C::RenamePage:
        return {.caption = QT_TRANSLATE_NOOP("Command", "Re&name Page"),
                .shortcuts = "F2",
                .enabled = rowSelected,
                .run = [](BinderWindow &w) { w.pageList()->editCurrentName(); },
                .picture = 4,
                .toolTip = QT_TRANSLATE_NOOP("Command", "Rename Page (F2)")};
    case C::MoveUp:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Move Up"),
                .shortcuts = "F11",
                .enabled = notFirst,
                .run = [](BinderWindow &w) {
                    movePage(w.binder(), selected(w), MoveDirection::Up);
                }};
    case C::MoveDown:
        return {.caption = QT_TRANSLATE_NOOP("Command", "Move &Down"),
                .shortcuts = "F12",
                .enabled = [](const CommandContext &c) { return c.rowSelected() && notLast(c); },
                .run =
                    [](BinderWindow &w) {
                        movePage(w.binder(), selected(w), MoveDirection::Down);
                    }};
    case C::Find:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Find..."),
                .shortcuts = "Ctrl+F",
                .enabled = textToFind,
                .run = [](BinderWindow &w) {
                    w.findInPage();
                }};
    case C::SearchAll:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Search All..."),
                .shortcuts = "F9",
                .enabled = hasPages,
                .run = [](BinderWindow &w) {
                    w.searchAll();
                }};
    case C::Options:
        return {.caption = QT_TRANSLATE_NOOP("Command", "Opt&ions..."),
                .shortcuts = "Ctrl+F9",
                .run = [](BinderWindow &w) {
                    w.shell().showOptions(w.binder());
                }};
    case C::LargeIcons:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Large Icons"),
                .checked = viewShown<View::LargeIcons>,
                .run = show<View::LargeIcons>,
                .picture = 8,
                .toolTip = QT_TRANSLATE_NOOP("Command", "View Large Icons")};
    case C::SmallIcons:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Small Icons"),
                .checked = viewShown<View::SmallIcons>,
                .run = show<View::SmallIcons>,
                .picture = 9,
                .toolTip = QT_TRANSLATE_NOOP("Command", "View Small Icons")};
    case C::ListView:
        return {.caption = QT_TRANSLATE_NOOP("Command", "Lis&t"),
                .checked = viewShown<View::List>,
                .run = show<View::List>,
                .picture = 7,
                .toolTip = QT_TRANSLATE_NOOP("Command", "View List")};
    case C::Details:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Details"),
                .checked = viewShown<View::Details>,
                .run = show<View::Details>,
                .picture = 16,
                .toolTip = QT_TRANSLATE_NOOP("Command", "View Details")};
    case C::ListAbove:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Top"),
                .checked = listLies<PanePosition::ListAbove>,
                .run = placeList<PanePosition::ListAbove>};
    case C::ListBelow:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Bottom"),
                .checked = listLies<PanePosition::ListBelow>,
                .run = placeList<PanePosition::ListBelow>};
    case C::ListLeft:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Left"),
                .checked = listLies<PanePosition::ListLeft>,
                .run = placeList<PanePosition::ListLeft>};
    case C::ListRight:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Right"),
                .checked = listLies<PanePosition::ListRight>,
                .run = placeList<PanePosition::ListRight>};
    case C::AutoHide:
        return {.caption = QT_TRANSLATE_NOOP("Command", "Auto Hide Pa&ge Pane"),
                .shortcuts = "Ctrl+G",
                .checked = [](const CommandContext &c) { return c.list.autoHide; },
                .run =
                    [](BinderWindow &w) {
                        w.toggleAutoHide();
                    }};
    case C::Back:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Back"),
                .shortcuts = "Alt+Left",
                .enabled = browsing,
                .run = [](BinderWindow &w) { w.viewer()->goBack(); },
                .picture = 18,
                .toolTip = QT_TRANSLATE_NOOP("Command", "Back")};
    case C::Forward:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Forward"),
                .shortcuts = "Alt+Right",
                .enabled = browsing,
                .run = [](BinderWindow &w) { w.viewer()->goForward(); },
                .picture = 19,
                .toolTip = QT_TRANSLATE_NOOP("Command", "Forward")};
    case C::Stop:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Stop"),
                .enabled = browsing,
                .run = [](BinderWindow &w) { w.viewer()->stop(); },
                .picture = 20,
                .toolTip = QT_TRANSLATE_NOOP("Command", "Stop")};
    case C::Refresh:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Refresh"),
                .shortcuts = "F5",
                .enabled = browsing,
                .run = [](BinderWindow &w) { w.viewer()->refresh(); },
                .picture = 21,
                .toolTip = QT_TRANSLATE_NOOP("Command", "Refresh")};
    case C::NextPage:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Next Page"),
                .shortcuts = "Ctrl+PgDown",
                .enabled = notLast,
                .run = [](BinderWindow &w) {
                    stepPage(w, 1);
                }};
    case C::PreviousPage:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Previous Page"),
                .shortcuts = "Ctrl+PgUp",
                .enabled = notFirst,
                .run = [](BinderWindow &w) {
                    stepPage(w, -1);
                }};
    case C::TileHorizontal:
        return {.caption = QT_TRANSLATE_NOOP("Command", "Tile &Horizontal"),
                .shortcuts = "Ctrl+H",
                .run = arrange<Arrangement::TileHorizontally>};
    case C::TileVertical:
        return {.caption = QT_TRANSLATE_NOOP("Command", "Tile &Vertical"),
                .shortcuts = "Ctrl+T",
                .run = arrange<Arrangement::TileVertically>};
    case C::Cascade:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Cascade"),
                .shortcuts = "Ctrl+E",
                .run = arrange<Arrangement::Cascade>};
    case C::ArrangeIcons:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Arrange Icons"),
                .shortcuts = "Ctrl+R",
                .run = arrange<Arrangement::ArrangeIcons>};
    case C::Contents:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Contents"),
                .shortcuts = "F1",
                .run = [](BinderWindow &w) {
                    w.shell().showHelp();
                }};
    case C::About:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&About"),
                .shortcuts = "Ctrl+F1",
                .run = [](BinderWindow &w) {
                    w.shell().showAbout();
                }};
    case C::SendFeedback:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Send Feedback..."),
                .shortcuts = "Ctrl+F2",
                .run = [](BinderWindow &w) {
                    w.shell().sendFeedback();
                }};
    case C::CopyText:
        return {.caption = QT_TRANSLATE_NOOP("Command", "&Copy"),
                .shortcuts = "Ctrl+C",
                .enabled = [](const CommandContext &c) { return c.list.textSelected; },
                .run =
                    [](BinderWindow &w) {
                        w.copyText();
                    }};
    case C::SelectAllText:
        return {.caption = QT_TRANSLATE_NOOP("Command", "Select &All"),
                .shortcuts = "Ctrl+A",
                .run = [](BinderWindow &w) {
                    w.selectAllText();
                }};
    }
    Q_UNREACHABLE();
}

std::array<CommandSpec, CommandCount> describeAll()
{
    std::array<CommandSpec, CommandCount> specs;
    for (int c = 0; c < CommandCount; ++c)
        specs[c] = describe(Command(c));
    return specs;
}

} // namespace

const CommandSpec &commandSpec(Command command)
{
    static const std::array<CommandSpec, CommandCount> specs = describeAll();
    return specs[size_t(command)];
}

QString commandName(Command command)
{
    QString name =
        withoutAccessKeys(QCoreApplication::translate("Command", commandSpec(command).caption));
    if (name.endsWith(QStringLiteral("...")))
        name.chop(3);
    return name;
}

} // namespace quillery
