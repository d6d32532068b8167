// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Colours.h"

#include <QHash>
#include <QToolBar>

class QMenu;
class QToolButton;

namespace quillery {

// The editor's formatting toolbar. Buttons are known by their index (the gaps are
// separators); Paste and Colour carry a drop-down menu.
class FormatToolbar : public QToolBar
{
    Q_OBJECT
public:
    enum Button {
        Cut = 1,
        Copy = 2,
        Paste = 3,
        Bold = 5,
        Italic = 6,
        Underline = 7,
        Strikeout = 8,
        Colour = 9,
        AlignLeft = 11,
        Centre = 12,
        AlignRight = 13,
        Bullet = 15,
        FindReplace = 17,
    };
    // The colour menu's last two entries, after the sixteen named colours.
    static constexpr int AutomaticEntry = 17;
    static constexpr int OtherEntry = 18;

    explicit FormatToolbar(QWidget *parent = nullptr);

    QAction *button(int index) const { return m_buttons.value(index); }
    // The drop-down of button 3 or 9.
    QMenu *buttonMenu(int index) const;
    QToolButton *toolButton(int index) const;
    void setColourTip(ColourCode colour);

Q_SIGNALS:
    void buttonClicked(int index);
    // entry counts from 1, in the menu's order.
    void menuEntryChosen(int index, int entry, const QString &text);

private:
    QAction *addButton(int index, const char *tip, const char *themeIcon, const char *icon,
                       bool check);
    QMenu *addMenu(int index, const QStringList &entries);

    QHash<int, QAction *> m_buttons;
    QHash<int, QMenu *> m_menus;
};

} // namespace quillery
