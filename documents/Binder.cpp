// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/Binder.h"

#include "documents/BinderFormat.h"
#include "documents/HeldPages.h"
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
    m_history.setUndoLimit(HistoryLimit);
    connect(&m_history, &QUndoStack::cleanChanged, this, &Binder::updateChanged);
    // Every step done, undone or redone is a change, also one back to the saved state. The
    // stack tells its clean state last, but whoever hears of the edit asks whether the
    // binder is changed now.
    connect(&m_history, &QUndoStack::indexChanged, this, [this] {
        updateChanged();
        Q_EMIT edited();
    });
    connect(&m_pages, &PageList::rowsSettled, this, &Binder::announceCurrentPage);
    connect(&m_pages, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &first, const QModelIndex &last) {
                const int row = currentPosition() - 1;
                if (row >= first.row() && row <= last.row())
                    announceCurrentPage();
            });
}

Binder::~Binder()
{
    // Going is no change: the recovery snapshot, which follows the changed state, stays.
    m_history.blockSignals(true);
    m_history.clear();
}

void Binder::setCurrentPosition(int position)
{
    m_current = position >= 1 && position <= m_pages.count()
                    ? QPersistentModelIndex(m_pages.index(position - 1, 0))
                    : QPersistentModelIndex();
    announceCurrentPage();
}

void Binder::announceCurrentPage()
{
    const int position = currentPosition();
    const PageKey key = position > 0 ? m_pages.at(position - 1).key : PageKey();
    if (position == m_announcedIndex && sameContent(m_announcedKey, key))
        return;
    m_announcedIndex = position;
    m_announcedKey = key;
    Q_EMIT currentPageChanged(position);
}

void Binder::updateChanged()
{
    const bool changed = m_changedOutsideHistory || !m_history.isClean();
    if (m_changed == changed)
        return;
    m_changed = changed;
    Q_EMIT changedChanged(changed);
}

void Binder::noteEdit()
{
    // A step of the history is announced by the history once it is done.
    if (!m_inHistory)
        markChangedOutsideHistory();
}

void Binder::markChangedOutsideHistory()
{
    m_changedOutsideHistory = true;
    updateChanged();
    Q_EMIT edited();
}

void Binder::markSaved()
{
    m_changedOutsideHistory = false;
    m_history.setClean();
    updateChanged();
}

void Binder::discardChanges()
{
    m_history.clear();
    m_changedOutsideHistory = false;
    updateChanged();
}

void Binder::inHistory(const std::function<void()> &move)
{
    const bool outer = m_inHistory;
    m_inHistory = true;
    move();
    m_inHistory = outer;
}

void Binder::push(std::unique_ptr<QUndoCommand> step)
{
    inHistory([&] { m_history.push(step.release()); });
}

void Binder::undo()
{
    inHistory([this] { m_history.undo(); });
}

void Binder::redo()
{
    inHistory([this] { m_history.redo(); });
}

void Binder::forEachHeldKey(const std::function<void(PageKey &)> &visit)
{
    for (HeldPages *held : std::as_const(m_held)) {
        for (PageRow &row : held->m_rows)
            visit(row.key);
    }
}

void Binder::insertPages(int position, QVector<PageRow> rows)
{
    if (rows.isEmpty())
        return;
    m_pages.insert(qBound(0, position - 1, m_pages.count()), std::move(rows));
    noteEdit();
}

int Binder::rowAt(int position) const
{
    // Checked in every build: changing a row past the list would be worse than stopping.
    if (position < 1 || position > m_pages.count())
        qFatal("Binder: no page at position %d of %d", position, int(m_pages.count()));
    return position - 1;
}

QVector<PageRow> Binder::takePages(int position, int count)
{
    if (count <= 0)
        return {};
    rowAt(position + count - 1);
    QVector<PageRow> taken = m_pages.take(rowAt(position), count);
    noteEdit();
    return taken;
}

void Binder::movePage(int from, int to)
{
    if (from == to)
        return;
    m_pages.move(rowAt(from), rowAt(to));
    noteEdit();
}

void Binder::updatePage(int position, const PageRow &row)
{
    m_pages.replace(rowAt(position), row);
    noteEdit();
}

void Binder::changeRecords(const QVector<RecordChange> &changes)
{
    bool changed = false;
    bool formats = false;
    for (const RecordChange &change : changes) {
        const bool present = m_records.contains(change.key);
        if (change.value) {
            if (present && m_records.value(change.key) == *change.value)
                continue;
            m_records.write(change.key, *change.value);
        } else {
            if (!present)
                continue;
            m_records.remove(change.key);
        }
        changed = true;
        formats = formats || change.key.startsWith(u"RTF") || change.key.startsWith(u"TXT");
        Q_EMIT recordChanged(change.key);
        followRecord(change.key);
    }
    if (formats)
        Q_EMIT textFormatsChanged();
    if (changed)
        noteEdit();
}

void Binder::appendLoadedPages(QVector<PageRow> &&rows)
{
    m_pages.insert(m_pages.count(), std::move(rows));
}

void Binder::relocatePage(int position, const QString &location, qint64 offset, qint64 length)
{
    m_pages.relocate(rowAt(position), location, offset, length);
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

void Binder::followRecord(const QString &key)
{
    if (key.isEmpty() || key == RecordKey::CommentsColumn)
        m_pages.setCommentsCaption(m_records.value(RecordKey::CommentsColumn, tr("Comments")));
    if (key.isEmpty() || key == RecordKey::Title)
        updateCaption();
}

void Binder::updateCaption()
{
    QString caption = title();
    if (!m_fileName.isEmpty()) {
        caption += QStringLiteral(" (") + m_fileName + u')';
        if (m_readOnly)
            caption += tr(" [Read-Only]");
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
    followRecord(key);
}

void Binder::removeRecord(const QString &key)
{
    if (!m_records.contains(key))
        return;
    m_records.remove(key);
    Q_EMIT recordChanged(key);
    followRecord(key);
}

void Binder::editRecords(const std::function<void(InfoRecords &)> &edit)
{
    edit(m_records);
    Q_EMIT recordChanged(QString());
    followRecord(QString());
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
    return position >= 1 && position <= m_pages.count();
}

const PageRow &Binder::page(int position) const
{
    if (position == 0)
        position = currentPosition();
    // Checked in every build: reading past the list would be worse than stopping.
    if (!hasPage(position))
        qFatal("Binder::page: no page at position %d of %d", position, int(m_pages.count()));
    return m_pages.at(position - 1);
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
        if (binder.columnWidths()[c - 1] >= 0)
            records.write(RecordKey::ColumnWidth.arg(c), binder.columnWidths()[c - 1]);
    }
    records.write(RecordKey::PanePosition, static_cast<int>(binder.panePosition()));
    records.write(RecordKey::PaneLength, binder.paneLength());
}

QByteArray pageBytes(const Binder &binder, int position)
{
    return pageData(binder.page(position).key);
}

} // namespace quillery
