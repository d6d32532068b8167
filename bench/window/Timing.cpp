// SPDX-License-Identifier: GPL-3.0-or-later
#include "Timing.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace quillery {

double Samples::max() const
{
    return m_ms.isEmpty() ? 0 : *std::max_element(m_ms.begin(), m_ms.end());
}

double Samples::total() const
{
    return std::accumulate(m_ms.begin(), m_ms.end(), 0.0);
}

// Nearest rank: the smallest sample that at least p per cent of the samples do not exceed.
double Samples::percentile(int p) const
{
    if (m_ms.isEmpty())
        return 0;
    QVector<double> sorted = m_ms;
    std::sort(sorted.begin(), sorted.end());
    const int rank = int(std::ceil(p / 100.0 * sorted.size()));
    return sorted[qBound(0, rank - 1, int(sorted.size()) - 1)];
}

PaintWatch::PaintWatch()
{
    qApp->installEventFilter(this);
}

PaintWatch::~PaintWatch()
{
    qApp->removeEventFilter(this);
}

void PaintWatch::settle(const QList<QWidget *> &widgets)
{
    QApplication::processEvents();
    for (QWidget *widget : widgets) {
        if (widget->isVisible() && !m_painted.contains(widget))
            widget->repaint();
    }
}

bool PaintWatch::waitForPaintWithin(QWidget *root, int timeoutMs)
{
    QEventLoop loop;
    bool painted = false;
    m_awaited = root;
    m_onAwaitedPaint = [&] {
        painted = true;
        loop.quit();
    };
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    m_awaited = nullptr;
    m_onAwaitedPaint = nullptr;
    return painted;
}

bool PaintWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint) {
        m_painted.insert(watched);
        if (m_onAwaitedPaint && watched->isWidgetType() &&
            (watched == m_awaited || m_awaited->isAncestorOf(static_cast<QWidget *>(watched))))
            m_onAwaitedPaint();
    }
    return false;
}

} // namespace quillery
