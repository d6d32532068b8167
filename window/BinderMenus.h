// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/Command.h"

#include <QList>

#include <array>
#include <initializer_list>
#include <optional>

class QAction;
class QMenu;
class QObject;

namespace quillery {

struct CommandState;

// The menus of a binder window: the menu bar's File, Edit, View, Go, Window and Help, and
// the three context menus. Each command has one action; a context menu that names a
// command in fewer words shows an item that follows that action.
class BinderMenus
{
public:
    explicit BinderMenus(QObject *owner);

    QAction *action(Command command) const { return m_actions[size_t(command)]; }
    const QList<QMenu *> &barMenus() const { return m_bar; }
    // Shows which commands are enabled and checked, and what Undo and Redo name.
    void apply(const CommandState &state) const;

    QMenu *textMenu = nullptr; // the text pane
    QMenu *pageMenu = nullptr; // a page row
    QMenu *listMenu = nullptr; // the list background

private:
    using Entry = std::optional<Command>; // std::nullopt is a separator
    QMenu *menu(const char *caption);
    void fill(QMenu *menu, std::initializer_list<Entry> entries);
    // An item of a context menu with its own caption that does what the command does.
    void alias(QMenu *menu, Command command, const char *caption);

    QObject *m_owner;
    std::array<QAction *, CommandCount> m_actions{};
    QList<QMenu *> m_bar;
    QMenu *m_export = nullptr;
    QMenu *m_listView = nullptr;
};

} // namespace quillery
