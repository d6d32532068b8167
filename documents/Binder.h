// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/BinderFormat.h"
#include "documents/InfoRecords.h"
#include "documents/PageList.h"
#include "platform/FileLock.h"

#include <QObject>
#include <QPersistentModelIndex>
#include <QUndoStack>
#include <QVector>

#include <functional>
#include <memory>
#include <optional>

namespace quillery {

class Encryption;
class HeldPages;

// One record written (a value) or removed (none) by an edit.
struct RecordChange
{
    QString key;
    std::optional<QString> value;
};

// Where the page list lies beside the viewer; the values are stored in the records.
enum class PanePosition { ListAbove = 0, ListBelow = 1, ListLeft = 2, ListRight = 3 };

// The in-memory state of one open binder: its pages, its info records and its file
// state. It announces every change of its state, so windows follow it instead of each
// command remembering to refresh them. Nothing here needs a widget.
//
// The user's edits are steps of the binder's history (an undo stack): each step calls the
// edit operations below, which change the model, announce it and count as a change. The
// binder is changed while its history is away from the step it was last saved at, or
// after a change that the history does not hold (a password, encryption, recovery).
class Binder : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultPaneLength = 2643;
    static constexpr int SideBySidePaneLength = 3828;
    // Steps of history kept; the oldest go, with the pages they hold, beyond that.
    static constexpr int HistoryLimit = 100;
    // Whether the list lies above or below the viewer rather than beside it.
    static constexpr bool stacked(PanePosition position)
    {
        return position == PanePosition::ListAbove || position == PanePosition::ListBelow;
    }
    // The pane length, in twips, that suits a pane position.
    static constexpr int paneLengthFor(PanePosition position)
    {
        return stacked(position) ? DefaultPaneLength : SideBySidePaneLength;
    }

    explicit Binder(QObject *parent = nullptr);
    // The history goes first, so that the pages it holds can still be told from the binder's.
    ~Binder() override;

    // The pages, for reading; the views show them through pageModel, which offers no way
    // to change a row.
    const PageList &pages() const { return m_pages; }
    QAbstractItemModel &pageModel() { return m_pages; }

    // Holds the binder file open and locked.
    FileLock &fileLock() { return m_fileLock; }
    const FileLock &fileLock() const { return m_fileLock; }
    // The copy of the binder file its pages are read from.
    const QString &workingCopy() const { return m_workingCopy; }
    void setWorkingCopy(const QString &path) { m_workingCopy = path; }
    // The key and private folder of a binder that is encrypted (or was, in this window).
    const std::shared_ptr<Encryption> &encryption() const { return m_encryption; }
    void setEncryption(std::shared_ptr<Encryption> encryption)
    {
        m_encryption = std::move(encryption);
    }
    // Widths of the Details view's columns in twips, as the records keep them; -1: not set.
    const QVector<int> &columnWidths() const { return m_columnWidths; }
    void setColumnWidth(int column, int twips) { m_columnWidths[column] = twips; }

    // 1-based position of the current page, 0 for none. The current page is followed as
    // rows move; when its row goes there is none.
    int currentPosition() const { return m_current.isValid() ? m_current.row() + 1 : 0; }
    // Positions outside the page list mean no page.
    void setCurrentPosition(int position);
    // Unsaved changes exist.
    bool isChanged() const { return m_changed; }
    // A change the history does not hold: the binder stays changed until it is saved,
    // wherever undo and redo take it.
    void markChangedOutsideHistory();
    // The binder file now holds what the binder does.
    void markSaved();
    // Closing without saving: the history and the pages it holds go, and nothing counts
    // as changed any more.
    void discardChanges();
    // The binder file, empty until first saved.
    const QString &fileName() const { return m_fileName; }
    void setFileName(const QString &path);
    // The window's base caption: the title, the file, whether it is read-only, and the
    // note, made here alone from them.
    const QString &caption() const { return m_caption; }
    // Said after the rest of the caption, e.g. that the binder was recovered; a save
    // clears it.
    void setCaptionNote(const QString &note);
    // Opened read-only because someone else has the file.
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly);

    // The binder's records (lump 1 of its file).
    const InfoRecords &records() const { return m_records; }
    // Writes or removes one record that is no edit of the user's (the view, the last
    // saver); recordChanged(key) says so when its value changed.
    void setRecord(const QString &key, const QString &value);
    void removeRecord(const QString &key);
    // Changes many records at once (loading, new binders, saving); announced as
    // recordChanged with an empty key.
    void editRecords(const std::function<void(InfoRecords &)> &edit);

    // Where the page list lies and how long it is, in twips.
    PanePosition panePosition() const { return m_panePosition; }
    int paneLength() const { return m_paneLength; }
    // Both announce panePositionChanged when they change.
    void setPanePosition(PanePosition position, int length);
    void setPaneLength(int length);

    // The name a page had when the user began to edit its label; empty when no label is
    // being edited.
    const QString &nameBeforeRename() const { return m_nameBeforeRename; }
    void setNameBeforeRename(const QString &name) { m_nameBeforeRename = name; }
    // The serial number the next new row takes.
    qint64 nextSerial() const { return m_nextSerial; }
    void setNextSerial(qint64 serial) { m_nextSerial = serial; }
    // The next serial number for a row; serials stay unique within the binder.
    qint64 takeSerial() { return m_nextSerial++; }

    // Edits, positions 1-based. Each announces itself and counts as a change.
    // Inserts rows so that the first lands at position (pageCount() + 1 appends).
    void insertPages(int position, QVector<PageRow> rows);
    // Removes count rows from position on and hands them over.
    QVector<PageRow> takePages(int position, int count);
    void movePage(int from, int to);
    // A page's new name, comments, colour or data; its place stays.
    void updatePage(int position, const PageRow &row);
    // Writes and removes records; textFormatsChanged follows when a format (a record
    // named RTF... or TXT...) changed.
    void changeRecords(const QVector<RecordChange> &changes);

    // The binder's history of edits, for reading and following; steps go in with push
    // and are taken back and done again only here.
    const QUndoStack &history() const { return m_history; }
    // Does the step and makes it the last one of the history.
    void push(std::unique_ptr<QUndoCommand> step);
    void undo();
    void redo();

    // Visits the keys of the pages that steps of the history hold while they are out of
    // the list, so that a save or encryption that moves page data can repoint them too.
    void forEachHeldKey(const std::function<void(PageKey &)> &visit);

    // Loading, which is no edit: the pages of a binder file or snapshot.
    void appendLoadedPages(QVector<PageRow> &&rows);
    // Points the page at position at where its data now lies, which is no change of it.
    void relocatePage(int position, const QString &location, qint64 offset, qint64 length);

    int pageCount() const { return m_pages.count(); }
    // The row at a 1-based position; 0 means the current page. Asking for a position
    // that hasPage denies is a fault of the caller.
    const PageRow &page(int position) const;
    bool hasPage(int position) const;
    QString title() const { return m_records.value(RecordKey::Title); }

Q_SIGNALS:
    // Another page is current, or the current page's data now lies elsewhere; 0 for none.
    void currentPageChanged(int position);
    void changedChanged(bool changed);
    // Something was changed: sent for every change that marks the binder changed, also
    // when it already was.
    void edited();
    void captionChanged();
    void readOnlyChanged(bool readOnly);
    void fileNameChanged(const QString &path);
    // A record changed; an empty key when many may have.
    void recordChanged(const QString &key);
    void textFormatsChanged();
    void panePositionChanged();

private:
    friend class HeldPages;
    // Announces the current page when its position or what it shows has changed.
    void announceCurrentPage();
    void updateCaption();
    // The caption and the comments column follow the records they are made from; an
    // empty key when many records may have changed.
    void followRecord(const QString &key);
    // Every edit ends here: one made outside the history marks the binder changed until it
    // is saved; the history's own steps change it through the stack's clean state.
    void noteEdit();
    void updateChanged();
    // The 0-based row of a 1-based position, which must be in the list.
    int rowAt(int position) const;
    // Runs one of the history's moves with its edits counted as the history's.
    void inHistory(const std::function<void()> &move);

    PageList m_pages;
    FileLock m_fileLock;
    QString m_workingCopy;
    std::shared_ptr<Encryption> m_encryption;
    QVector<int> m_columnWidths = QVector<int>(PageList::ColumnCount, -1);
    QUndoStack m_history;
    QList<HeldPages *> m_held;
    bool m_inHistory = false;
    bool m_changedOutsideHistory = false;

    QPersistentModelIndex m_current;
    int m_announcedIndex = 0;
    PageKey m_announcedKey;
    bool m_changed = false;
    QString m_fileName;
    QString m_caption;
    QString m_captionNote;
    bool m_readOnly = false;
    InfoRecords m_records;
    PanePosition m_panePosition = PanePosition::ListAbove;
    int m_paneLength = DefaultPaneLength;
    QString m_nameBeforeRename;
    qint64 m_nextSerial = 1;
};

// Whether a page key still names the data that was shown for it. Saving repoints rows
// into the new working copy without changing what they hold, so that is no change.
bool sameContent(const PageKey &shown, const PageKey &now);

// The data bytes of the page at a 1-based position; 0 means the current page. A page that
// never got data gives an empty array and reads no file.
QByteArray pageBytes(const Binder &binder, int position = 0);
QByteArray pageData(const PageKey &key);

// Writes the page count, the current page, the column widths and the pane's place into
// records, as a save stores them.
void writeLayoutRecords(InfoRecords &records, const Binder &binder);

} // namespace quillery
