// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPoint>
#include <QVector>

class QAbstractItemView;
class QDropEvent;
class QMimeData;
class QWidget;

namespace quillery {

// What the page list asks of whoever decides about drags out of it and drops on it.
// Positions are 1-based; a drop position is the place the first dropped page takes.
class PageDropTarget
{
public:
    virtual ~PageDropTarget() = default;
    // The data of a drag of these pages; the drag owns it.
    virtual QMimeData *dragData(const QVector<int> &positions) = 0;
    // What dropping the data here would do; IgnoreAction when it would not be taken.
    virtual Qt::DropAction dropAction(const QMimeData &data, Qt::KeyboardModifiers modifiers) = 0;
    // Takes from the data, while the drop lasts, what the drop needs.
    virtual void drop(const QMimeData &data, Qt::DropAction action, int position) = 0;
};

// Drags pages out of one of the page list's views and takes drops on it, showing a
// marker where dropped pages would land: a line between rows in the list and details
// views, between icons in the icon views.
class PageListDrag : public QObject
{
    Q_OBJECT
public:
    PageListDrag(QAbstractItemView &view, PageDropTarget &target);

    // The marker, for tests and for its geometry; hidden while nothing is dragged over.
    QWidget *marker() const { return m_marker; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The 0-based row a drop at the point goes before, placing the marker there.
    int placeMarker(const QPoint &at);
    bool dragOver(QDropEvent &event);
    void startDrag();

    QAbstractItemView &m_view;
    PageDropTarget &m_target;
    QWidget *m_marker;
    QPoint m_pressedAt;
    int m_pressedRow = -1;
};

} // namespace quillery
