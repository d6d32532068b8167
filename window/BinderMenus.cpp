// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/BinderMenus.h"

#include "window/CommandState.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace quillery {

BinderMenus::BinderMenus(QObject *owner) : m_owner(owner)
{
    for (int c = 0; c < CommandCount; ++c) {
        const CommandSpec &spec = commandSpec(Command(c));
        auto *action = new QAction(QString::fromLatin1(spec.caption), owner);
        action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(spec.shortcuts)));
        action->setCheckable(spec.checked != nullptr);
        m_actions[c] = action;
    }

    using C = Command;
    // One of each set is checked: the menus show them as choices.
    for (const auto &choices :
         {std::initializer_list<C>{C::LargeIcons, C::SmallIcons, C::ListView, C::Details},
          {C::ListAbove, C::ListBelow, C::ListLeft, C::ListRight}}) {
        auto *group = new QActionGroup(owner);
        for (C choice : choices)
            group->addAction(action(choice));
    }
    QMenu *import = menu("&Import");
    fill(import, {C::ImportRichText, C::ImportPlainText, C::ImportHtml, C::ImportScanner,
                  C::ImportFolder, C::ImportBinder});
    QMenu *insert = menu("Inser&t");
    fill(insert, {C::InsertPicture, C::InsertSound, C::InsertFile});
    m_export = menu("&Export");
    fill(m_export, {C::ExportRichText, C::ExportPlainText, C::ExportHtml, C::ExportPage});

    QMenu *file = menu("&File");
    fill(file, {C::New, C::Open, C::Save, C::SaveAs, {}, C::Print, C::PrintPreview, {}});
    file->addMenu(import);
    file->addMenu(insert);
    file->addMenu(m_export);
    fill(file, {{},
                C::PageProperties,
                C::FileProperties,
                C::AuthorName,
                C::ChangePassword,
                C::Encrypt,
                {},
                C::WorkOffline,
                C::RecentFiles,
                {},
                C::Close,
                C::Exit});
    QMenu *edit = menu("&Edit");
    fill(edit, {C::Undo,
                C::Redo,
                {},
                C::EditPage,
                {},
                C::CutPage,
                C::CopyPage,
                C::PastePage,
                {},
                C::DeletePage,
                C::DeleteAllPages,
                {},
                C::NewRichTextPage,
                C::NewPlainTextPage,
                C::NewHtmlPage,
                {},
                C::RenamePage,
                C::MoveUp,
                C::MoveDown,
                {},
                C::Find,
                C::SearchAll,
                {},
                C::Options});
    QMenu *pane = menu("Page List &Position");
    fill(pane, {C::ListAbove, C::ListBelow, C::ListLeft, C::ListRight});
    QMenu *view = menu("&View");
    fill(view, {C::LargeIcons, C::SmallIcons, C::ListView, C::Details, {}});
    view->addMenu(pane);
    fill(view, {C::AutoHide});
    QMenu *go = menu("&Go");
    fill(go, {C::Back, C::Forward, C::Stop, C::Refresh, {}, C::NextPage, C::PreviousPage});
    QMenu *window = menu("&Window");
    fill(window,
         {C::TileHorizontal, C::TileVertical, C::Cascade, C::ArrangeIcons, {}, C::AutoHide});
    QMenu *help = menu("&Help");
    fill(help, {C::Contents, {}, C::About, C::SendFeedback});
    m_bar = {file, edit, view, go, window, help};

    textMenu = menu("");
    fill(textMenu, {C::CopyText, C::SelectAllText});
    pageMenu = menu("");
    alias(pageMenu, C::EditPage, "&Edit...");
    alias(pageMenu, C::RenamePage, "&Rename");
    pageMenu->addSeparator();
    alias(pageMenu, C::CutPage, "Cu&t");
    alias(pageMenu, C::CopyPage, "&Copy");
    alias(pageMenu, C::DeletePage, "&Delete...");
    pageMenu->addSeparator();
    alias(pageMenu, C::PageProperties, "&Properties...");
    QMenu *add = menu("&Add");
    alias(add, C::NewRichTextPage, "&Rich Text Page...");
    alias(add, C::NewPlainTextPage, "&Plain Text Page...");
    alias(add, C::NewHtmlPage, "&HTML Page...");
    alias(add, C::InsertPicture, "Pi&cture...");
    alias(add, C::InsertSound, "&Sound...");
    alias(add, C::InsertFile, "&File...");
    fill(add, {C::ImportScanner});
    m_listView = menu("&View");
    fill(m_listView, {C::LargeIcons, C::SmallIcons, C::ListView, C::Details});
    listMenu = menu("");
    listMenu->addMenu(add);
    alias(listMenu, C::PastePage, "&Paste");
    listMenu->addMenu(m_listView);
    listMenu->addSeparator();
    fill(listMenu, {C::ListFileProperties});
}

void BinderMenus::apply(const CommandState &state) const
{
    for (int c = 0; c < CommandCount; ++c) {
        m_actions[c]->setEnabled(state.enabled[c]);
        if (m_actions[c]->isCheckable())
            m_actions[c]->setChecked(state.checked[c]);
    }
    action(Command::Undo)->setText(state.undoCaption);
    action(Command::Redo)->setText(state.redoCaption);
    m_export->menuAction()->setEnabled(state.exportMenu);
    m_listView->menuAction()->setEnabled(state.viewMenu);
}

QMenu *BinderMenus::menu(const char *caption)
{
    auto *m = new QMenu(QString::fromLatin1(caption));
    // The menu bar shows these menus without owning them.
    QObject::connect(m_owner, &QObject::destroyed, m, &QObject::deleteLater);
    return m;
}

void BinderMenus::fill(QMenu *menu, std::initializer_list<Entry> entries)
{
    for (const Entry &entry : entries) {
        if (entry)
            menu->addAction(action(*entry));
        else
            menu->addSeparator();
    }
}

void BinderMenus::alias(QMenu *menu, Command command, const char *caption)
{
    QAction *target = action(command);
    QAction *item = menu->addAction(QString::fromLatin1(caption));
    item->setEnabled(target->isEnabled());
    QObject::connect(target, &QAction::enabledChanged, item, &QAction::setEnabled);
    QObject::connect(item, &QAction::triggered, target, &QAction::trigger);
}

} // namespace quillery
