// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/CommandState.h"

#include "documents/Binder.h"
#include "documents/PageKind.h"
#include "documents/SizeText.h"
#include "platform/TempFolder.h"
#include "window/PageClipboard.h"
#include <QCoreApplication>

namespace quillery {

namespace {

QString pagesStatus(const CommandContext &context)
{
    if (context.count == 0)
        return QCoreApplication::translate("CommandState", "0 Pages");
    if (!context.rowSelected())
        return context.count == 1
                   ? QCoreApplication::translate("CommandState", "1 Page")
                   : QCoreApplication::translate("CommandState", "%1 Pages").arg(context.count);
    return QCoreApplication::translate("CommandState", "Page %1 of %2")
        .arg(sizeText(context.selected), sizeText(context.count));
}

// "&Undo Delete Page 'Letter'"; the step's name holds a page's name, whose "&" is a letter.
QString historyCaption(const QString &command, QString step)
{
    if (step.isEmpty())
        return command;
    return command + u' ' + step.replace(u'&', QStringLiteral("&&"));
}

} // namespace

CommandContext::CommandContext(const Binder &binder, const ListState &list)
    : binder(binder), list(list), count(binder.pageCount()),
      selected(list.selected >= 1 && list.selected <= count ? list.selected : 0),
      current(PageKind::Unknown)
{
    const int position = binder.currentPosition() == 0 ? selected : binder.currentPosition();
    if (position > 0 && binder.hasPage(position))
        current = binder.page(position).key.kind;
}

CommandState commandState(const Binder &binder, const ListState &list)
{
    const CommandContext context(binder, list);
    CommandState state;
    for (int c = 0; c < CommandCount; ++c) {
        const CommandSpec &spec = commandSpec(Command(c));
        state.enabled[c] = !spec.enabled || spec.enabled(context);
        state.checked[c] = spec.checked && spec.checked(context);
    }
    state.exportMenu = context.rowSelected();
    state.viewMenu = context.count > 0;
    const QUndoStack &history = binder.history();
    state.undoCaption =
        historyCaption(QCoreApplication::translate("CommandState", "&Undo"), history.undoText());
    state.redoCaption =
        historyCaption(QCoreApplication::translate("CommandState", "&Redo"), history.redoText());
    state.clearPageStatus = context.count > 0 && !context.rowSelected();
    state.pagesStatus = pagesStatus(context);
    return state;
}

bool pageOnClipboard(const TempFolder &temp)
{
    return !pageClipboardFolder(temp).isEmpty();
}

} // namespace quillery
