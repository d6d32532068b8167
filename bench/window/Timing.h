// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QSet>
#include <QString>
#include <QVector>

#include <functional>

class QWidget;

namespace quillery {

// Milliseconds of a series of runs of one action.
class Samples
{
public:
    void add(double ms) { m_ms << ms; }
    int count() const { return int(m_ms.size()); }
    double median() const { return percentile(50); }
    double p95() const { return percentile(95); }
    double max() const;
    double total() const;

private:
    double percentile(int p) const;
    QVector<double> m_ms;
};

// Milliseconds since construction.
class Stopwatch
{
public:
    Stopwatch() { m_timer.start(); }
    double ms() const { return m_timer.nsecsElapsed() / 1e6; }

private:
    QElapsedTimer m_timer;
};

// Notes which widgets received a paint event since the last forget(), so that a
// measurement ends only once what the user looks at has really been painted.
class PaintWatch : public QObject
{
public:
    PaintWatch();
    ~PaintWatch() override;
    void forget() { m_painted.clear(); }
    // Runs the pending events, then paints at once each of the widgets that the event
    // loop did not paint.
    void settle(const QList<QWidget *> &widgets);
    int paintedCount() const { return int(m_painted.size()); }
    // Runs events until root or a widget inside it paints, or until timeoutMs have passed;
    // false on time-out.
    bool waitForPaintWithin(QWidget *root, int timeoutMs);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QSet<QObject *> m_painted;
    QWidget *m_awaited = nullptr;
    std::function<void()> m_onAwaitedPaint;
};

} // namespace quillery
