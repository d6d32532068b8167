// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "TestSupport.h"

#include "window/BrowserModule.h"
#include "window/PageDisplay.h"
#include "window/ViewerPane.h"

#include <QSignalSpy>
#include <QTest>

using namespace quillery;
using namespace quillery::test;

namespace {

// Whether the web engine's library is mapped into this process; this test does not link it.
bool webEngineLoaded()
{
    return libraryLoaded("libQt6WebEngineCore");
}

} // namespace

class tst_browserpreload : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void preloadedBrowserShowsEachWindowsOwnPage();
};

// Without the module, preloading does nothing and the viewer still says why when it needs
// the browser. With it, the engine starts before any browser, and the first browser, which
// takes the parts made ahead, shows its window's page through its window's own scheme
// source and address rule, as the next browser, made afresh, shows its own.
void tst_browserpreload::preloadedBrowserShowsEachWindowsOwnPage()
{
    BinderFixture f;
    auto binder =
        f.open(f.makeBinder("two.qly", {{"One.html", "<p>one</p>"}, {"Two.html", "<p>two</p>"}}));
    QTemporaryDir empty;
    setBrowserModuleFolders({empty.path()});
    preloadBrowser();
    QVERIFY(!webEngineLoaded());
    setBrowserModuleFolders({});

    preloadBrowser();
    QVERIFY(webEngineLoaded());
    const auto showIn = [&](ViewerPane &viewer, int position) {
        QSignalSpy loads(&viewer, &ViewerPane::browserLoadFinished);
        binder->setCurIndex(position);
        viewer.showPage(preparePageDisplay(*f.workspace, *binder), *binder);
        QCOMPARE(viewer.currentWidget()->objectName(), QString("txtHTML"));
        QTRY_VERIFY_WITH_TIMEOUT(!loads.isEmpty(), 30000);
        QVERIFY2(loads.last().first().toBool(), "the page did not load");
    };
    ViewerPane first(f.dialogs);
    first.resize(400, 300);
    first.show();
    showIn(first, 1);
    ViewerPane second(f.dialogs);
    second.resize(400, 300);
    second.show();
    showIn(second, 2);
    showIn(first, 2);
}

QTEST_MAIN(tst_browserpreload)
#include "tst_browserpreload.moc"
