// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "platform_ui/RichTextBox.h"
#include "support/ui/MainWindowFixture.h"
#include "window/BrowserModule.h"
#include "window/PageDisplay.h"
#include "window/PageListView.h"
#include "window/ViewerPane.h"
#include "window/frmMDI.h"

#include <QFile>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>

using namespace quillery;
using namespace quillery::test;

namespace {

QByteArray lines(const QByteArray &word, int count)
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += word + ' ' + QByteArray::number(i) + "\r\n";
    return text;
}

QByteArray richLines(const QByteArray &word, int count)
{
    QByteArray rtf = "{\\rtf1\\ansi ";
    for (int i = 0; i < count; ++i)
        rtf += word + ' ' + QByteArray::number(i) + "\\par\r\n";
    return rtf + '}';
}

} // namespace

class tst_pageswitch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void textPaneShowsOnlyTheNewPageAndItsScrollBar();
    void unreadablePageShowsNothingOfThePageBefore();
    void textPageAfterABrowserPageLetsTheBrowserGo();
};

// The text pane keeps its scroll bar while one long page replaces another, and lets it go
// for a short one; whatever the order, it shows the new page alone, in its own formats.
void tst_pageswitch::textPaneShowsOnlyTheNewPageAndItsScrollBar()
{
    BinderFixture f;
    auto binder = f.open(f.makeBinder("pages.qly", {{"long.rtf", richLines("rich", 200)},
                                                    {"long.txt", lines("plain", 200)},
                                                    {"short.txt", "short"},
                                                    {"short.rtf", "{\\rtf1\\ansi \\b bold}"}}));
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
    QVERIFY(pad->toPlainText().startsWith("rich 0\nrich 1\n"));
    show(2);
    QVERIFY(bar->isVisible());
    QVERIFY(pad->toPlainText().startsWith("plain 0\n"));
    QVERIFY(!pad->document()->firstBlock().charFormat().font().bold());
    show(3);
    QVERIFY(!bar->isVisible());
    QCOMPARE(pad->toPlainText(), QString("short"));
    show(1);
    QVERIFY(bar->isVisible());
    show(4);
    QVERIFY(!bar->isVisible());
    QCOMPARE(pad->toPlainText(), QString("bold"));
    show(3);
    QCOMPARE(pad->toPlainText(), QString("short"));
    QVERIFY(!QTextCursor(pad->document()).charFormat().font().bold());
    QCOMPARE(pad->document()->pageSize().width(), qreal(pad->viewport()->width()));
}

// A page whose data has gone from the binder file shows an empty pane, never the page that
// was shown before it under the new page's name.
void tst_pageswitch::unreadablePageShowsNothingOfThePageBefore()
{
    BinderFixture f;
    Window w(f);
    w.main.OpenFile(f.makeBinder("cut.qly", {{"first.txt", "alpha"}, {"second.txt", "beta"}}));
    frmMDI *window = w.main.activeBinderWindow();
    QVERIFY(window);
    Binder &binder = window->binder();
    binder.setCurIndex(1);
    QCOMPARE(window->viewer()->txtPad()->toPlainText(), QString("alpha"));

    const PageKey second = binder.page(2).key;
    QVERIFY(QFile::resize(second.dataPath(), second.offset));
    binder.setCurIndex(2);
    QCOMPARE(window->viewer()->txtPad()->toPlainText(), QString());
    QCOMPARE(window->lvwPages()->selectedRow(), 1);
    binder.setChanged(false);
}

// A text page after a browser page leaves the browser: the window no longer counts the
// page as shown there (commands follow that). Without a module nothing else can say so.
void tst_pageswitch::textPageAfterABrowserPageLetsTheBrowserGo()
{
    BinderFixture f;
    auto binder = f.open(f.makeBinder(
        "mixed.qly", {{"one.html", "<p>one</p>"}, {"two.html", "<p>two</p>"}, {"three.txt", "3"}}));
    QTemporaryDir noModule;
    setBrowserModuleFolders({noModule.path()});
    ViewerPane viewer(f.dialogs);
    const auto show = [&](int position) {
        binder->setCurIndex(position);
        viewer.showPage(preparePageDisplay(*f.workspace, *binder), *binder);
    };
    show(1);
    QVERIFY(viewer.HTML);
    show(2);
    QVERIFY(viewer.HTML);
    show(3);
    QVERIFY(!viewer.HTML);
    QCOMPARE(viewer.currentWidget(), viewer.txtPad());
    QCOMPARE(viewer.txtPad()->toPlainText(), QString("3"));
    setBrowserModuleFolders({});
}

QTEST_MAIN(tst_pageswitch)
#include "tst_pageswitch.moc"
