// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/PageList.h"

#include "documents/SizeText.h"

namespace quillery {

PageList::PageList(QObject *parent) : QAbstractTableModel(parent)
{
}

void PageList::append(const PageRow &row)
{
    const int at = count();
    beginInsertRows(QModelIndex(), at, at);
    m_rows.append(row);
    endInsertRows();
    Q_EMIT rowsSettled();
}

void PageList::append(QVector<PageRow> &&rows)
{
    if (rows.isEmpty())
        return;
    beginInsertRows(QModelIndex(), count(), count() + int(rows.size()) - 1);
    if (m_rows.isEmpty())
        m_rows = std::move(rows);
    else
        m_rows.append(std::move(rows));
    endInsertRows();
    Q_EMIT rowsSettled();
}

void PageList::remove(int row)
{
    beginRemoveRows(QModelIndex(), row, row);
    m_rows.removeAt(row);
    endRemoveRows();
    Q_EMIT rowsSettled();
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

void PageList::clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
    Q_EMIT rowsSettled();
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
        case CreatedColumn:
            return page.created;
        case ModifiedColumn:
            return page.modified;
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

bool PageList::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.column() != NameColumn)
        return false;
    m_rows[index.row()].name = value.toString();
    Q_EMIT dataChanged(index, index);
    return true;
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
        return QStringLiteral("Page Name");
    case CreatedColumn:
        return QStringLiteral("Created");
    case ModifiedColumn:
        return QStringLiteral("Modified");
    case SizeColumn:
        return QStringLiteral("Size");
    case CommentsColumn:
        return m_commentsCaption;
    }
    return {};
}

} // namespace quillery
