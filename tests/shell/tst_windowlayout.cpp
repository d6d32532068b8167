// SPDX-License-Identifier: GPL-3.0-or-later
// Where binder windows go inside the main window: new ones, and after Cascade and Tile.
#include "shell/MdiLayout.h"
#include "support/ui/MainWindowFixture.h"

#include <QDebug>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

using namespace quillery;
using namespace quillery::test;

namespace {

constexpr Arrangement TiledOrCascaded[] = {Arrangement::Cascade, Arrangement::TileHorizontally,
                                           Arrangement::TileVertically};

QList<QMdiSubWindow *> windowsOf(frmMain &main)
{
    return main.mdiArea()->subWindowList();
}

QRect areaOf(frmMain &main)
{
    return main.mdiArea()->viewport()->rect();
}

// Every window inside the area and at least the usable size (or the area, if smaller).
void expectInsideAndUsable(frmMain &main, const QString &when)
{
    const QRect area = areaOf(main);
    const QSize usable = UsableWindowSize.boundedTo(area.size());
    for (QMdiSubWindow *window : windowsOf(main)) {
        const QRect at = window->geometry();
        QVERIFY2(area.contains(at) && at.width() >= usable.width() &&
                     at.height() >= usable.height(),
                 qPrintable(when + QDebug::toString(at)));
    }
}

void openBinders(BinderFixture &f, frmMain &main, int count)
{
    for (int i = 0; i < count; ++i)
        main.OpenFile(f.makeBinder(QString("b%1.qly").arg(i), {}));
}

} // namespace

class tst_windowlayout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void theFirstWindowFillsTheAreaAsItChanges()
    {
        BinderFixture f;
        Window w(f);
        openBinders(f, w.main, 1);
        QMdiSubWindow *first = windowsOf(w.main).at(0);
        QCOMPARE(first->geometry(), areaOf(w.main));
        QVERIFY(areaOf(w.main).width() > 800);

        // A larger main window, as when the placement is restored at start-up.
        w.main.resize(1200, 850);
        QTRY_VERIFY(areaOf(w.main).width() > 1100);
        QCOMPARE(first->geometry(), areaOf(w.main));

        // Once the user has sized it, it stays as sized.
        first->setGeometry(10, 10, 500, 400);
        w.main.resize(1000, 700);
        QTRY_VERIFY(areaOf(w.main).width() < 1100);
        QCOMPARE(first->geometry(), QRect(10, 10, 500, 400));
    }

    // At start-up the binder's window is made before the main window is shown and laid out.
    void aWindowMadeBeforeTheMainWindowShowsFillsIt()
    {
        BinderFixture f;
        Settings settings(f.path("settings.ini"));
        frmMain main(*f.temp, f.dialogs, settings);
        openBinders(f, main, 1);
        main.resize(1000, 700);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QVERIFY(areaOf(main).width() > 900);
        QTRY_COMPARE(windowsOf(main).at(0)->geometry(), areaOf(main));
    }

    void laterWindowsCascadeInside()
    {
        BinderFixture f;
        Window w(f);
        openBinders(f, w.main, 14);
        const QList<QMdiSubWindow *> windows = windowsOf(w.main);
        QCOMPARE(windows.size(), 14);
        expectInsideAndUsable(w.main, "new windows");
        // The second and third step down and right from the corner.
        QCOMPARE(windows[1]->pos().x(), windows[1]->pos().y());
        QVERIFY(windows[1]->pos().x() > 0);
        QVERIFY(windows[2]->pos().x() > windows[1]->pos().x());
        QVERIFY(windows[1]->width() >= areaOf(w.main).width() * 3 / 4);
    }

    void arrangingKeepsEveryWindowInsideAtAUsableSize()
    {
        BinderFixture f;
        Window w(f);
        openBinders(f, w.main, 3);
        const QRect area = areaOf(w.main);

        // Few windows tile the whole area without overlapping.
        w.main.Arrange(Arrangement::TileHorizontally);
        expectInsideAndUsable(w.main, "tiled, three");
        int covered = 0;
        for (QMdiSubWindow *window : windowsOf(w.main))
            covered += window->width() * window->height();
        QCOMPARE(covered, area.width() * area.height());
        w.main.Arrange(Arrangement::TileVertically);
        expectInsideAndUsable(w.main, "tiled vertically, three");

        w.main.Arrange(Arrangement::Cascade);
        expectInsideAndUsable(w.main, "cascaded, three");
        const QList<QMdiSubWindow *> cascaded = windowsOf(w.main);
        QCOMPARE(cascaded[0]->pos(), QPoint(0, 0));
        QCOMPARE(cascaded[2]->geometry().bottomRight(), area.bottomRight());
        QCOMPARE(cascaded[1]->size(), cascaded[0]->size());

        // Many windows: more than the area has room for side by side.
        openBinders(f, w.main, 17);
        windowsOf(w.main).at(4)->showMinimized();
        for (Arrangement arrangement : TiledOrCascaded) {
            w.main.Arrange(arrangement);
            expectInsideAndUsable(w.main, QString("arrangement %1").arg(int(arrangement)));
        }

        // A main window too small for a usable window: each fills what there is.
        w.main.resize(300, 260);
        QTRY_VERIFY(areaOf(w.main).height() < UsableWindowSize.height());
        for (Arrangement arrangement : TiledOrCascaded) {
            w.main.Arrange(arrangement);
            expectInsideAndUsable(w.main, QString("small, %1").arg(int(arrangement)));
        }
    }
};

QTEST_MAIN(tst_windowlayout)
#include "tst_windowlayout.moc"
