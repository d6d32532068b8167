// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PageRename.h"

#include "documents/Binder.h"
#include "documents/PageKind.h"
#include "documents/Workspace.h"
#include "transfer/FileNames.h"
#include "transfer/PageExport.h"

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

void beginRename(Binder &binder, int position)
{
    if (position >= 1 && position <= binder.pageCount())
        binder.setNameBeforeRename(binder.pages.at(position - 1).name);
}

bool finishRename(Workspace &workspace, Binder &binder, int position, const QString &text)
{
    const QString oldName = binder.nameBeforeRename();
    binder.setNameBeforeRename(QString());
    if (position < 1 || position > binder.pageCount())
        return false;
    PageRow row = binder.pages.at(position - 1);
    QString name = singleLine(text);
    if (name.trimmed().isEmpty())
        return false;
    if (keepsExtension(row.key.kind) && !name.contains(u'.'))
        name += extensionOf(oldName);
    if (name == row.name)
        return false;
    row.name = name;
    binder.pages.replace(position - 1, row);
    // HTML pages refer to style sheets by name, so one is put where they look for it.
    if (name.endsWith(QStringLiteral(".css"), Qt::CaseInsensitive))
        writePageToTemp(workspace, binder, name, position);
    binder.setChanged(true);
    return true;
}

void cancelRename(Binder &binder)
{
    binder.setNameBeforeRename(QString());
}

} // namespace quillery
