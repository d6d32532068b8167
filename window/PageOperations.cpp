// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PageOperations.h"

#include "documents/Binder.h"
#include "documents/Interaction.h"
#include "documents/NewPage.h"
#include "documents/PageCommands.h"
#include "documents/Workspace.h"
#include "platform/Dialogs.h"
#include "transfer/PageImport.h"
#include <QCoreApplication>

namespace quillery {

namespace {

bool isPosition(const Binder &binder, int position)
{
    return position >= 1 && position <= binder.pageCount();
}

} // namespace

void addPage(Workspace &workspace, Binder &binder, PageKind kind,
             const std::function<void()> &editNewPage)
{
    switch (kind) {
    case PageKind::RTF:
    case PageKind::TXT:
    case PageKind::HTML:
        addEmptyPage(workspace, binder, kind);
        editNewPage();
        return;
    case PageKind::PICTURE:
    case PageKind::SOUND:
    case PageKind::FILE:
        chooseAndImport(workspace, binder, kind);
        return;
    case PageKind::Unknown:
        return;
    }
}

void deletePage(Workspace &workspace, Binder &binder, int position)
{
    workspace.ui.closeSplash();
    if (!isPosition(binder, position))
        return;
    const QString text = QCoreApplication::translate(
                             "PageOperations", "Are you sure that you want to delete the page '") +
                         binder.page(position).name + QStringLiteral("'?");
    if (workspace.confirmDeletes &&
        workspace.dialogs.message(MsgIcon::Question, MsgButtons::YesNo,
                                  QCoreApplication::translate("PageOperations", "Delete Page"),
                                  text) != MsgResult::Yes)
        return;
    removePage(workspace, binder, position,
               QCoreApplication::translate("PageOperations", "Delete Page"));
}

void removePage(Workspace &workspace, Binder &binder, int position, const QString &action)
{
    if (!isPosition(binder, position))
        return;
    binder.push(std::make_unique<RemovePagesCommand>(
        workspace, binder, position, 1, pageStepName(action, binder.page(position).name)));
}

void deleteAllPages(Workspace &workspace, Binder &binder)
{
    workspace.ui.closeSplash();
    if (binder.pageCount() == 0)
        return;
    if (workspace.confirmDeletes &&
        workspace.dialogs.message(
            MsgIcon::Question, MsgButtons::YesNoDefaultNo,
            QCoreApplication::translate("PageOperations", "Delete All Pages"),
            QCoreApplication::translate(
                "PageOperations", "Are you sure you want to delete all pages?")) != MsgResult::Yes)
        return;
    binder.push(std::make_unique<RemovePagesCommand>(
        workspace, binder, 1, binder.pageCount(),
        QCoreApplication::translate("PageOperations", "Delete All Pages")));
}

void movePage(Binder &binder, int position, MoveDirection direction)
{
    const int target = direction == MoveDirection::Up ? position - 1 : position + 1;
    if (!isPosition(binder, position) || !isPosition(binder, target))
        return;
    binder.push(std::make_unique<MovePageCommand>(binder, position, target));
}

} // namespace quillery
