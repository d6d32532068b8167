// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/Properties.h"

#include "documents/Binder.h"
#include "documents/BinderFormat.h"
#include "documents/PageCommands.h"
#include "documents/PageRecords.h"
#include "documents/RecordsCommand.h"
#include "documents/Workspace.h"
#include "window/PageRename.h"
#include <QCoreApplication>

namespace quillery {

QString configurationText(const Binder &binder)
{
    InfoRecords shown = binder.records();
    shown.remove(RecordKey::Password);
    QByteArray text = shown.toText();
    PageRecords::appendText(text, binder.pages());
    return QString::fromUtf8(text);
}

void applyFileProperties(Binder &binder, const QString &title)
{
    binder.push(std::make_unique<RecordsCommand>(
        binder, QVector<RecordChange>{{RecordKey::Title, title}}, std::nullopt,
        QCoreApplication::translate("Properties", "File Properties")));
}

void applyPageProperties(Workspace &workspace, Binder &binder, int position, const PageEdit &edit)
{
    if (!binder.hasPage(position) || position == 0)
        return;
    const PageRow &row = binder.page(position);
    const std::optional<QString> name = renamedTo(binder, position, row.name, edit.name);
    PageFields fields = PageFields::of(row);
    fields.name = name.value_or(row.name);
    fields.comments = edit.comments;
    if (edit.colour)
        fields.colour = *edit.colour;
    binder.push(std::make_unique<ChangePageCommand>(
        binder, position, fields, QCoreApplication::translate("Properties", "Page Properties")));
    if (name)
        placeIfStyleSheet(workspace, binder, position, *name);
}

} // namespace quillery
