// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/PageList.h"

#include "documents/SizeText.h"
#include "platform/GeneralDate.h"

#include <iterator>
#include <utility>

namespace quillery {

PageList::PageList(QObject *parent) : QAbstractTableModel(parent)
{
}

void PageList::insert(int row, QVector<PageRow> &&rows)
{
    if (rows.isEmpty())
        return;
    beginInsertRows(QModelIndex(), row, row + int(rows.size()) - 1);
    if (m_rows.isEmpty()) {
        m_rows = std::move(rows);
    } else if (row == count()) {
        m_rows.append(std::move(rows));
    } else {
        m_rows.insert(row, rows.size(), PageRow());
        std::move(rows.begin(), rows.end(), m_rows.begin() + row);
    }
    endInsertRows();
    Q_EMIT rowsSettled();
}

QVector<PageRow> PageList::take(int row, int count)
{
    QVector<PageRow> taken;
    if (count <= 0)
        return taken;
    // Views take a reset faster than the removal of every row.
    if (row == 0 && count == this->count()) {
        beginResetModel();
        taken = std::exchange(m_rows, {});
        endResetModel();
    } else {
        beginRemoveRows(QModelIndex(), row, row + count - 1);
        taken.reserve(count);
        std::move(m_rows.begin() + row, m_rows.begin() + row + count, std::back_inserter(taken));
        m_rows.remove(row, count);
        endRemoveRows();
    }
    Q_EMIT rowsSettled();
    return taken;
}

void PageList::move(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= count() || to >= count())
        return;
    // Qt's destination is the row before which the moved row lands.
    beginMoveRows(QModelIndex(), from, from, QModelIndex(), to > from ? to + 1 : to);
    m_rows.move(from, to);
    endMoveRows();
    Q_EMIT rowsSettled();
}

void PageList::replace(int row, const PageRow &page)
{
    m_rows[row] = page;
    Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void PageList::setCommentsCaption(const QString &caption)
{
    m_commentsCaption = caption;
    Q_EMIT headerDataChanged(Qt::Horizontal, CommentsColumn, CommentsColumn);
}

int PageList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

int PageList::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PageList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    const PageRow &page = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        switch (index.column()) {
        case NameColumn:
            return page.name;
        // The records keep one form of date; the list shows it in the user's terms.
        case CreatedColumn:
            return role == Qt::DisplayRole ? shownDate(page.created) : page.created;
        case ModifiedColumn:
            return role == Qt::DisplayRole ? shownDate(page.modified) : page.modified;
        case SizeColumn:
            return sizeText(page.size);
        case CommentsColumn:
            return page.comments;
        }
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() == SizeColumn)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case KindRole:
        return int(PageKind(page.key.kind));
    case KeyRole:
        return page.key.toString();
    default:
        return {};
    }
}

Qt::ItemFlags PageList::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == NameColumn)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant PageList::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case NameColumn:
        return tr("Page Name");
    case CreatedColumn:
        return tr("Created");
    case ModifiedColumn:
        return tr("Modified");
    case SizeColumn:
        return tr("Size");
    case CommentsColumn:
        return m_commentsCaption;
    }
    return {};
}

} // namespace quillery
