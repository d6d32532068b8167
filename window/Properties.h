// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace quillery {

class Binder;
class Workspace;

// The binder's records as stored text, with every page's records and without the
// password record, which the properties dialog must not show.
QString configurationText(const Binder &binder);

// The file properties' OK: the binder gets the title (also in its caption) and counts as
// changed, even when the title is the same.
void applyFileProperties(Binder &binder, const QString &title);

// What the page properties dialog changes.
struct PageEdit
{
    QString name;
    QString comments;
    std::optional<QString> colour; // rich text pages only; others keep theirs
};

// The page properties' OK for the page at a 1-based position: renames it as a label edit
// does (a picture, sound or file page keeps its extension when the name has none; a
// blank name keeps the old one), and sets its comments and colour.
void applyPageProperties(Workspace &workspace, Binder &binder, int position, const PageEdit &edit);

} // namespace quillery
