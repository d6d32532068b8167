// SPDX-License-Identifier: GPL-3.0-or-later
// A page dragged with the mouse in the real program, on a desktop with a window manager:
// the first of four pages goes between the third and the fourth, Ctrl+S saves, and the
// binder file holds the new order. The test runs itself again under xvfb-run as the
// driver.
#include "BinderFixture.h"
#include "StoredPages.h"
#include "XDesktop.h"

#include <QApplication>
#include <QTest>

using namespace quillery;
using namespace quillery::test;

namespace {

const char DriverVariable[] = "QUILLERY_DRAG_DRIVER";

} // namespace

class tst_pagedragx11 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pageDraggedToAnotherPlaceIsSavedThere()
    {
        const QString missing = XDesktop::missingTools();
        if (!missing.isEmpty())
            QSKIP(qPrintable(missing));
        const QString failure = XDesktop::runUnderXvfb(DriverVariable);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }
};

// Runs on the X server.
class tst_pagedragx11driver : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void dragSaveAndCheck()
    {
        BinderFixture f;
        const QString path = f.makeBinder(
            "drag.qly", {{"a.txt", "one"}, {"b.txt", "two"}, {"c.txt", "three"}, {"d.txt", "4"}});
        XDesktop desktop;
        QVERIFY(desktop.startProgram(QUILLERY_APP, path));
        // The main window is up before the binder window inside it is laid out and painted.
        QTest::qWait(1500);
        // The binder window fills the main window; its large icons stand in cells 128
        // pixels wide along the top of the page list, below the menus and the toolbar.
        constexpr int IconsY = 87;
        desktop.drag({68, IconsY}, {400, IconsY});
        desktop.keys({"ctrl+s"});
        QTRY_COMPARE_WITH_TIMEOUT(storedPageNames(*f.workspace, path),
                                  QStringList({"b", "c", "a", "d"}), 15000);
        desktop.keys({"alt+f", "x"});
        QCOMPARE(desktop.waitForExit(), 0);
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsSet(DriverVariable)) {
        tst_pagedragx11driver driver;
        return QTest::qExec(&driver, argc, argv);
    }
    tst_pagedragx11 test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pagedragx11.moc"
