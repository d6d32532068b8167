// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/CommandState.h"

#include "documents/Binder.h"
#include "documents/PageKind.h"
#include "documents/SizeText.h"
#include "platform/TempFolder.h"
#include "window/PageClipboard.h"

#include <initializer_list>

namespace quillery {

namespace {

void setButtons(CommandState &state, std::initializer_list<toolbar::Button> buttons, bool enabled)
{
    for (toolbar::Button button : buttons)
        state.toolbar[button] = enabled;
}

// Find searches text, which picture, sound and file pages do not have.
bool hasText(PageKind k)
{
    return k != PageKind::PICTURE && k != PageKind::SOUND && k != PageKind::FILE;
}

void noPages(CommandState &state)
{
    setButtons(state, {toolbar::Save, toolbar::AddPage}, true);
    setButtons(state, {toolbar::Rename, toolbar::Delete, toolbar::Edit}, false);
    state.pagesStatus = QStringLiteral("0 Pages");
}

void noneSelected(CommandState &state, int count)
{
    state.mnuEditDelAll = state.mnuSearch = state.mnuPView = true;
    setButtons(state, {toolbar::Rename, toolbar::Delete, toolbar::Edit}, false);
    state.clearPageStatus = true;
    state.pagesStatus =
        count == 1 ? QStringLiteral("1 Page") : QString::number(count) + QStringLiteral(" Pages");
}

void rowSelected(CommandState &state, const Binder &binder, int selected)
{
    const int count = binder.pageCount();
    const int current = binder.currentPosition() == 0 ? selected : binder.currentPosition();
    const PageKind k = binder.hasPage(current) ? binder.page(current).key.kind : PageKind::Unknown;

    state.mnuPrint = state.mnuPProperties = state.mnuExport = state.mnuExportFile = true;
    state.mnuEP = state.mnuRename = state.mnuEditCut = state.mnuEditCopy = true;
    state.mnuEditDelete = state.mnuEditDelAll = state.mnuSearch = state.mnuPView = true;
    state.mnuFind = hasText(k);
    state.mnuPrintPreview = k == PageKind::RTF || k == PageKind::TXT;
    state.mnuExportRTF = k == PageKind::RTF;
    state.mnuExportTXT = k == PageKind::TXT;
    state.mnuExportHTML = k == PageKind::HTML;
    state.mnuUp = selected > 1;
    state.mnuDown = selected < count;
    setButtons(state,
               {toolbar::Save, toolbar::AddPage, toolbar::Rename, toolbar::Delete, toolbar::Edit,
                toolbar::View},
               true);
    state.pagesStatus =
        QStringLiteral("Page ") + sizeText(selected) + QStringLiteral(" of ") + sizeText(count);
}

// "&Undo Delete Page 'Letter'"; the step's name holds a page's name, whose "&" is a letter.
QString historyCaption(const QString &command, QString step)
{
    if (step.isEmpty())
        return command;
    return command + u' ' + step.replace(u'&', QStringLiteral("&&"));
}

} // namespace

CommandState commandState(const Binder &binder, const ListState &list)
{
    CommandState state;
    state.mnuOffline = list.offline;
    const int count = binder.pageCount();
    if (count == 0)
        noPages(state);
    else if (list.selected < 1 || list.selected > count)
        noneSelected(state, count);
    else
        rowSelected(state, binder, list.selected);
    setButtons(state, {toolbar::Back, toolbar::Forward, toolbar::Stop, toolbar::Refresh},
               list.html);
    state.mnuEditPaste = state.mnuPPaste = list.pageOnClipboard;
    state.mnuEncrypt = !binder.isReadOnly();
    state.mnuCopy = list.textSelected;
    const QUndoStack &history = binder.history();
    state.mnuUndo = history.canUndo();
    state.mnuRedo = history.canRedo();
    state.undoCaption = historyCaption(QStringLiteral("&Undo"), history.undoText());
    state.redoCaption = historyCaption(QStringLiteral("&Redo"), history.redoText());
    // Whatever the binder holds, it can be saved, added to and viewed otherwise.
    setButtons(state, {toolbar::Save, toolbar::AddPage, toolbar::View}, true);
    return state;
}

bool pageOnClipboard(const TempFolder &temp)
{
    return !pageClipboardFolder(temp).isEmpty();
}

} // namespace quillery
