// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "documents/SizeText.h"
#include "editor/EditorWindow.h"
#include "options/RunDoc.h"
#include "platform/Settings.h"
#include "platform_ui/RichTextBox.h"
#include "shell/MainToolbar.h"
#include "shell/MainWindow.h"
#include "support/ui/MainWindowFixture.h"
#include "window/BinderWindow.h"
#include "window/PageDisplay.h"
#include "window/PageListView.h"
#include "window/PagePropertiesDialog.h"
#include "window/PageRename.h"
#include "window/SearchAllDialog.h"
#include "window/ViewerPane.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeySequence>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>
#include <QTextCursor>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

using namespace quillery;
using namespace quillery::test;

namespace {

const QList<QPair<QString, QByteArray>> FivePages = {{"one.txt", "page one"},
                                                     {"two.txt", "page two"},
                                                     {"three.txt", "page three"},
                                                     {"four.txt", "page four"},
                                                     {"five.txt", "page five"}};

QAction *itemCaptioned(const QMenu *menu, const QString &caption)
{
    for (QAction *action : menu->actions()) {
        if (action->text() == caption)
            return action;
    }
    qFatal("no menu item %s", qPrintable(caption));
}

// Everything that describes the current page describes the same one: the binder, the
// list's highlight, the viewer, the caption, the status panels and the commands.
void expectAgreement(MainWindow &main, const char *how)
{
    BinderWindow *window = main.activeBinderWindow();
    QVERIFY2(window, how);
    const Binder &binder = window->binder();
    const int current = binder.currentPosition();
    const int count = binder.pageCount();
    QCOMPARE(window->pageList()->selectedRow(), current - 1);
    const BinderMenus &menus = window->menus();
    QVERIFY2(menus.action(Command::RenamePage)->isEnabled() == (current > 0), how);
    QVERIFY2(menus.action(Command::MoveUp)->isEnabled() == (current > 1), how);
    QVERIFY2(menus.action(Command::MoveDown)->isEnabled() == (current > 0 && current < count), how);
    QVERIFY2(menus.action(Command::PreviousPage)->isEnabled() == (current > 1), how);
    QVERIFY2(menus.action(Command::NextPage)->isEnabled() == (current < count), how);
    QVERIFY2(window->isWindowModified() == binder.isChanged(), how);
    if (current == 0) {
        QCOMPARE(window->windowTitle(), binder.caption() + "[*]");
        QCOMPARE(main.statusPanel(StatusPanel::Pages),
                 count == 1 ? QString("1 Page") : QString("%1 Pages").arg(count));
        QCOMPARE(main.statusPanel(StatusPanel::Size), QString());
        QVERIFY2(window->viewer()->textPane()->toPlainText().isEmpty(), how);
        return;
    }
    const PageRow &row = binder.page(current);
    QCOMPARE(window->windowTitle(), binder.caption() + "[*] - " + row.name);
    QCOMPARE(main.statusPanel(StatusPanel::Pages),
             QString("Page %1 of %2").arg(current).arg(count));
    QCOMPARE(main.statusPanel(StatusPanel::Size), "Size: " + sizeText(row.size));
    if (row.key.kind == PageKind::TXT)
        QCOMPARE(window->viewer()->textPane()->toPlainText(), QString::fromUtf8(pageBytes(binder)));
    else
        QVERIFY2(window->viewer()->browserShowsPage, how);
}

QAbstractItemView *listView(MainWindow &main)
{
    return main.activeBinderWindow()->pageList()->currentView();
}

void clickRow(MainWindow &main, int row)
{
    QAbstractItemView *view = listView(main);
    const QRect rect = view->visualRect(view->model()->index(row, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
}

// Presses a command's shortcut in the page list, as a user would.
void pressInList(MainWindow &main, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    QAbstractItemView *list = listView(main);
    list->setFocus();
    QTest::keyClick(list, key, modifiers);
}

// Runs work on the modal dialog of type T once it is open; the dialog must be closed there.
template <typename T> void whenOpen(std::function<void(T &)> work)
{
    QTimer::singleShot(0, [work] {
        auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        work(*dialog);
    });
}

// When the built-in editor opens next, types text at the end of its page and leaves with
// F2 (Save and Exit); caption receives the editor's caption. Should the key not close the
// editor, caption says so and the editor is saved by its menu, so the test fails instead of
// waiting forever.
void typeAndSaveInNextEditor(QString &caption, const QString &text)
{
    caption.clear();
    auto *poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, &caption, text] {
        auto *editor = qobject_cast<EditorWindow *>(QApplication::activeModalWidget());
        if (!editor || !editor->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        caption = editor->windowTitle().remove(QStringLiteral("[*]"));
        editor->activateWindow();
        if (!QTest::qWaitForWindowActive(editor))
            caption = QStringLiteral("the editor never became active");
        QTest::keyClick(editor->textBox(), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(editor->textBox(), text);
        QTest::keyClick(editor->textBox(), Qt::Key_F2);
        if (editor->isVisible()) {
            caption = QStringLiteral("F2 did not close the editor");
            editor->findChild<QAction *>(QStringLiteral("mnuSave"))->trigger();
        }
    });
    poll->start();
}

} // namespace

class tst_currentpage : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void clicksAndNavigationKeysInBothKindsOfList()
    {
        BinderFixture f;
        Window w(f);
        w.main.openFile(f.makeBinder("keys.qly", FivePages));
        expectAgreement(w.main, "opened");
        BinderWindow *window = w.main.activeBinderWindow();
        clickRow(w.main, 2);
        QCOMPARE(window->binder().currentPosition(), 3);
        expectAgreement(w.main, "click");

        for (const auto view : {PageListView::View::LargeIcons, PageListView::View::Details}) {
            window->setView(view);
            for (const Qt::Key key : {Qt::Key_End, Qt::Key_Up, Qt::Key_Home, Qt::Key_PageDown}) {
                pressInList(w.main, key);
                expectAgreement(w.main, QKeySequence(key).toString().toLatin1().constData());
            }
        }

        // Go > Next Page and Previous Page, by their keys and from the menu, stop at the ends.
        clickRow(w.main, 3);
        w.main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.main));
        pressInList(w.main, Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(window->binder().currentPosition(), 5);
        expectAgreement(w.main, "next page by key");
        pressInList(w.main, Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(window->binder().currentPosition(), 5);
        pressInList(w.main, Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(window->binder().currentPosition(), 4);
        expectAgreement(w.main, "previous page by key");
        window->binder().setCurrentPosition(0);
        expectAgreement(w.main, "no page");
        window->menus().action(Command::NextPage)->trigger();
        QCOMPARE(window->binder().currentPosition(), 1);
        expectAgreement(w.main, "next page from no page");
        window->menus().action(Command::PreviousPage)->trigger();
        QCOMPARE(window->binder().currentPosition(), 1);
        window->menus().action(Command::NextPage)->trigger();
        QCOMPARE(window->binder().currentPosition(), 2);
        expectAgreement(w.main, "next page from the menu");
    }
    // An empty binder gets its page commands with its first page; each page added by import
    // or made in the editor becomes current, and Enter edits a page, which then shows what
    // was saved in the editor.
    void addedAndEditedPagesAreShown()
    {
        BinderFixture f;
        Window w(f);
        w.main.openFile(f.makeBinder("empty.qly", {}));
        BinderWindow *window = w.main.activeBinderWindow();
        expectAgreement(w.main, "empty");
        QVERIFY(!window->menus().action(Command::ExportPage)->isEnabled());
        f.dialogs.queueOpenFile(f.file("src/first.txt", "first"));
        window->menus().action(Command::ImportPlainText)->trigger();
        expectAgreement(w.main, "first import");
        QVERIFY(window->menus().action(Command::ExportPage)->isEnabled());
        QVERIFY(window->menus().action(Command::DeletePage)->isEnabled());

        QString caption;
        typeAndSaveInNextEditor(caption, "fresh");
        w.main.toolbar()->item(Command::NewPlainTextPage)->trigger();
        QCOMPARE(caption, QString("Plain Text Editor for 'Page 2'"));
        QCOMPARE(window->binder().currentPosition(), 2);
        QVERIFY(window->viewer()->textPane()->toPlainText().startsWith("fresh"));
        expectAgreement(w.main, "new page from the toolbar");

        f.dialogs.queueOpenFile(f.file("src/notes.bin", "opaque"));
        w.main.toolbar()->item(Command::InsertFile)->trigger();
        QCOMPARE(window->binder().currentPosition(), 3);
        expectAgreement(w.main, "import from the toolbar");

        clickRow(w.main, 0);
        typeAndSaveInNextEditor(caption, " saved");
        QTest::keyClick(listView(w.main), Qt::Key_Return);
        QCOMPARE(caption, QString("Plain Text Editor for 'first'"));
        QVERIFY(window->viewer()->textPane()->toPlainText().startsWith("first saved"));
        expectAgreement(w.main, "saved in the editor");
    }

    // With the desktop's program, Enter, a double-click and the toolbar's button edit the
    // page, and the changed file taken back is shown at once.
    void pagesEditedByAnotherProgramAreShown()
    {
        BinderFixture f;
        Window w(f);
        w.settings.setValue(Settings::Associations, "PEAe2", Settings::DefaultProgram);
        QStringList opened;
        setRunDocHandler([&](const QString &path) {
            opened << path;
            QFile file(path);
            return file.open(QIODevice::Append) && file.write(" edited") > 0;
        });
        w.main.openFile(f.makeBinder("edit.qly", FivePages));
        BinderWindow *window = w.main.activeBinderWindow();
        clickRow(w.main, 1);
        f.dialogs.queueMessage(MsgResult::Ok);
        f.dialogs.queueMessage(MsgResult::Yes);
        QTest::keyClick(listView(w.main), Qt::Key_Return);
        QCOMPARE(opened.size(), 1);
        QVERIFY(opened[0].endsWith("/two.txt"));
        QCOMPARE(window->viewer()->textPane()->toPlainText(), QString("page two edited"));
        expectAgreement(w.main, "edited");

        for (const MsgResult answer :
             {MsgResult::Ok, MsgResult::Yes, MsgResult::Ok, MsgResult::Yes})
            f.dialogs.queueMessage(answer);
        QAbstractItemView *view = listView(w.main);
        const QRect rect = view->visualRect(view->model()->index(2, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, rect.center());
        w.main.toolbar()->item(Command::EditPage)->trigger();
        QCOMPARE(opened.size(), 3);
        QVERIFY(opened[1].contains("/three") && opened[2].contains("/three"));
        QCOMPARE(pageBytes(window->binder(), 3), QByteArray("page three edited edited"));
        setRunDocHandler({});
    }

    void switchingWindowsShowsTheActiveBindersPanels()
    {
        BinderFixture f;
        Window w(f);
        w.main.openFile(f.makeBinder("full.qly", FivePages));
        BinderWindow *full = w.main.activeBinderWindow();
        clickRow(w.main, 4);
        w.main.openFile(f.makeBinder("empty.qly", {}));
        QVERIFY(w.main.activeBinderWindow() != full);
        for (StatusPanel panel : PagePanels)
            QCOMPARE(w.main.statusPanel(panel), QString());
        expectAgreement(w.main, "the empty window");
        w.main.mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(full->parentWidget()));
        expectAgreement(w.main, "back to the full window");
        // A picture opened on its own is shown as its binder's one page.
        w.main.openFile(f.file("photo.png", "not really a picture"));
        QCOMPARE(w.main.activeBinderWindow()->binder().currentPosition(), 1);
        expectAgreement(w.main, "picture opened on its own");
    }

    // A page renamed in its properties, or chosen in Search All, is the one shown; the page
    // clipboard's commands from menus and keys leave every part on one page.
    void dialogsAndThePageClipboardKeepEverythingOnOnePage()
    {
        BinderFixture f;
        Window w(f);
        w.main.openFile(f.makeBinder("clip.qly", FivePages));
        // Shortcuts need the active window, which a closed dialog does not always give back.
        const auto activate = [&w] {
            w.main.activateWindow();
            return QTest::qWaitForWindowActive(&w.main);
        };
        QVERIFY(activate());
        BinderWindow *window = w.main.activeBinderWindow();
        clickRow(w.main, 2);
        whenOpen<PagePropertiesDialog>([](PagePropertiesDialog &dialog) {
            dialog.txtPage->selectAll();
            QTest::keyClicks(dialog.txtPage, "retitled");
            QTest::keyClick(dialog.txtPage, Qt::Key_Return);
        });
        pressInList(w.main, Qt::Key_F11, Qt::ControlModifier);
        QCOMPARE(window->binder().page(3).name, QString("retitled"));
        QCOMPARE(window->binder().currentPosition(), 3);
        expectAgreement(w.main, "renamed in the page properties");
        QVERIFY(activate());

        QString shownWhileOpen;
        whenOpen<SearchAllDialog>([&](SearchAllDialog &dialog) {
            QTest::keyClicks(dialog.txtSA, "four");
            QTest::keyClick(dialog.txtSA, Qt::Key_Return);
            QTreeWidget *results = dialog.lvSA;
            QCOMPARE(results->topLevelItemCount(), 1);
            const QRect rect = results->visualItemRect(results->topLevelItem(0));
            QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, rect.center());
            // The binder window behind the dialog already shows the chosen page.
            shownWhileOpen = window->viewer()->textPane()->toPlainText();
            dialog.cmdClose->click();
        });
        pressInList(w.main, Qt::Key_F9);
        QCOMPARE(shownWhileOpen, QString("page four"));
        QCOMPARE(window->binder().currentPosition(), 4);
        expectAgreement(w.main, "chosen in Search All");
        QVERIFY(activate());

        clickRow(w.main, 1);
        pressInList(w.main, Qt::Key_F7, Qt::ControlModifier);
        QVERIFY(window->menus().action(Command::PastePage)->isEnabled());
        expectAgreement(w.main, "copy");

        // Pasting adds the page at the end; the page the user looks at stays current.
        clickRow(w.main, 3);
        pressInList(w.main, Qt::Key_F8, Qt::ControlModifier);
        QCOMPARE(window->binder().pageCount(), 6);
        QCOMPARE(window->binder().page(6).name, QString("two"));
        QCOMPARE(window->binder().currentPosition(), 4);
        expectAgreement(w.main, "paste by key");
        itemCaptioned(window->menus().listMenu, "&Paste")->trigger();
        QCOMPARE(window->binder().pageCount(), 7);
        expectAgreement(w.main, "paste from the menu");

        // Cut removes the page it copied; the first page becomes current, as after Delete.
        pressInList(w.main, Qt::Key_F6, Qt::ControlModifier);
        QCOMPARE(window->binder().pageCount(), 6);
        QCOMPARE(window->binder().currentPosition(), 1);
        QCOMPARE(window->binder().page(4).name, QString("five"));
        expectAgreement(w.main, "cut by key");
        clickRow(w.main, 5);
        window->menus().action(Command::CutPage)->trigger();
        expectAgreement(w.main, "cut from the menu");

        // Into a binder without pages the pasted page is the one to show.
        f.dialogs.queueMessage(MsgResult::Yes);
        window->menus().action(Command::DeleteAllPages)->trigger();
        expectAgreement(w.main, "all deleted");
        window->menus().action(Command::PastePage)->trigger();
        QCOMPARE(window->binder().currentPosition(), 1);
        QCOMPARE(window->viewer()->textPane()->toPlainText(), QString("page two"));
        expectAgreement(w.main, "paste into an empty binder");
    }

    void deleteMoveAndRenameKeepEverythingOnOnePage()
    {
        BinderFixture f;
        Window w(f);
        int opened = 0;
        setRunDocHandler([&opened](const QString &) { return ++opened > 0; });
        w.main.openFile(f.makeBinder("ops.qly", FivePages));
        BinderWindow *window = w.main.activeBinderWindow();
        clickRow(w.main, 3);
        window->menus().action(Command::MoveDown)->trigger();
        QCOMPARE(window->binder().currentPosition(), 5);
        QCOMPARE(window->binder().page(5).name, QString("four"));
        expectAgreement(w.main, "move down to the end");

        f.dialogs.queueMessage(MsgResult::Yes);
        window->menus().action(Command::DeletePage)->trigger();
        QCOMPARE(window->binder().pageCount(), 4);
        QCOMPARE(window->binder().currentPosition(), 1);
        expectAgreement(w.main, "delete");

        // Renaming through the list's own editor, with real keys, in the icon view and
        // in the details view; neither view hears of the other's editor.
        QTest::failOnWarning(QRegularExpression("."));
        for (const Command view : {Command::LargeIcons, Command::Details}) {
            window->menus().action(view)->trigger();
            window->menus().action(Command::RenamePage)->trigger();
            auto *editor = listView(w.main)->findChild<QLineEdit *>();
            QVERIFY(editor);
            editor->selectAll();
            QTest::keyClicks(editor, QString::number(int(view)));
            QTest::keyClick(editor, Qt::Key_Return);
            // Enter only ends the renaming: it does not edit the page as well.
            QTRY_COMPARE(window->binder().page(1).name, QString::number(int(view)));
            QCOMPARE(opened, 0);
            expectAgreement(w.main, "rename");
        }

        f.dialogs.queueMessage(MsgResult::Yes);
        window->menus().action(Command::DeleteAllPages)->trigger();
        expectAgreement(w.main, "delete all");
        setRunDocHandler({});
    }

    // Undo and redo by key show the page they touched: a deleted page comes back current, a
    // moved or renamed one is current where it lands. Undone back to the saved state, the
    // window shows no unsaved changes.
    void undoAndRedoShowThePageTheyTouch()
    {
        BinderFixture f;
        Window w(f);
        w.main.openFile(f.makeBinder("undo.qly", FivePages));
        BinderWindow *window = w.main.activeBinderWindow();
        const Binder &binder = window->binder();
        w.main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.main));
        clickRow(w.main, 2);
        f.dialogs.queueMessage(MsgResult::Yes);
        pressInList(w.main, Qt::Key_Delete);
        QCOMPARE(binder.currentPosition(), 1);
        pressInList(w.main, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(binder.pageCount(), 5);
        QCOMPARE(binder.currentPosition(), 3);
        QCOMPARE(window->viewer()->textPane()->toPlainText(), QString("page three"));
        expectAgreement(w.main, "undo delete");
        QVERIFY(!window->isWindowModified());
        pressInList(w.main, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(binder.pageCount(), 4);
        expectAgreement(w.main, "redo delete");
        pressInList(w.main, Qt::Key_Z, Qt::ControlModifier);

        clickRow(w.main, 1);
        window->menus().action(Command::MoveDown)->trigger();
        clickRow(w.main, 4);
        pressInList(w.main, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(binder.page(2).name, QString("two"));
        QCOMPARE(binder.currentPosition(), 2);
        expectAgreement(w.main, "undo move");
        clickRow(w.main, 4);
        pressInList(w.main, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(binder.currentPosition(), 3);
        expectAgreement(w.main, "redo move");

        beginRename(window->binder(), 5);
        finishRename(*f.workspace, window->binder(), 5, "renamed");
        clickRow(w.main, 0);
        pressInList(w.main, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(binder.page(5).name, QString("five"));
        QCOMPARE(binder.currentPosition(), 5);
        expectAgreement(w.main, "undo rename");
        pressInList(w.main, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!binder.isChanged());
        expectAgreement(w.main, "undone to the saved state");
    }

    // The text pane shows the new page alone, in its own formats, with a scroll bar as the
    // page needs it.
    void textPaneShowsOnlyTheNewPageAndItsScrollBar()
    {
        BinderFixture f;
        auto binder = f.open(f.makeBinder("pages.qly", {{"long.txt", QByteArray(200, '\n')},
                                                        {"short.rtf", "{\\rtf1\\ansi \\b bold}"},
                                                        {"short.txt", "short"}}));
        ViewerPane viewer(f.dialogs);
        viewer.resize(300, 200);
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        RichTextBox *pad = viewer.textPane();
        QScrollBar *bar = pad->verticalScrollBar();
        const auto show = [&](int position) {
            binder->setCurrentPosition(position);
            viewer.showPage(preparePageDisplay(*f.workspace, *binder), *binder);
            QCOMPARE(pad->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
        };

        show(1);
        QVERIFY(bar->isVisible());
        show(2);
        QCOMPARE(pad->toPlainText(), QString("bold"));
        show(3);
        QVERIFY(!bar->isVisible());
        QCOMPARE(pad->toPlainText(), QString("short"));
        QVERIFY(!QTextCursor(pad->document()).charFormat().font().bold());
        QCOMPARE(pad->document()->pageSize().width(), qreal(pad->viewport()->width()));
    }

    // A page whose data has gone from the binder file shows an empty pane, never the page
    // that was shown before it under the new page's name.
    void unreadablePageShowsNothingOfThePageBefore()
    {
        BinderFixture f;
        Window w(f);
        w.main.openFile(f.makeBinder("cut.qly", {{"first.txt", "alpha"}, {"second.txt", "beta"}}));
        BinderWindow *window = w.main.activeBinderWindow();
        Binder &binder = window->binder();
        QCOMPARE(window->viewer()->textPane()->toPlainText(), QString("alpha"));
        const PageKey second = binder.page(2).key;
        QVERIFY(QFile::resize(second.dataPath(), second.offset));
        binder.setCurrentPosition(2);
        QCOMPARE(window->viewer()->textPane()->toPlainText(), QString());
        QCOMPARE(window->pageList()->selectedRow(), 1);
        binder.discardChanges();
    }
};

QTEST_MAIN(tst_currentpage)
#include "tst_currentpage.moc"
