// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/Properties.h"

#include "documents/Binder.h"
#include "documents/BinderFormat.h"
#include "documents/PageRecords.h"
#include "documents/Workspace.h"
#include "window/PageRename.h"

namespace quillery {

QString configurationText(const Binder &binder)
{
    InfoRecords shown = binder.records();
    shown.remove(RecordKey::Password);
    QByteArray text = shown.toText();
    PageRecords::appendText(text, binder.pages);
    return QString::fromUtf8(text);
}

void applyFileProperties(Binder &binder, const QString &title)
{
    binder.setRecord(RecordKey::Title, title);
    binder.setChanged(true);
}

void applyPageProperties(Workspace &workspace, Binder &binder, int position, const PageEdit &edit)
{
    if (!binder.hasPage(position) || position == 0)
        return;
    beginRename(binder, position);
    finishRename(workspace, binder, position, edit.name);
    PageRow row = binder.pages.at(position - 1);
    row.comments = edit.comments;
    if (edit.colour)
        row.key.colour = *edit.colour;
    binder.pages.replace(position - 1, row);
    binder.setChanged(true);
}

} // namespace quillery
