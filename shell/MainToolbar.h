// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/Command.h"

#include <QHash>
#include <QIcon>
#include <QToolBar>
#include <QVector>

#include <functional>

class QAction;
class QToolButton;

namespace quillery {

class BinderMenus;

// The main window's toolbar: a button a command, and two drop-down buttons (Add Page and
// View) that remember the last item chosen: their picture and tooltip show that item, and
// a click on the button itself repeats it.
class MainToolbar : public QToolBar
{
    Q_OBJECT
public:
    using IconForPicture = std::function<QIcon(int picture)>;
    explicit MainToolbar(IconForPicture icons, QWidget *parent = nullptr);

    // The button of a command, or the drop-down item that chooses it; nullptr when the
    // toolbar does not offer it.
    QAction *item(Command command) const { return m_items.value(command); }
    // Enables each button as the active binder window's command is; with no binder window
    // only New and Open are left.
    void follow(const BinderMenus *menus);

Q_SIGNALS:
    void commandChosen(Command command);

private:
    struct Choice
    {
        Command command;
        const char *caption;
    };
    struct DropDown
    {
        QToolButton *button = nullptr;
        QVector<Choice> choices;
        int current = 0;
    };

    void addButton(Command command);
    void addDropDown(DropDown &dropDown, QVector<Choice> choices);
    void showChoice(DropDown &dropDown, int index);

    IconForPicture m_icons;
    QHash<Command, QAction *> m_items;
    QVector<Command> m_plain;
    DropDown m_add;
    DropDown m_view;
};

} // namespace quillery
