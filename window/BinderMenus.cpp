// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/BinderMenus.h"

#include "window/CommandState.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>

namespace quillery {

BinderMenus::BinderMenus(QObject *owner) : m_owner(owner)
{
    for (int c = 0; c < CommandCount; ++c) {
        const CommandSpec &spec = commandSpec(Command(c));
        auto *action = new QAction(QCoreApplication::translate("Command", spec.caption), owner);
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
    QMenu *import = menu(QT_TRANSLATE_NOOP("BinderMenus", "&Import"));
    fill(import, {C::ImportRichText, C::ImportPlainText, C::ImportHtml, C::ImportScanner,
                  C::ImportFolder, C::ImportBinder});
    QMenu *insert = menu(QT_TRANSLATE_NOOP("BinderMenus", "Inser&t"));
    fill(insert, {C::InsertPicture, C::InsertSound, C::InsertFile});
    m_export = menu(QT_TRANSLATE_NOOP("BinderMenus", "&Export"));
    fill(m_export, {C::ExportRichText, C::ExportPlainText, C::ExportHtml, C::ExportPage});

    QMenu *file = menu(QT_TRANSLATE_NOOP("BinderMenus", "&File"));
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
    QMenu *edit = menu(QT_TRANSLATE_NOOP("BinderMenus", "&Edit"));
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
    QMenu *pane = menu(QT_TRANSLATE_NOOP("BinderMenus", "Page List &Position"));
    fill(pane, {C::ListAbove, C::ListBelow, C::ListLeft, C::ListRight});
    QMenu *view = menu(QT_TRANSLATE_NOOP("BinderMenus", "&View"));
    fill(view, {C::LargeIcons, C::SmallIcons, C::ListView, C::Details, {}});
    view->addMenu(pane);
    fill(view, {C::AutoHide});
    QMenu *go = menu(QT_TRANSLATE_NOOP("BinderMenus", "&Go"));
    fill(go, {C::Back, C::Forward, C::Stop, C::Refresh, {}, C::NextPage, C::PreviousPage});
    QMenu *window = menu(QT_TRANSLATE_NOOP("BinderMenus", "&Window"));
    fill(window,
         {C::TileHorizontal, C::TileVertical, C::Cascade, C::ArrangeIcons, {}, C::AutoHide});
    QMenu *help = menu(QT_TRANSLATE_NOOP("BinderMenus", "&Help"));
    fill(help, {C::Contents, {}, C::About, C::SendFeedback});
    m_bar = {file, edit, view, go, window, help};

    textMenu = menu("");
    fill(textMenu, {C::CopyText, C::SelectAllText});
    pageMenu = menu("");
    alias(pageMenu, C::EditPage, QT_TRANSLATE_NOOP("BinderMenus", "&Edit..."));
    alias(pageMenu, C::RenamePage, QT_TRANSLATE_NOOP("BinderMenus", "&Rename"));
    pageMenu->addSeparator();
    alias(pageMenu, C::CutPage, QT_TRANSLATE_NOOP("BinderMenus", "Cu&t"));
    alias(pageMenu, C::CopyPage, QT_TRANSLATE_NOOP("BinderMenus", "&Copy"));
    alias(pageMenu, C::DeletePage, QT_TRANSLATE_NOOP("BinderMenus", "&Delete..."));
    pageMenu->addSeparator();
    alias(pageMenu, C::PageProperties, QT_TRANSLATE_NOOP("BinderMenus", "&Properties..."));
    QMenu *add = menu(QT_TRANSLATE_NOOP("BinderMenus", "&Add"));
    alias(add, C::NewRichTextPage, QT_TRANSLATE_NOOP("BinderMenus", "&Rich Text Page..."));
    alias(add, C::NewPlainTextPage, QT_TRANSLATE_NOOP("BinderMenus", "&Plain Text Page..."));
    alias(add, C::NewHtmlPage, QT_TRANSLATE_NOOP("BinderMenus", "&HTML Page..."));
    alias(add, C::InsertPicture, QT_TRANSLATE_NOOP("BinderMenus", "Pi&cture..."));
    alias(add, C::InsertSound, QT_TRANSLATE_NOOP("BinderMenus", "&Sound..."));
    alias(add, C::InsertFile, QT_TRANSLATE_NOOP("BinderMenus", "&File..."));
    fill(add, {C::ImportScanner});
    m_listView = menu(QT_TRANSLATE_NOOP("BinderMenus", "&View"));
    fill(m_listView, {C::LargeIcons, C::SmallIcons, C::ListView, C::Details});
    listMenu = menu("");
    listMenu->addMenu(add);
    alias(listMenu, C::PastePage, QT_TRANSLATE_NOOP("BinderMenus", "&Paste"));
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
    auto *m = new QMenu(QCoreApplication::translate("BinderMenus", caption));
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
    QAction *item = menu->addAction(QCoreApplication::translate("BinderMenus", caption));
    item->setEnabled(target->isEnabled());
    QObject::connect(target, &QAction::enabledChanged, item, &QAction::setEnabled);
    QObject::connect(item, &QAction::triggered, target, &QAction::trigger);
}

} // namespace quillery
