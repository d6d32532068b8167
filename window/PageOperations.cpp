// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PageOperations.h"

#include "documents/Binder.h"
#include "documents/EncryptedBinder.h"
#include "documents/Interaction.h"
#include "documents/NewPage.h"
#include "documents/Workspace.h"
#include "platform/Dialogs.h"
#include "platform/TempFolder.h"
#include "transfer/PageImport.h"

#include <QList>

namespace quillery {

namespace {

bool isPosition(const Binder &binder, int position)
{
    return position >= 1 && position <= binder.pageCount();
}

// A removed page's own data file goes with it. The working copy holds every page that
// was saved, and a file that another row still points at is that row's data: both stay.
void discardPageData(Workspace &workspace, const Binder &binder, const PageKey &key)
{
    if (key.location.isEmpty() || key.inWorkingCopy() || key.location == binder.workingCopy)
        return;
    for (int row = 0; row < binder.pageCount(); ++row) {
        if (binder.pages.at(row).key.location == key.location)
            return;
    }
    // Only files this program made and registered are ever deleted.
    scratchFolder(workspace, binder).deleteFile(key.location);
}

} // namespace

void addPage(Workspace &workspace, Binder &binder, PageKind kind,
             const std::function<void()> &editNewPage)
{
    switch (kind) {
    case PageKind::RTF:
    case PageKind::TXT:
    case PageKind::HTML:
        addEmptyPage(binder, kind);
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
    const QString text = QStringLiteral("Are you sure that you want to delete the page '") +
                         binder.pages.at(position - 1).name + QStringLiteral("'?");
    if (workspace.dialogs.message(MsgIcon::Question, MsgButtons::YesNo,
                                  QStringLiteral("Delete Page"), text) != MsgResult::Yes)
        return;
    // The page the user confirmed is the one that goes, even if another was current.
    binder.setCurrentPosition(position);
    removeCurrentPage(workspace, binder);
}

void removeCurrentPage(Workspace &workspace, Binder &binder)
{
    if (!isPosition(binder, binder.currentPosition()))
        return;
    const PageKey key = binder.pages.at(binder.currentPosition() - 1).key;
    binder.pages.remove(binder.currentPosition() - 1);
    discardPageData(workspace, binder, key);
    binder.setCurrentPosition(binder.pageCount() > 0 ? 1 : 0);
    binder.setChanged(true);
}

void deleteAllPages(Workspace &workspace, Binder &binder)
{
    workspace.ui.closeSplash();
    if (binder.pageCount() == 0)
        return;
    if (workspace.dialogs.message(
            MsgIcon::Question, MsgButtons::YesNoDefaultNo, QStringLiteral("Delete All Pages"),
            QStringLiteral("Are you sure you want to delete all pages?")) != MsgResult::Yes)
        return;
    QList<PageKey> keys;
    keys.reserve(binder.pageCount());
    for (int row = 0; row < binder.pageCount(); ++row)
        keys << binder.pages.at(row).key;
    binder.pages.clear();
    for (const PageKey &key : std::as_const(keys))
        discardPageData(workspace, binder, key);
    binder.setCurrentPosition(0);
    binder.setChanged(true);
}

void movePage(Binder &binder, int position, MoveDirection direction)
{
    const int target = direction == MoveDirection::Up ? position - 1 : position + 1;
    if (!isPosition(binder, position) || !isPosition(binder, target))
        return;
    binder.pages.move(position - 1, target - 1);
    binder.setCurrentPosition(target);
    binder.setChanged(true);
}

} // namespace quillery
