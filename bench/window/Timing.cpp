// SPDX-License-Identifier: GPL-3.0-or-later
#include "Timing.h"

#include <QApplication>
#include <QEvent>
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

bool PaintWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint)
        m_painted.insert(watched);
    return false;
}

} // namespace quillery
