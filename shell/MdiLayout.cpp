// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/MdiLayout.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace quillery {

void tileSubWindows(QMdiArea &mdi, Qt::Orientation orientation)
{
    const QList<QMdiSubWindow *> windows = mdi.subWindowList();
    if (windows.isEmpty())
        return;
    const QRect area = mdi.viewport()->rect();
    const int n = int(windows.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow *sub = windows[i];
        sub->showNormal();
        if (orientation == Qt::Horizontal) {
            const int h = area.height() / n;
            sub->setGeometry(0, i * h, area.width(), i == n - 1 ? area.height() - i * h : h);
        } else {
            const int w = area.width() / n;
            sub->setGeometry(i * w, 0, i == n - 1 ? area.width() - i * w : w, area.height());
        }
    }
}

void arrangeIcons(QMdiArea &mdi)
{
    const QRect area = mdi.viewport()->rect();
    QPoint at(0, area.bottom() + 1);
    int rowHeight = 0;
    for (QMdiSubWindow *sub : mdi.subWindowList()) {
        if (!sub->isMinimized())
            continue;
        const QSize size = sub->size();
        if (at.x() > 0 && at.x() + size.width() > area.width()) {
            at = QPoint(0, at.y() - rowHeight);
            rowHeight = 0;
        }
        rowHeight = qMax(rowHeight, size.height());
        sub->move(at.x(), at.y() - size.height());
        at.rx() += size.width();
    }
}

} // namespace quillery
