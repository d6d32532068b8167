// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "documents/SizeText.h"
#include "options/RunDoc.h"
#include "platform_ui/RichTextBox.h"
#include "shell/frmMain.h"
#include "support/ui/MainWindowFixture.h"
#include "window/PageDisplay.h"
#include "window/PageListView.h"
#include "window/ViewerPane.h"
#include "window/frmMDI.h"

#include <QAbstractItemView>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>
#include <QTextCursor>

using namespace quillery;
using namespace quillery::test;

namespace {

const QList<QPair<QString, QByteArray>> FivePages = {{"one.txt", "page one"},
                                                     {"two.txt", "page two"},
                                                     {"three.txt", "page three"},
                                                     {"four.txt", "page four"},
                                                     {"five.txt", "page five"}};

// Everything that describes the current page describes the same one: the binder, the
// list's highlight, the viewer, the caption, the status panels and the commands.
void expectAgreement(frmMain &main, const char *how)
{
    const QString context = QString::fromLatin1(how);
    frmMDI *window = main.activeBinderWindow();
    QVERIFY2(window, how);
    const Binder &binder = window->binder();
    const int current = binder.CurIndex();
    const int count = binder.pageCount();
    QCOMPARE(window->lvwPages()->selectedRow(), current - 1);
    const BinderMenus &menus = window->menus();
    QVERIFY2(menus["mnuRename"]->isEnabled() == (current > 0), how);
    QVERIFY2(menus["mnuUp"]->isEnabled() == (current > 1), how);
    QVERIFY2(menus["mnuDown"]->isEnabled() == (current > 0 && current < count), how);
    if (current == 0) {
        QCOMPARE(window->windowTitle(), binder.WCaption());
        QCOMPARE(main.statusPanel(StatusPanel::Pages),
                 count == 1 ? QString("1 Page") : QString("%1 Pages").arg(count));
        QCOMPARE(main.statusPanel(StatusPanel::Size), QString());
        QVERIFY2(window->viewer()->txtPad()->toPlainText().isEmpty(), how);
        return;
    }
    const PageRow &row = binder.page(current);
    QCOMPARE(window->windowTitle(), binder.WCaption() + " - " + row.name);
    QCOMPARE(main.statusPanel(StatusPanel::Pages),
             QString("Page %1 of %2").arg(current).arg(count));
    QCOMPARE(main.statusPanel(StatusPanel::Size), "Size: " + GetSize(row.size));
    if (row.key.kind == PageKind::TXT)
        QCOMPARE(window->viewer()->txtPad()->toPlainText(),
                 QString::fromUtf8(GetLumpString(binder)));
    else
        QVERIFY2(window->viewer()->HTML, qPrintable(context + ": the browser shows the page"));
}

QAbstractItemView *listView(frmMain &main)
{
    return main.activeBinderWindow()->lvwPages()->currentView();
}

void clickRow(frmMain &main, int row)
{
    QAbstractItemView *view = listView(main);
    const QRect rect = view->visualRect(view->model()->index(row, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
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
        w.main.OpenFile(f.makeBinder("keys.qly", FivePages));
        expectAgreement(w.main, "opened");
        frmMDI *window = w.main.activeBinderWindow();
        clickRow(w.main, 2);
        QCOMPARE(window->binder().CurIndex(), 3);
        expectAgreement(w.main, "click");

        const std::pair<Qt::Key, const char *> keys[] = {{Qt::Key_End, "End"},
                                                         {Qt::Key_Up, "Up"},
                                                         {Qt::Key_Home, "Home"},
                                                         {Qt::Key_PageDown, "PgDn"}};
        for (const auto view : {PageListView::View::LargeIcons, PageListView::View::Details}) {
            window->setView(view);
            QAbstractItemView *list = listView(w.main);
            list->setFocus();
            for (const auto &[key, name] : keys) {
                QTest::keyClick(list, key);
                expectAgreement(w.main, name);
            }
        }
    }
    void deleteMoveAndRenameKeepEverythingOnOnePage()
    {
        BinderFixture f;
        Window w(f);
        int opened = 0;
        setRunDocHandler([&opened](const QString &) { return ++opened > 0; });
        w.main.OpenFile(f.makeBinder("ops.qly", FivePages));
        frmMDI *window = w.main.activeBinderWindow();
        clickRow(w.main, 3);
        window->menus()["mnuDown"]->trigger();
        QCOMPARE(window->binder().CurIndex(), 5);
        QCOMPARE(window->binder().page(5).name, QString("four"));
        expectAgreement(w.main, "move down to the end");

        f.dialogs.queueMessage(MsgResult::Yes);
        window->menus()["mnuEditDelete"]->trigger();
        QCOMPARE(window->binder().pageCount(), 4);
        QCOMPARE(window->binder().CurIndex(), 1);
        expectAgreement(w.main, "delete");

        // Renaming through the list's own editor, with real keys, in the icon view and
        // in the details view; neither view hears of the other's editor.
        QTest::failOnWarning(QRegularExpression("."));
        for (const char *view : {"mnuPVLarge", "mnuPVDetails"}) {
            window->menus()[view]->trigger();
            window->menus()["mnuRename"]->trigger();
            auto *editor = listView(w.main)->findChild<QLineEdit *>();
            QVERIFY(editor);
            editor->selectAll();
            QTest::keyClicks(editor, QString::fromLatin1(view));
            QTest::keyClick(editor, Qt::Key_Return);
            // Enter only ends the renaming: it does not edit the page as well.
            QTRY_COMPARE(window->binder().page(1).name, QString::fromLatin1(view));
            QCOMPARE(opened, 0);
            expectAgreement(w.main, "rename");
        }

        f.dialogs.queueMessage(MsgResult::Yes);
        window->menus()["mnuEditDelAll"]->trigger();
        expectAgreement(w.main, "delete all");
        setRunDocHandler({});
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
        RichTextBox *pad = viewer.txtPad();
        QScrollBar *bar = pad->verticalScrollBar();
        const auto show = [&](int position) {
            binder->setCurIndex(position);
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
        w.main.OpenFile(f.makeBinder("cut.qly", {{"first.txt", "alpha"}, {"second.txt", "beta"}}));
        frmMDI *window = w.main.activeBinderWindow();
        Binder &binder = window->binder();
        QCOMPARE(window->viewer()->txtPad()->toPlainText(), QString("alpha"));
        const PageKey second = binder.page(2).key;
        QVERIFY(QFile::resize(second.dataPath(), second.offset));
        binder.setCurIndex(2);
        QCOMPARE(window->viewer()->txtPad()->toPlainText(), QString());
        QCOMPARE(window->lvwPages()->selectedRow(), 1);
        binder.setChanged(false);
    }
};

QTEST_MAIN(tst_currentpage)
#include "tst_currentpage.moc"
