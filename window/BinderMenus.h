// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QList>
#include <QString>

class QAction;
class QMenu;
class QObject;

namespace quillery {

// The menus of a binder window: the menu bar's File, Edit, Window and Help, and the three
// context menus. Every item is an action found by its name ("mnuSave", "mnuUp", ...).
class BinderMenus
{
public:
    explicit BinderMenus(QObject *owner);

    // The item of that name; a name no item has is a fault in the program and stops it.
    QAction *operator[](const char *name) const;
    const QList<QMenu *> &barMenus() const { return m_bar; }
    QMenu *mnuRTF = nullptr;  // text pane
    QMenu *mnuIcon = nullptr; // a page row
    QMenu *mnuPage = nullptr; // the list background
    QMenu *mnuImport = nullptr;
    QMenu *mnuInsert = nullptr;
    QMenu *mnuExport = nullptr;
    QMenu *mnuPView = nullptr;

private:
    QMenu *menu(const char *caption, const char *name);
    void fill(QMenu *menu, const QList<const char *> &names);

    QObject *m_owner;
    QHash<QString, QAction *> m_actions;
    QList<QMenu *> m_bar;
};

} // namespace quillery
