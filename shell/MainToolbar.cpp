// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/MainToolbar.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

namespace quillery {

using namespace Qt::Literals::StringLiterals;

DropDownChoice::DropDownChoice(QVector<Item> items, int initial)
    : m_items(std::move(items)), m_current(initial)
{
}

namespace {

QVector<DropDownChoice::Item> addItems()
{
    return {{u"&Rich Text Page..."_s, 10, u"Add Rich Text Page (Shift+F4)"_s},
            {u"&Plain Text Page..."_s, 11, u"Add Plain Text Page (Shift+F5)"_s},
            {u"&HTML Page..."_s, 12, u"Add HTML Page (Shift+F6)"_s},
            {u"Pi&cture..."_s, 13, u"Insert Picture (Shift+F8)"_s},
            {u"&Sound..."_s, 14, u"Insert Sound (Shift+F9)"_s},
            {u"&File..."_s, 15, u"Insert File (Shift+F11)"_s},
            {u"Scanner/Camera &Image (TWAIN)..."_s, 17,
             u"Import Scanner/Camera Image (TWAIN) (Ctrl+Q)"_s}};
}

QVector<DropDownChoice::Item> viewItems()
{
    return {{u"&Large icons"_s, 8, u"View Large Icons"_s},
            {u"&Small icons"_s, 9, u"View Small Icons"_s},
            {u"Lis&t"_s, 7, u"View List"_s},
            {u"&Details"_s, 16, u"View Details"_s}};
}

struct Plain
{
    int position;
    int picture;
    const char *tooltip;
};

const Plain PlainButtons[] = {
    {MainToolbar::New, 1, "New File (Ctrl+N)"},
    {MainToolbar::Open, 2, "Open File (Ctrl+O)"},
    {MainToolbar::Save, 3, "Save File (Ctrl+S)"},
    {MainToolbar::Rename, 4, "Rename Page (F2)"},
    {MainToolbar::Delete, 5, "Delete Page (Del)"},
    {MainToolbar::Edit, 6, "Edit Page (F8)"},
    {MainToolbar::Back, 18, "Back"},
    {MainToolbar::Forward, 19, "Forward"},
    {MainToolbar::Stop, 20, "Stop"},
    {MainToolbar::Refresh, 21, "Refresh"},
};

} // namespace

MainToolbar::MainToolbar(IconForPicture icons, QWidget *parent)
    : QToolBar(parent), m_icons(std::move(icons)), m_buttons(16, nullptr), m_add(addItems()),
      m_view(viewItems())
{
    setObjectName(QStringLiteral("tbQL"));
    setMovable(false);
    for (int position = 1; position <= 15; ++position) {
        if (position == 4 || position == 9 || position == 11) {
            addSeparator();
            continue;
        }
        if (position == AddPage || position == View) {
            QToolButton *button = dropDown(position, position == AddPage ? m_add : m_view);
            m_buttons[position] = addWidget(button);
            m_buttons[position]->setObjectName(QStringLiteral("button%1").arg(position));
            continue;
        }
        for (const Plain &plain : PlainButtons) {
            if (plain.position != position)
                continue;
            QAction *action = addAction(m_icons(plain.picture), QString::fromLatin1(plain.tooltip));
            action->setObjectName(QStringLiteral("button%1").arg(position));
            connect(action, &QAction::triggered, this,
                    [this, position] { Q_EMIT buttonClicked(position, -1); });
            m_buttons[position] = action;
        }
    }
}

QToolButton *MainToolbar::dropDown(int position, DropDownChoice &choice)
{
    auto *button = new QToolButton(this);
    button->setPopupMode(QToolButton::MenuButtonPopup);
    auto *menu = new QMenu(button);
    for (int i = 0; i < choice.items().size(); ++i) {
        QAction *item = menu->addAction(choice.items()[i].caption);
        connect(item, &QAction::triggered, this, [this, position, i] {
            showChoice(position, i);
            Q_EMIT buttonClicked(position, i);
        });
    }
    button->setMenu(menu);
    connect(button, &QToolButton::clicked, this,
            [this, position, &choice] { Q_EMIT buttonClicked(position, choice.current()); });
    button->setIcon(m_icons(choice.currentItem().picture));
    button->setToolTip(choice.currentItem().tooltip);
    return button;
}

void MainToolbar::showChoice(int position, int index)
{
    DropDownChoice &choice = position == AddPage ? m_add : m_view;
    choice.choose(index);
    auto *button = qobject_cast<QToolButton *>(widgetForAction(m_buttons[position]));
    button->setIcon(m_icons(choice.currentItem().picture));
    button->setToolTip(choice.currentItem().tooltip);
}

void MainToolbar::setButtonEnabled(int position, bool enabled)
{
    if (QAction *action = m_buttons.value(position))
        action->setEnabled(enabled);
}

} // namespace quillery
