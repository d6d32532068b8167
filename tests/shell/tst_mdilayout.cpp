// SPDX-License-Identifier: GPL-3.0-or-later
// The Window menu's layouts keep every binder window inside the area, however many there are.
#include "shell/MdiLayout.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

using namespace quillery;

namespace {

struct Area
{
    explicit Area(int windows, QSize size = {700, 480})
    {
        mdi.resize(size);
        mdi.show();
        for (int i = 0; i < windows; ++i) {
            QMdiSubWindow *window = mdi.addSubWindow(new QWidget);
            window->show();
            placeNewSubWindow(mdi, *window);
        }
    }
    QRect inside() const { return mdi.viewport()->rect(); }
    bool allInside() const
    {
        for (QMdiSubWindow *window : mdi.subWindowList()) {
            if (!inside().contains(window->geometry()))
                return false;
        }
        return true;
    }

    QMdiArea mdi;
};

} // namespace

class tst_mdilayout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // More windows than the steps that fit start again from the corner, each step a title
    // bar apart, all of one size.
    void cascadeKeepsManyWindowsInside()
    {
        Area area(40);
        QVERIFY(area.allInside());
        cascadeSubWindows(area.mdi);
        QVERIFY(area.allInside());
        const QList<QMdiSubWindow *> windows = area.mdi.subWindowList();
        QCOMPARE(windows[0]->pos(), QPoint(0, 0));
        const int step = windows[1]->x();
        QVERIFY(step >= 8);
        QCOMPARE(windows[1]->pos(), QPoint(step, step));
        int restarts = 0;
        for (QMdiSubWindow *window : windows) {
            QCOMPARE(window->size(), windows[0]->size());
            restarts += window->pos() == QPoint(0, 0);
        }
        QVERIFY(restarts > 1);
    }

    // Tiled windows fill the area without overlapping, whichever way they are tiled.
    void tilesFillTheAreaWithoutOverlap()
    {
        for (const Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
            Area area(4);
            tileSubWindows(area.mdi, orientation);
            QVERIFY(area.allInside());
            const QList<QMdiSubWindow *> windows = area.mdi.subWindowList();
            qint64 covered = 0;
            for (int i = 0; i < windows.size(); ++i) {
                covered += qint64(windows[i]->width()) * windows[i]->height();
                for (int j = i + 1; j < windows.size(); ++j)
                    QVERIFY(!windows[i]->geometry().intersects(windows[j]->geometry()));
            }
            QCOMPARE(covered, qint64(area.inside().width()) * area.inside().height());
        }
    }
};

QTEST_MAIN(tst_mdilayout)
#include "tst_mdilayout.moc"
