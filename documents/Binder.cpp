// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/Binder.h"

#include "documents/BinderFormat.h"
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
                const int row = currentPosition() - 1;
                if (row >= first.row() && row <= last.row())
                    announceCurrentPage();
            });
}

void Binder::setCurrentPosition(int position)
{
    m_current = position >= 1 && position <= pages.count()
                    ? QPersistentModelIndex(pages.index(position - 1, 0))
                    : QPersistentModelIndex();
    announceCurrentPage();
}

void Binder::announceCurrentPage()
{
    const int position = currentPosition();
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

void Binder::setFileName(const QString &path)
{
    if (m_fileName == path)
        return;
    m_fileName = path;
    Q_EMIT fileNameChanged(path);
    updateCaption();
}

void Binder::setCaptionNote(const QString &note)
{
    m_captionNote = note;
    updateCaption();
}

void Binder::updateCaption()
{
    QString caption = title();
    if (!m_fileName.isEmpty()) {
        caption += QStringLiteral(" (") + m_fileName + u')';
        if (m_readOnly)
            caption += QStringLiteral(" [Read-Only]");
    }
    caption += m_captionNote;
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
    updateCaption();
}

void Binder::setRecord(const QString &key, const QString &value)
{
    if (m_records.contains(key) && m_records.value(key) == value)
        return;
    m_records.write(key, value);
    Q_EMIT recordChanged(key);
    if (key == RecordKey::Title)
        updateCaption();
}

void Binder::removeRecord(const QString &key)
{
    if (!m_records.contains(key))
        return;
    m_records.remove(key);
    Q_EMIT recordChanged(key);
    if (key == RecordKey::Title)
        updateCaption();
}

void Binder::editRecords(const std::function<void(InfoRecords &)> &edit)
{
    edit(m_records);
    Q_EMIT recordChanged(QString());
    updateCaption();
}

void Binder::setTextFormats(const InfoRecords &formats)
{
    bool changed = false;
    formats.forEach([&](QByteArrayView key, QByteArrayView stored) {
        const QString name = QString::fromUtf8(key);
        const QString value = InfoRecords::storedValue(stored);
        if (m_records.contains(name) && m_records.value(name) == value)
            return;
        m_records.write(name, value);
        changed = true;
        Q_EMIT recordChanged(name);
    });
    if (changed)
        Q_EMIT textFormatsChanged();
}

void Binder::setPanePosition(PanePosition position, int length)
{
    if (m_panePosition == position && m_paneLength == length)
        return;
    m_panePosition = position;
    m_paneLength = length;
    Q_EMIT panePositionChanged();
}

void Binder::setPaneLength(int length)
{
    setPanePosition(m_panePosition, length);
}

bool Binder::hasPage(int position) const
{
    if (position == 0)
        position = currentPosition();
    return position >= 1 && position <= pages.count();
}

const PageRow &Binder::page(int position) const
{
    if (position == 0)
        position = currentPosition();
    // Checked in every build: reading past the list would be worse than stopping.
    if (!hasPage(position))
        qFatal("Binder::page: no page at position %d of %d", position, int(pages.count()));
    return pages.at(position - 1);
}

QByteArray pageData(const PageKey &key)
{
    if (key.inWorkingCopy())
        return LumpArchive::readBytes(key.dataPath(), qMax<qint64>(key.offset, 0),
                                      qMax<qint64>(key.length, 0));
    if (key.location.isEmpty())
        return QByteArray();
    return fileio::readWhole(key.location);
}

void writeLayoutRecords(InfoRecords &records, const Binder &binder)
{
    records.write(RecordKey::Pages, binder.pageCount());
    if (binder.currentPosition() > 0)
        records.write(RecordKey::SelectedPage, binder.currentPosition());
    for (int c = 1; c <= PageList::ColumnCount; ++c) {
        if (binder.columnWidths[c - 1] >= 0)
            records.write(RecordKey::ColumnWidth.arg(c), binder.columnWidths[c - 1]);
    }
    records.write(RecordKey::PanePosition, static_cast<int>(binder.panePosition()));
    records.write(RecordKey::PaneLength, binder.paneLength());
}

QByteArray pageBytes(const Binder &binder, int position)
{
    return pageData(binder.page(position).key);
}

} // namespace quillery
