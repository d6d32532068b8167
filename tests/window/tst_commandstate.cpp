// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "TestSupport.h"
#include "documents/Binder.h"
#include "platform_ui/QtDialogs.h"
#include "shell/MainToolbar.h"
#include "support/ui/MainWindowFixture.h"
#include "window/BinderMenus.h"
#include "window/BinderWindow.h"
#include "window/CommandState.h"

#include <QAction>
#include <QMenu>
#include <QTest>

using namespace quillery;
using namespace quillery::test;

namespace {

using C = Command;

void addPages(Binder &binder, int count, const QString &kind = "TXT")
{
    for (int i = 0; i < count; ++i) {
        PageRow row;
        row.name = QStringLiteral("Page %1").arg(binder.pageCount() + 1);
        row.key.kind = StoredKind::fromName(kind);
        binder.appendLoadedPages({row});
    }
}

// The commands that act on the selected page.
QList<bool> pageCommands(const CommandState &s)
{
    QList<bool> enabled;
    for (C c : {C::Print, C::PageProperties, C::ExportPage, C::EditPage, C::RenamePage, C::CutPage,
                C::CopyPage, C::DeletePage, C::Find})
        enabled << s.isEnabled(c);
    return enabled << s.exportMenu;
}

// Every action the menus reach, through their submenus.
void collect(const QMenu *menu, QSet<const QAction *> &found)
{
    for (const QAction *action : menu->actions()) {
        found << action;
        if (action->menu())
            collect(action->menu(), found);
    }
}

} // namespace

class tst_commandstate : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Without a selected row only the list's commands are offered; a selected one shows its
    // position and may move within the list.
    void theSelectedRowDecidesWhatIsOffered()
    {
        Binder binder;
        binder.setRecord("Title", "Notes");
        CommandState s = commandState(binder, {});
        QVERIFY(!s.isEnabled(C::DeleteAllPages) && !s.isEnabled(C::SearchAll));
        QVERIFY(!s.isEnabled(C::PastePage) && !s.viewMenu && !s.isEnabled(C::NextPage));
        QCOMPARE(s.pagesStatus, QString("0 Pages"));
        QVERIFY(!s.clearPageStatus);

        addPages(binder, 1);
        binder.setCurrentPosition(1);
        s = commandState(binder, {.selected = 0, .pageOnClipboard = true});
        QCOMPARE(s.pagesStatus, QString("1 Page"));
        QCOMPARE(pageCommands(s), QList<bool>(10, false));
        QVERIFY(s.isEnabled(C::DeleteAllPages) && s.isEnabled(C::SearchAll) && s.viewMenu);
        QVERIFY(s.isEnabled(C::PastePage) && s.isEnabled(C::NextPage));
        QVERIFY(!s.isEnabled(C::MoveUp) && !s.isEnabled(C::MoveDown));
        QVERIFY(!s.isEnabled(C::PreviousPage));
        QVERIFY(s.clearPageStatus);

        // A row the list no longer has is no selection.
        s = commandState(binder, {.selected = 2});
        QCOMPARE(s.pagesStatus, QString("1 Page"));

        s = commandState(binder, {.selected = 1});
        QCOMPARE(s.pagesStatus, QString("Page 1 of 1"));
        QCOMPARE(pageCommands(s), QList<bool>(10, true));
        QVERIFY(!s.isEnabled(C::MoveUp) && !s.isEnabled(C::MoveDown));
        QVERIFY(!s.isEnabled(C::NextPage) && !s.isEnabled(C::PreviousPage));
        QVERIFY(!s.clearPageStatus);

        addPages(binder, 2);
        s = commandState(binder, {.selected = 1});
        QVERIFY(!s.isEnabled(C::MoveUp) && s.isEnabled(C::MoveDown) && s.isEnabled(C::NextPage));
        s = commandState(binder, {.selected = 3});
        QVERIFY(s.isEnabled(C::MoveUp) && !s.isEnabled(C::MoveDown));
        QVERIFY(s.isEnabled(C::PreviousPage) && !s.isEnabled(C::NextPage));
        // Encrypting needs a binder that may be saved.
        QVERIFY(s.isEnabled(C::Encrypt));
        binder.setReadOnly(true);
        QVERIFY(!commandState(binder, {.selected = 1}).isEnabled(C::Encrypt));
    }

    void findPreviewAndExportFitThePageAndTheSelectedRowBecomesCurrent()
    {
        Binder binder;
        for (const char *kind : {"RTF", "TXT", "HTML", "PICTURE", "SOUND", "FILE"})
            addPages(binder, 1, QString::fromLatin1(kind));
        for (int position = 1; position <= 6; ++position) {
            binder.setCurrentPosition(position);
            const CommandState s = commandState(binder, {.selected = position});
            QCOMPARE(s.isEnabled(C::Find), position <= 3);
            QCOMPARE(s.isEnabled(C::PrintPreview), position <= 2); // rich and plain text only
            // A page is exported as its own type, or as a file.
            QCOMPARE(QList<bool>({s.isEnabled(C::ExportRichText), s.isEnabled(C::ExportPlainText),
                                  s.isEnabled(C::ExportHtml)}),
                     QList<bool>({position == 1, position == 2, position == 3}));
            QVERIFY(s.isEnabled(C::ExportPage));
        }
        // With no current page the selected row decides, and nothing is made current.
        binder.setCurrentPosition(0);
        const CommandState s = commandState(binder, {.selected = 4});
        QVERIFY(!s.isEnabled(C::Find));
        QCOMPARE(binder.currentPosition(), 0);
    }

    // The browser's commands need a page in the browser; the check marks show the list's
    // view, where the list lies, auto-hide and offline.
    void browserCommandsAndCheckMarksFollowTheWindow()
    {
        Binder binder;
        addPages(binder, 2);
        CommandState s = commandState(binder, {.selected = 1});
        for (C c : {C::Back, C::Forward, C::Stop, C::Refresh})
            QVERIFY(!s.isEnabled(c));
        QVERIFY(s.isChecked(C::LargeIcons) && !s.isChecked(C::Details));
        QVERIFY(s.isChecked(C::ListAbove) && !s.isChecked(C::ListLeft));
        QVERIFY(!s.isChecked(C::AutoHide) && !s.isChecked(C::WorkOffline));

        binder.setPanePosition(PanePosition::ListLeft,
                               Binder::paneLengthFor(PanePosition::ListLeft));
        s = commandState(binder, {.selected = 1,
                                  .html = true,
                                  .offline = true,
                                  .view = PageListView::View::Details,
                                  .autoHide = true});
        for (C c : {C::Back, C::Forward, C::Stop, C::Refresh})
            QVERIFY(s.isEnabled(c));
        QVERIFY(!s.isChecked(C::LargeIcons) && s.isChecked(C::Details));
        QVERIFY(!s.isChecked(C::ListAbove) && s.isChecked(C::ListLeft));
        QVERIFY(s.isChecked(C::AutoHide) && s.isChecked(C::WorkOffline));
    }

    // Every command has a caption with one access key, a handler and a place in a menu; its
    // menu item, and its toolbar button where it has one, follow the binder without being
    // told.
    void everyCommandIsInAMenuAndFollowsTheBinder()
    {
        BinderFixture f;
        Window w(f);
        w.main.openFile(
            f.makeBinder("all.qly", {{"one.txt", "1"}, {"two.txt", "2"}, {"three.txt", "3"}}));
        BinderWindow *window = w.main.activeBinderWindow();
        const BinderMenus &menus = window->menus();
        QSet<const QAction *> inMenus;
        for (const QMenu *menu : menus.barMenus())
            collect(menu, inMenus);
        QSet<const QAction *> inContextMenus;
        for (const QMenu *menu : {menus.textMenu, menus.pageMenu, menus.listMenu})
            collect(menu, inContextMenus);
        for (int c = 0; c < CommandCount; ++c) {
            const CommandSpec &spec = commandSpec(Command(c));
            const QString caption = QString::fromLatin1(spec.caption);
            QVERIFY2(!accessKey(caption).isNull(), qPrintable(caption));
            QVERIFY2(spec.run, qPrintable(caption));
            // The text pane's own commands and the list background's Properties live in
            // their context menus; the rest in the menu bar.
            const bool contextOnly = Command(c) == C::CopyText || Command(c) == C::SelectAllText ||
                                     Command(c) == C::ListFileProperties;
            QVERIFY2((contextOnly ? inContextMenus : inMenus).contains(menus.action(Command(c))),
                     qPrintable(caption));
        }

        Binder &binder = window->binder();
        const auto expectFollowing = [&](const char *how) {
            ListState list;
            list.selected = window->selectedPosition();
            list.view = window->pageList()->view();
            const CommandState expected = commandState(binder, list);
            for (int c = 0; c < CommandCount; ++c) {
                const QAction *action = menus.action(Command(c));
                QVERIFY2(action->isEnabled() == expected.enabled[c],
                         qPrintable(QString::fromLatin1(how) + ": " + action->text()));
                QVERIFY2(action->isChecked() == expected.checked[c],
                         qPrintable(QString::fromLatin1(how) + ": " + action->text()));
                if (const QAction *button = w.main.toolbar()->item(Command(c));
                    button && !button->menu() && action->isEnabled() != button->isEnabled() &&
                    Command(c) != C::New && Command(c) != C::Open)
                    QFAIL(qPrintable(QString::fromLatin1(how) + ": button " + action->text()));
            }
            // The page menu's shorter items follow the commands they stand for.
            const C stoodFor[] = {C::EditPage, C::RenamePage, C::CutPage,
                                  C::CopyPage, C::DeletePage, C::PageProperties};
            int next = 0;
            for (const QAction *item : menus.pageMenu->actions()) {
                if (item->isSeparator())
                    continue;
                QVERIFY2(item->isEnabled() == menus.action(stoodFor[next++])->isEnabled(),
                         qPrintable(QString::fromLatin1(how) + ": " + item->text()));
            }
        };
        expectFollowing("opened");
        binder.setCurrentPosition(3);
        expectFollowing("last page");
        binder.setCurrentPosition(0);
        expectFollowing("no page");
        binder.setCurrentPosition(2);
        menus.action(C::Details)->trigger();
        expectFollowing("details");
        QCOMPARE(window->pageList()->view(), PageListView::View::Details);
        menus.action(C::ListRight)->trigger();
        QCOMPARE(binder.panePosition(), PanePosition::ListRight);
        expectFollowing("list on the right");
        binder.undo();
        QCOMPARE(binder.panePosition(), PanePosition::ListAbove);
        expectFollowing("list back above");
        binder.movePage(2, 3);
        expectFollowing("page moved");
        binder.setReadOnly(true);
        expectFollowing("read-only");
    }
};

QTEST_MAIN(tst_commandstate)
#include "tst_commandstate.moc"
