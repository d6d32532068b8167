// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/ApplyCommandState.h"

#include "window/BinderMenus.h"
#include "window/BinderWindow.h"
#include "window/CommandState.h"

#include <QAction>
#include <QMenu>

namespace quillery {

void applyCommandState(BinderWindow &window, const CommandState &state,
                       const std::function<void(int, bool)> &setButton,
                       const std::function<void(StatusPanel, const QString &)> &setStatus)
{
    using Flag = bool CommandState::*;
    static const std::pair<const char *, Flag> items[] = {
        {"mnuPrint", &CommandState::mnuPrint},
        {"mnuPrintPreview", &CommandState::mnuPrintPreview},
        {"mnuPProperties", &CommandState::mnuPProperties},
        {"mnuPPProperties", &CommandState::mnuPProperties},
        {"mnuExportRTF", &CommandState::mnuExportRTF},
        {"mnuExportTXT", &CommandState::mnuExportTXT},
        {"mnuExportHTML", &CommandState::mnuExportHTML},
        {"mnuExportFile", &CommandState::mnuExportFile},
        {"mnuEP", &CommandState::mnuEP},
        {"mnuPEdit", &CommandState::mnuEP},
        {"mnuRename", &CommandState::mnuRename},
        {"mnuPRename", &CommandState::mnuRename},
        {"mnuEditCut", &CommandState::mnuEditCut},
        {"mnuPCut", &CommandState::mnuEditCut},
        {"mnuEditCopy", &CommandState::mnuEditCopy},
        {"mnuPCopy", &CommandState::mnuEditCopy},
        {"mnuEditDelete", &CommandState::mnuEditDelete},
        {"mnuPDelete", &CommandState::mnuEditDelete},
        {"mnuFind", &CommandState::mnuFind},
        {"mnuEditDelAll", &CommandState::mnuEditDelAll},
        {"mnuSearch", &CommandState::mnuSearch},
        {"mnuUp", &CommandState::mnuUp},
        {"mnuDown", &CommandState::mnuDown},
        {"mnuEditPaste", &CommandState::mnuEditPaste},
        {"mnuPPaste", &CommandState::mnuPPaste},
        {"mnuEncrypt", &CommandState::mnuEncrypt},
        {"mnuCopy", &CommandState::mnuCopy},
        {"mnuUndo", &CommandState::mnuUndo},
        {"mnuRedo", &CommandState::mnuRedo},
    };
    const BinderMenus &menus = window.menus();
    for (const auto &[name, flag] : items)
        menus[name]->setEnabled(state.*flag);
    menus["mnuOffline"]->setChecked(state.mnuOffline);
    menus["mnuUndo"]->setText(state.undoCaption);
    menus["mnuRedo"]->setText(state.redoCaption);
    menus.mnuExport->menuAction()->setEnabled(state.mnuExport);
    menus.mnuPView->menuAction()->setEnabled(state.mnuPView);
    for (int b = toolbar::FirstBinderButton; b <= toolbar::LastButton; ++b) {
        if (state.toolbar[b])
            setButton(b, *state.toolbar[b]);
    }
    if (state.clearPageStatus) {
        for (StatusPanel panel : PagePanels)
            setStatus(panel, QString());
    }
    setStatus(StatusPanel::Pages, state.pagesStatus);
}

} // namespace quillery
