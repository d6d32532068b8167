// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PageListView.h"

#include "documents/PageList.h"
#include "window/PageListDrag.h"

#include <QApplication>

#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QStyle>
#include <QTreeView>
#include <algorithm>

namespace quillery {

namespace {

PageListView::IconSource &iconSource()
{
    static PageListView::IconSource source = [](PageKind kind) {
        return kind == PageKind::Unknown ? QIcon()
                                         : QApplication::style()->standardIcon(QStyle::SP_FileIcon);
    };
    return source;
}

QString kindInWords(PageKind kind)
{
    switch (kind) {
    case PageKind::RTF:
        return PageListView::tr("rich text");
    case PageKind::TXT:
        return PageListView::tr("plain text");
    case PageKind::HTML:
        return PageListView::tr("HTML");
    case PageKind::PICTURE:
        return PageListView::tr("picture");
    case PageKind::SOUND:
        return PageListView::tr("sound");
    case PageKind::FILE:
        return PageListView::tr("file");
    case PageKind::Unknown:
        break;
    }
    return PageListView::tr("unknown kind");
}

} // namespace

// Adds each page's kind icon to the name column, and what a screen reader says of a row,
// which no view shows: its kind and where it lies in the binder.
class PageIconModel : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (index.column() != PageList::NameColumn)
            return QIdentityProxyModel::data(index, role);
        const auto kind = [&index] {
            return PageKind(index.data(PageList::KindRole).toInt());
        };
        switch (role) {
        case Qt::DecorationRole: {
            const PageKind shown = kind();
            auto found = m_cache.constFind(shown);
            if (found == m_cache.constEnd())
                found = m_cache.insert(shown, iconSource()(shown));
            return *found;
        }
        case Qt::AccessibleTextRole:
            // One substitution for all: a page named "%2" keeps its name.
            return PageListView::tr("%1, %2, page %3 of %4")
                .arg(index.data().toString(), kindInWords(kind()), QString::number(index.row() + 1),
                     QString::number(rowCount()));
        case Qt::AccessibleDescriptionRole:
            return details(index);
        default:
            return QIdentityProxyModel::data(index, role);
        }
    }

private:
    // What the details view shows beside the name.
    QString details(const QModelIndex &name) const
    {
        const auto column = [&name](int column) {
            return name.siblingAtColumn(column).data().toString();
        };
        const QString comments = column(PageList::CommentsColumn);
        if (comments.isEmpty())
            return PageListView::tr("Modified %1, %2 bytes")
                .arg(column(PageList::ModifiedColumn), column(PageList::SizeColumn));
        return PageListView::tr("Modified %1, %2 bytes. %3")
            .arg(column(PageList::ModifiedColumn), column(PageList::SizeColumn), comments);
    }

    mutable QHash<PageKind, QIcon> m_cache;
};

PageListView::PageListView(QAbstractItemModel &pages, QWidget *parent)
    : QStackedWidget(parent), m_icons(new PageIconModel(this)), m_list(new QListView(this)),
      m_details(new QTreeView(this))
{
    setObjectName(QStringLiteral("pageList"));
    m_icons->setSourceModel(&pages);
    m_list->setModel(m_icons);
    m_details->setModel(m_icons);
    m_details->setSelectionModel(m_list->selectionModel());
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { Q_EMIT selectedRowChanged(selectedRow()); });
    for (QAbstractItemView *view :
         {static_cast<QAbstractItemView *>(m_list), static_cast<QAbstractItemView *>(m_details)}) {
        view->setAccessibleName(tr("Pages"));
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setEditTriggers(QAbstractItemView::EditKeyPressed);
        watch(view);
    }
    m_list->setLayoutMode(QListView::Batched);
    m_list->setBatchSize(500);
    m_list->setResizeMode(QListView::Adjust);
    m_list->setMovement(QListView::Static);
    m_details->setRootIsDecorated(false);
    m_details->setUniformRowHeights(true);
    m_details->setAllColumnsShowFocus(true);
    m_details->header()->setStretchLastSection(true);
    addWidget(m_list);
    addWidget(m_details);
    setView(View::LargeIcons);
}

QIcon PageListView::icon(PageKind kind)
{
    return iconSource()(kind);
}

void PageListView::setIconSource(IconSource source)
{
    iconSource() = std::move(source);
}

void PageListView::watch(QAbstractItemView *view)
{
    view->viewport()->installEventFilter(this);
    view->installEventFilter(this);
    view->viewport()->setMouseTracking(true);
    connect(view, &QAbstractItemView::clicked, this,
            [this](const QModelIndex &index) { Q_EMIT itemClicked(index.row()); });
    connect(view, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &index) { Q_EMIT activated(index.row()); });
}

PageListView::View PageListView::viewFromNumber(int number)
{
    return View(qBound(int(View::LargeIcons), number, int(View::Details)));
}

void PageListView::setView(View view)
{
    m_view = view;
    if (m_view == View::Details) {
        setCurrentWidget(m_details);
        return;
    }
    const int large = style()->pixelMetric(QStyle::PM_LargeIconSize);
    const int small = style()->pixelMetric(QStyle::PM_SmallIconSize);
    m_list->setViewMode(m_view == View::LargeIcons ? QListView::IconMode : QListView::ListMode);
    m_list->setIconSize(m_view == View::LargeIcons ? QSize(large, large) : QSize(small, small));
    m_list->setFlow(m_view == View::List ? QListView::TopToBottom : QListView::LeftToRight);
    m_list->setWrapping(true);
    // Icon captions get a cell wide enough for a few words; in the other modes each item is
    // as wide as its name.
    m_list->setGridSize(m_view == View::LargeIcons ? QSize(large * 4, large * 2 + 12) : QSize());
    m_list->setWordWrap(m_view == View::LargeIcons);
    m_list->setTextElideMode(Qt::ElideMiddle);
    setCurrentWidget(m_list);
}

QAbstractItemView *PageListView::currentView() const
{
    return m_view == View::Details ? static_cast<QAbstractItemView *>(m_details) : m_list;
}

int PageListView::selectedRow() const
{
    // The icon views select only the name column, so a row counts as selected by any cell.
    const QModelIndexList cells = m_list->selectionModel()->selectedIndexes();
    return cells.isEmpty() ? -1 : cells.first().row();
}

void PageListView::selectRow(int row)
{
    const QModelIndex index = m_icons->index(row, 0);
    m_list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                         QItemSelectionModel::Rows);
    currentView()->scrollTo(index);
}

void PageListView::clearSelection()
{
    m_list->selectionModel()->clearSelection();
}

void PageListView::editCurrentName()
{
    const int row = selectedRow();
    if (row >= 0)
        currentView()->edit(m_icons->index(row, 0));
}

void PageListView::setNameDelegates(
    const std::function<QAbstractItemDelegate *(QObject *parent)> &make)
{
    m_list->setItemDelegate(make(m_list));
    m_details->setItemDelegateForColumn(PageList::NameColumn, make(m_details));
}

void PageListView::setDropTarget(PageDropTarget &target)
{
    new PageListDrag(*m_list, target);
    new PageListDrag(*m_details, target);
}

void PageListView::setColumnWidths(const QVector<int> &widths)
{
    // Columns a binder has no width for get room for their usual content.
    const QFontMetrics metrics = fontMetrics();
    const int date = metrics.horizontalAdvance(QStringLiteral("00 Mmm 0000 00:00:00 MMMM")) + 16;
    const int defaults[PageList::ColumnCount] = {
        metrics.averageCharWidth() * 28, date, date,
        metrics.horizontalAdvance(QStringLiteral("000,000,000")) + 16,
        metrics.averageCharWidth() * 30};
    for (int c = 0; c < PageList::ColumnCount; ++c)
        m_details->setColumnWidth(c, widths.value(c) > 0 ? widths[c] : defaults[c]);
}

QVector<int> PageListView::columnWidths() const
{
    QVector<int> widths;
    for (int c = 0; c < PageList::ColumnCount; ++c)
        widths << m_details->columnWidth(c);
    return widths;
}

bool PageListView::eventFilter(QObject *watched, QEvent *event)
{
    QAbstractItemView *view = currentView();
    if (watched == view->viewport()) {
        if (event->type() == QEvent::MouseButtonRelease) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            const QModelIndex index = view->indexAt(mouse->position().toPoint());
            Q_EMIT released(index.isValid() ? index.row() : -1, mouse->button(),
                            mouse->globalPosition().toPoint());
        } else if (event->type() == QEvent::MouseMove) {
            Q_EMIT hovered();
        }
    } else if (watched == view && event->type() == QEvent::FocusIn) {
        // An auto-hidden list opens for the keyboard as for the pointer.
        Q_EMIT hovered();
    } else if (watched == view && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        // Enter that ends renaming a page reaches the list too; it only ends the renaming.
        // The name editor is the only widget the views put on their viewports.
        const QList<QWidget *> editors =
            view->viewport()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        const bool editing = std::any_of(editors.begin(), editors.end(),
                                         [](const QWidget *editor) { return editor->isVisible(); });
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !editing &&
            selectedRow() >= 0) {
            Q_EMIT activated(selectedRow());
            return true;
        }
        // Shift+F10 is the menu key of keyboards that have none.
        if (key->key() == Qt::Key_Menu ||
            (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier)) {
            Q_EMIT contextKey(mapToGlobal(QPoint(0, 0)));
            return true;
        }
    }
    return QStackedWidget::eventFilter(watched, event);
}

} // namespace quillery
