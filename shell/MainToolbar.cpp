// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/MainToolbar.h"

#include "window/BinderMenus.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QToolButton>

namespace quillery {

namespace {

// The buttons show only a picture: a screen reader says the command's name and reads the
// tooltip as the description.
void nameButton(QWidget *button, Command command)
{
    button->setAccessibleName(commandName(command));
    button->setAccessibleDescription(
        QCoreApplication::translate("Command", commandSpec(command).toolTip));
}

} // namespace

MainToolbar::MainToolbar(IconForPicture icons, QWidget *parent)
    : QToolBar(parent), m_icons(std::move(icons))
{
    setObjectName(QStringLiteral("tbQL"));
    setMovable(false);
    using C = Command;
    addButton(C::New);
    addButton(C::Open);
    addButton(C::Save);
    addSeparator();
    addDropDown(m_add, {{C::NewRichTextPage, QT_TR_NOOP("&Rich Text Page...")},
                        {C::NewPlainTextPage, QT_TR_NOOP("&Plain Text Page...")},
                        {C::NewHtmlPage, QT_TR_NOOP("&HTML Page...")},
                        {C::InsertPicture, QT_TR_NOOP("Pi&cture...")},
                        {C::InsertSound, QT_TR_NOOP("&Sound...")},
                        {C::InsertFile, QT_TR_NOOP("&File...")},
                        {C::ImportScanner, QT_TR_NOOP("Scanner/Camera &Image (TWAIN)...")}});
    addButton(C::RenamePage);
    addButton(C::DeletePage);
    addButton(C::EditPage);
    addSeparator();
    addDropDown(m_view, {{C::LargeIcons, QT_TR_NOOP("&Large icons")},
                         {C::SmallIcons, QT_TR_NOOP("&Small icons")},
                         {C::ListView, QT_TR_NOOP("Lis&t")},
                         {C::Details, QT_TR_NOOP("&Details")}});
    addSeparator();
    for (Command command : {C::Back, C::Forward, C::Stop, C::Refresh})
        addButton(command);
}

void MainToolbar::addButton(Command command)
{
    const CommandSpec &spec = commandSpec(command);
    QAction *action =
        addAction(m_icons(spec.picture), QCoreApplication::translate("Command", spec.toolTip));
    connect(action, &QAction::triggered, this, [this, command] { Q_EMIT commandChosen(command); });
    nameButton(widgetForAction(action), command);
    m_items.insert(command, action);
    m_plain << command;
}

void MainToolbar::addDropDown(DropDown &dropDown, QVector<Choice> choices)
{
    dropDown.choices = std::move(choices);
    dropDown.button = new QToolButton(this);
    dropDown.button->setPopupMode(QToolButton::MenuButtonPopup);
    auto *menu = new QMenu(dropDown.button);
    for (int i = 0; i < dropDown.choices.size(); ++i) {
        const Command command = dropDown.choices[i].command;
        QAction *item = menu->addAction(tr(dropDown.choices[i].caption));
        connect(item, &QAction::triggered, this, [this, &dropDown, i, command] {
            showChoice(dropDown, i);
            Q_EMIT commandChosen(command);
        });
        m_items.insert(command, item);
    }
    dropDown.button->setMenu(menu);
    connect(dropDown.button, &QToolButton::clicked, this, [this, &dropDown] {
        Q_EMIT commandChosen(dropDown.choices[dropDown.current].command);
    });
    addWidget(dropDown.button);
    showChoice(dropDown, 0);
}

void MainToolbar::showChoice(DropDown &dropDown, int index)
{
    dropDown.current = index;
    const CommandSpec &spec = commandSpec(dropDown.choices[index].command);
    dropDown.button->setIcon(m_icons(spec.picture));
    dropDown.button->setToolTip(QCoreApplication::translate("Command", spec.toolTip));
    nameButton(dropDown.button, dropDown.choices[index].command);
}

void MainToolbar::follow(const BinderMenus *menus)
{
    for (Command command : m_plain) {
        const bool always = command == Command::New || command == Command::Open;
        m_items.value(command)->setEnabled(always ||
                                           (menus && menus->action(command)->isEnabled()));
    }
    // Whatever a binder holds, it can be added to and viewed otherwise.
    m_add.button->setEnabled(menus != nullptr);
    m_view.button->setEnabled(menus != nullptr);
}

} // namespace quillery
