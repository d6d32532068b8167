// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PageRename.h"

#include "documents/Binder.h"
#include "documents/PageCommands.h"
#include "documents/PageKind.h"
#include "documents/Workspace.h"
#include "transfer/FileNames.h"
#include "transfer/PageExport.h"
#include <QCoreApplication>

namespace quillery {

namespace {

// A page name is one line: the clipboard record, the caption and file names all need it.
QString singleLine(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

// Pages that hold a file are opened by their extension, so they keep it.
bool keepsExtension(PageKind k)
{
    return k == PageKind::PICTURE || k == PageKind::SOUND || k == PageKind::FILE;
}

} // namespace

std::optional<QString> renamedTo(const Binder &binder, int position, const QString &oldName,
                                 const QString &text)
{
    if (position < 1 || position > binder.pageCount())
        return std::nullopt;
    const PageRow &row = binder.page(position);
    QString name = singleLine(text);
    if (name.trimmed().isEmpty())
        return std::nullopt;
    if (keepsExtension(row.key.kind) && !name.contains(u'.'))
        name += extensionOf(oldName);
    if (name == row.name)
        return std::nullopt;
    return name;
}

void beginRename(Binder &binder, int position)
{
    if (position >= 1 && position <= binder.pageCount())
        binder.setNameBeforeRename(binder.page(position).name);
}

bool finishRename(Workspace &workspace, Binder &binder, int position, const QString &text)
{
    const QString oldName = binder.nameBeforeRename();
    binder.setNameBeforeRename(QString());
    const std::optional<QString> name = renamedTo(binder, position, oldName, text);
    if (!name)
        return false;
    PageFields fields = PageFields::of(binder.page(position));
    fields.name = *name;
    binder.push(std::make_unique<ChangePageCommand>(
        binder, position, fields, QCoreApplication::translate("PageRename", "Rename Page")));
    placeIfStyleSheet(workspace, binder, position, *name);
    return true;
}

void placeIfStyleSheet(Workspace &workspace, Binder &binder, int position, const QString &name)
{
    if (name.endsWith(QStringLiteral(".css"), Qt::CaseInsensitive))
        writePageToTemp(workspace, binder, name, position);
}

void cancelRename(Binder &binder)
{
    binder.setNameBeforeRename(QString());
}

} // namespace quillery
