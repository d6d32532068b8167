// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/PageKind.h"

#include <QIcon>
#include <QStackedWidget>

#include <functional>

class QAbstractItemDelegate;
class QAbstractItemModel;
class QAbstractItemView;
class QItemSelectionModel;
class QListView;
class QTreeView;

namespace quillery {

class PageDropTarget;
class PageIconModel;

// The page list in its four views (large icons, small icons, list, details). One list
// view serves the first three and a tree view the details; both show the same model and
// share one selection, so switching views keeps the current page.
class PageListView : public QStackedWidget
{
    Q_OBJECT
public:
    // The numbers are the ones binders store for the view.
    enum class View { LargeIcons = 0, SmallIcons = 1, List = 2, Details = 3 };
    using IconSource = std::function<QIcon(PageKind)>;

    // pages: a binder's page list (PageList).
    explicit PageListView(QAbstractItemModel &pages, QWidget *parent = nullptr);

    static void setIconSource(IconSource source);
    static QIcon icon(PageKind kind);

    // A stored or chosen number as a view; a number outside the four gives the nearest.
    static View viewFromNumber(int number);
    void setView(View view);
    View view() const { return m_view; }
    QAbstractItemView *currentView() const;
    QTreeView *detailsView() const { return m_details; }

    // The selected row as a 0-based row, or -1 when none is selected.
    int selectedRow() const;
    void selectRow(int row);
    void clearSelection();
    void editCurrentName();
    // Gives each view a name delegate of its own, made by `make` with the view as its
    // parent: a delegate shared by two views hands the edited name to both.
    void setNameDelegates(const std::function<QAbstractItemDelegate *(QObject *parent)> &make);
    // Lets pages be dragged out of every view and things be dropped on them; the target
    // decides what is dragged and what a drop does.
    void setDropTarget(PageDropTarget &target);
    void setColumnWidths(const QVector<int> &widths);
    QVector<int> columnWidths() const;

Q_SIGNALS:
    void itemClicked(int row);
    // The highlighted row changed, by mouse, keys or code; -1 when none is.
    void selectedRowChanged(int row);
    void released(int row, Qt::MouseButton button, const QPoint &globalPos);
    void activated(int row);
    void contextKey(const QPoint &globalPos);
    // The pointer moved over the list, or the list took the keyboard focus.
    void hovered();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watch(QAbstractItemView *view);

    PageIconModel *m_icons;
    QListView *m_list;
    QTreeView *m_details;
    View m_view = View::LargeIcons;
};

} // namespace quillery
