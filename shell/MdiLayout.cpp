// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/MdiLayout.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QResizeEvent>
#include <QStyle>

namespace quillery {

namespace {

// The usable size, or the whole area where that is smaller.
QSize usableIn(const QSize &area)
{
    return UsableWindowSize.boundedTo(area);
}

// How far each cascaded window sits from the one before: its title bar shows.
int cascadeStep(const QMdiArea &mdi)
{
    return qMax(8, mdi.style()->pixelMetric(QStyle::PM_TitleBarHeight) + 4);
}

// How many steps of a window of this size fit inside the area, at least one.
int stepsThatFit(const QSize &area, const QSize &size, int step)
{
    const int room = qMin(area.width() - size.width(), area.height() - size.height());
    return qMax(0, room) / step + 1;
}

QList<QMdiSubWindow *> shownWindows(const QMdiArea &mdi)
{
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *window : mdi.subWindowList()) {
        if (!window->isHidden())
            windows << window;
    }
    return windows;
}

// Keeps a window that fills the area filling it when the area's size changes, also when
// the area was not laid out yet as the window was made. Moving or resizing the window
// (anything but this) lets it go.
class AreaFiller : public QObject
{
public:
    AreaFiller(QMdiArea &mdi, QMdiSubWindow &window) : QObject(&window), m_window(&window)
    {
        fill(mdi.viewport()->rect());
        mdi.viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Resize || !m_window)
            return QObject::eventFilter(watched, event);
        if (m_window->geometry() != m_placed || m_window->isMinimized() ||
            m_window->isMaximized()) {
            deleteLater();
        } else {
            fill(QRect(QPoint(0, 0), static_cast<QResizeEvent *>(event)->size()));
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void fill(const QRect &area)
    {
        m_window->setGeometry(area);
        m_placed = m_window->geometry(); // the window's own limits may have changed it
    }

    QPointer<QMdiSubWindow> m_window;
    QRect m_placed;
};

} // namespace

void placeNewSubWindow(QMdiArea &mdi, QMdiSubWindow &window)
{
    const QRect area = mdi.viewport()->rect();
    const QList<QMdiSubWindow *> others = shownWindows(mdi);
    const int before = int(others.size()) - (others.contains(&window) ? 1 : 0);
    if (before == 0) {
        new AreaFiller(mdi, window);
        return;
    }
    const QSize size = (area.size() * 3 / 4).expandedTo(usableIn(area.size()));
    const int step = cascadeStep(mdi);
    const int offset = (before % stepsThatFit(area.size(), size, step)) * step;
    window.setGeometry(QRect(QPoint(offset, offset), size));
}

void cascadeSubWindows(QMdiArea &mdi)
{
    const QList<QMdiSubWindow *> windows = shownWindows(mdi);
    if (windows.isEmpty())
        return;
    const QSize area = mdi.viewport()->size();
    const int step = cascadeStep(mdi);
    const int fit = stepsThatFit(area, usableIn(area), step);
    const int run = qMin(int(windows.size()), fit);
    // One size for all: what leaves room for the steps of one run.
    const QSize size = (area - QSize(run - 1, run - 1) * step).expandedTo(usableIn(area));
    for (int i = 0; i < int(windows.size()); ++i) {
        QMdiSubWindow *window = windows[i];
        window->showNormal();
        const int offset = (i % run) * step;
        window->setGeometry(QRect(QPoint(offset, offset), size));
        window->raise();
    }
}

void tileSubWindows(QMdiArea &mdi, Qt::Orientation orientation)
{
    const QList<QMdiSubWindow *> windows = shownWindows(mdi);
    if (windows.isEmpty())
        return;
    const QSize area = mdi.viewport()->size();
    const QSize usable = usableIn(area);
    const bool horizontal = orientation == Qt::Horizontal;
    const int along = horizontal ? area.height() : area.width();
    const int across = horizontal ? area.width() : area.height();
    // Along the tiling as many as fit at a usable length, in as many lines across as that
    // takes and the area has room for. More windows than that share the places in turn.
    const int n = int(windows.size());
    const int perLine =
        qBound(1, along / qMax(1, horizontal ? usable.height() : usable.width()), n);
    const int maxLines = qMax(1, across / qMax(1, horizontal ? usable.width() : usable.height()));
    const int lines = qMin((n + perLine - 1) / perLine, maxLines);
    const int places = perLine * lines;
    for (int i = 0; i < n; ++i) {
        const int place = i % places;
        const int line = place / perLine;
        const int inLine = qMin(perLine, qMin(n, places) - line * perLine);
        const int k = place % perLine;
        const int lineStart = line * across / lines;
        const int lineEnd = (line + 1) * across / lines;
        const int start = k * along / inLine;
        const int end = (k + 1) * along / inLine;
        QMdiSubWindow *window = windows[i];
        window->showNormal();
        window->setGeometry(horizontal ? QRect(lineStart, start, lineEnd - lineStart, end - start)
                                       : QRect(start, lineStart, end - start, lineEnd - lineStart));
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
