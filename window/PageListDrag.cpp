// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PageListDrag.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QListView>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

#include <limits>

namespace quillery {

namespace {

constexpr int MarkerWidth = 2;

// The line where dropped pages would land, in the selection's colour.
class DropMarker : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter(this).fillRect(rect(), palette().color(QPalette::Highlight));
    }
};

// Whether the view lays its items out in lines from left to right (the icon views), so
// that a drop goes beside an item rather than above or below it.
bool sideBySide(const QAbstractItemView &view)
{
    const auto *list = qobject_cast<const QListView *>(&view);
    return list && list->flow() == QListView::LeftToRight;
}

// The item nearest the point among those the viewport shows; invalid when none shows.
QModelIndex nearestShown(const QAbstractItemView &view, const QPoint &at)
{
    const QRect shown = view.viewport()->rect();
    QModelIndex nearest;
    int best = std::numeric_limits<int>::max();
    for (int row = 0; row < view.model()->rowCount(); ++row) {
        const QModelIndex index = view.model()->index(row, 0);
        const QRect rect = view.visualRect(index);
        if (!rect.intersects(shown))
            continue;
        const int distance = (rect.center() - at).manhattanLength();
        if (distance < best) {
            best = distance;
            nearest = index;
        }
    }
    return nearest;
}

} // namespace

PageListDrag::PageListDrag(QAbstractItemView &view, PageDropTarget &target)
    : QObject(&view), m_view(view), m_target(target), m_marker(new DropMarker(view.viewport()))
{
    m_marker->setObjectName(QStringLiteral("dropMarker"));
    m_marker->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_marker->hide();
    view.viewport()->setAcceptDrops(true);
    view.viewport()->installEventFilter(this);
}

int PageListDrag::placeMarker(const QPoint &at)
{
    const int rows = m_view.model()->rowCount();
    const bool beside = sideBySide(m_view);
    const QWidget *viewport = m_view.viewport();
    QModelIndex index = m_view.indexAt(at);
    bool after = false;
    if (!index.isValid() && rows > 0) {
        // Past the last item the pages go last; in a gap between items, beside the nearest.
        const QRect last = m_view.visualRect(m_view.model()->index(rows - 1, 0));
        const bool pastLast =
            at.y() > last.bottom() || (beside && at.y() >= last.top() && at.x() > last.right());
        index = pastLast ? m_view.model()->index(rows - 1, 0) : nearestShown(m_view, at);
        after = pastLast;
    }
    if (!index.isValid()) {
        m_marker->setGeometry(0, 0, viewport->width(), MarkerWidth);
        m_marker->show();
        return rows;
    }
    const QRect rect = m_view.visualRect(index);
    if (!after)
        after = beside ? at.x() > rect.center().x() : at.y() > rect.center().y();
    if (beside) {
        m_marker->setGeometry((after ? rect.right() + 1 : rect.left()) - MarkerWidth / 2,
                              rect.top(), MarkerWidth, rect.height());
    } else {
        // The details view's rows span the viewport; the list view's columns do not.
        const bool wholeWidth = !qobject_cast<const QListView *>(&m_view);
        m_marker->setGeometry(wholeWidth ? 0 : rect.left(),
                              (after ? rect.bottom() + 1 : rect.top()) - MarkerWidth / 2,
                              wholeWidth ? viewport->width() : rect.width(), MarkerWidth);
    }
    m_marker->raise();
    m_marker->show();
    return index.row() + (after ? 1 : 0);
}

bool PageListDrag::dragOver(QDropEvent &event)
{
    const Qt::DropAction action = m_target.dropAction(*event.mimeData(), event.modifiers());
    if (action == Qt::IgnoreAction) {
        m_marker->hide();
        event.ignore();
        return false;
    }
    event.setDropAction(action);
    event.accept();
    return true;
}

void PageListDrag::startDrag()
{
    const QVector<int> positions{m_pressedRow + 1};
    m_pressedRow = -1;
    auto *drag = new QDrag(&m_view);
    drag->setMimeData(m_target.dragData(positions));
    const QIcon icon =
        m_view.model()->index(positions.first() - 1, 0).data(Qt::DecorationRole).value<QIcon>();
    const int size = m_view.style()->pixelMetric(QStyle::PM_LargeIconSize);
    if (!icon.isNull())
        drag->setPixmap(icon.pixmap(size, size));
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
}

bool PageListDrag::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_view.viewport())
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const QModelIndex index = m_view.indexAt(mouse->position().toPoint());
        m_pressedRow = mouse->button() == Qt::LeftButton && index.isValid() ? index.row() : -1;
        m_pressedAt = mouse->position().toPoint();
        return false;
    }
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (m_pressedRow < 0 || !(mouse->buttons() & Qt::LeftButton))
            return false;
        // The pressed page stays highlighted while the mouse moves off it to drag it.
        if ((mouse->position().toPoint() - m_pressedAt).manhattanLength() >=
            QApplication::startDragDistance())
            startDrag();
        return true;
    }
    case QEvent::MouseButtonRelease:
        m_pressedRow = -1;
        return false;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (dragOver(*drag))
            placeMarker(drag->position().toPoint());
        return true;
    }
    case QEvent::DragLeave:
        m_marker->hide();
        return true;
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const int row = placeMarker(drop->position().toPoint());
        m_marker->hide();
        if (dragOver(*drop))
            m_target.drop(*drop->mimeData(), drop->dropAction(), row + 1);
        return true;
    }
    default:
        return false;
    }
}

} // namespace quillery
