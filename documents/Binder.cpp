// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/Binder.h"

#include "documents/LumpArchive.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"

namespace quillery {

bool sameContent(const PageKey &shown, const PageKey &now)
{
    return shown.serial == now.serial && shown.kind == now.kind && shown.colour == now.colour &&
           (now.inWorkingCopy() || shown.location == now.location);
}

Binder::Binder(QObject *parent) : QObject(parent)
{
    connect(&pages, &PageList::rowsSettled, this, &Binder::announceCurrentPage);
    connect(&pages, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &first, const QModelIndex &last) {
                const int row = CurIndex() - 1;
                if (row >= first.row() && row <= last.row())
                    announceCurrentPage();
            });
}

void Binder::setCurIndex(int position)
{
    m_current = position >= 1 && position <= pages.count()
                    ? QPersistentModelIndex(pages.index(position - 1, 0))
                    : QPersistentModelIndex();
    announceCurrentPage();
}

void Binder::announceCurrentPage()
{
    const int position = CurIndex();
    const PageKey key = position > 0 ? pages.at(position - 1).key : PageKey();
    if (position == m_announcedIndex && sameContent(m_announcedKey, key))
        return;
    m_announcedIndex = position;
    m_announcedKey = key;
    Q_EMIT currentPageChanged(position);
}

void Binder::setChanged(bool changed)
{
    if (m_changed != changed) {
        m_changed = changed;
        Q_EMIT changedChanged(changed);
    }
    if (changed)
        Q_EMIT edited();
}

void Binder::setCurFile(const QString &path)
{
    if (m_curFile == path)
        return;
    m_curFile = path;
    Q_EMIT fileNameChanged(path);
}

void Binder::setWCaption(const QString &caption)
{
    if (m_caption == caption)
        return;
    m_caption = caption;
    Q_EMIT captionChanged();
}

void Binder::setReadOnly(bool readOnly)
{
    if (m_readOnly == readOnly)
        return;
    m_readOnly = readOnly;
    Q_EMIT readOnlyChanged(readOnly);
}

bool Binder::hasPage(int position) const
{
    if (position == 0)
        position = CurIndex();
    return position >= 1 && position <= pages.count();
}

const PageRow &Binder::page(int position) const
{
    if (position == 0)
        position = CurIndex();
    if (!hasPage(position))
        throw FileError(9, QStringLiteral("Subscript out of range"));
    return pages.at(position - 1);
}

QString GetInfo(const Binder &binder, int field, int &position)
{
    if (position == 0)
        position = binder.CurIndex();
    return binder.page(position).key.field(field);
}

QByteArray pageData(const PageKey &key)
{
    if (key.inWorkingCopy())
        return LumpArchive::ReadBytes(key.dataPath(), qMax<qint64>(key.offset, 0),
                                      qMax<qint64>(key.length, 0));
    if (key.location.isEmpty())
        return QByteArray();
    return fileio::readWhole(key.location);
}

void writeLayoutRecords(InfoRecords &records, const Binder &binder)
{
    records.write(QStringLiteral("Pages"), binder.pageCount());
    for (int c = 1; c <= PageList::ColumnCount; ++c) {
        if (binder.columnWidths[c - 1] >= 0)
            records.write(QStringLiteral("ColWidth%1").arg(c), binder.columnWidths[c - 1]);
    }
    records.write(QStringLiteral("Pane Pos"), binder.PanePos);
    records.write(QStringLiteral("Pane Length"), binder.PaneLength);
}

QByteArray GetLumpString(const Binder &binder, const QString &position)
{
    const int index = position.isEmpty() ? 0 : position.toInt();
    return pageData(binder.page(index).key);
}

} // namespace quillery
