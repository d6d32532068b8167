// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/PageKey.h"

#include <QAbstractTableModel>
#include <QVector>

namespace quillery {

// One page of an open binder: the row of its page list.
struct PageRow
{
    QString name;
    QString created;
    QString modified;
    qint64 size = 0;
    QString comments;
    PageKey key;
};

// The pages of an open binder in their order, as a table model that every list view
// shows directly: columns Name, Created, Modified, Size and the comments column. Names
// are editable in the views, but a view's edit reaches the binder through its delegate.
// Rows are addressed from 0 here; the binder's own procedures count pages from 1.
class PageList : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { NameColumn, CreatedColumn, ModifiedColumn, SizeColumn, CommentsColumn };
    // KindRole: the page's PageKind as a number; KeyRole: its key in text form.
    enum Role { KindRole = Qt::UserRole + 1, KeyRole };
    static constexpr int ColumnCount = 5;

    explicit PageList(QObject *parent = nullptr);

    int count() const { return int(m_rows.size()); }
    const PageRow &at(int row) const { return m_rows.at(row); }
    // Every row; a copy shares them until either side changes.
    const QVector<PageRow> &rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

Q_SIGNALS:
    // Rows were added, removed, moved or reset, and every view has followed. Whoever
    // reacts by selecting rows listens here: during the model's own row signals the views
    // and their proxies are still half way.
    void rowsSettled();

private:
    // Rows change only through their binder, which announces each change as an edit.
    friend class Binder;
    void insert(int row, QVector<PageRow> &&rows);
    QVector<PageRow> take(int row, int count);
    void move(int from, int to);
    void replace(int row, const PageRow &page);
    // Points a row at where its data now is. Keys are not shown, so views are not told.
    void relocate(int row, const QString &location, qint64 offset, qint64 length)
    {
        PageKey &key = m_rows[row].key;
        key.location = location;
        key.offset = offset;
        key.length = length;
    }
    void setCommentsCaption(const QString &caption);

    QVector<PageRow> m_rows;
    QString m_commentsCaption = QStringLiteral("Comments");
};

} // namespace quillery
