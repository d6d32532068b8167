// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/ToolbarButtons.h"

#include <QIcon>
#include <QToolBar>
#include <QVector>

#include <functional>

class QAction;
class QToolButton;

namespace quillery {

// A drop-down toolbar button that remembers the last item chosen: its picture and
// tooltip show that item, and a click on the button itself repeats it.
class DropDownChoice
{
public:
    struct Item
    {
        QString caption;
        int picture;
        QString tooltip;
    };

    explicit DropDownChoice(QVector<Item> items, int initial = 0);
    const QVector<Item> &items() const { return m_items; }
    int current() const { return m_current; }
    const Item &currentItem() const { return m_items[m_current]; }
    void choose(int index) { m_current = index; }

private:
    QVector<Item> m_items;
    int m_current;
};

// The main window's fifteen toolbar buttons, addressed by position 1 to 15 (4, 9 and 11
// are separators). Button 5 adds a page and button 10 sets the view, each by its
// remembered drop-down choice.
class MainToolbar : public QToolBar
{
    Q_OBJECT
public:
    using enum toolbar::Button;
    enum AddChoice { AddRtf, AddTxt, AddHtml, AddPicture, AddSound, AddFile, AddScanner };

    using IconForPicture = std::function<QIcon(int picture)>;
    explicit MainToolbar(IconForPicture icons, QWidget *parent = nullptr);

    QAction *button(int position) const { return m_buttons.value(position); }
    void setButtonEnabled(int position, bool enabled);
    DropDownChoice &addChoice() { return m_add; }
    // Picks a drop-down item of button 5 or 10 as a click on it would, without acting.
    void showChoice(int position, int index);

Q_SIGNALS:
    // A plain button, or button 5 or 10 with the choice to carry out.
    void buttonClicked(int position, int choice);

private:
    QToolButton *dropDown(int position, DropDownChoice &choice);

    IconForPicture m_icons;
    QVector<QAction *> m_buttons;
    DropDownChoice m_add;
    DropDownChoice m_view;
};

} // namespace quillery
