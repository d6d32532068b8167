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

} // namespace quillery
