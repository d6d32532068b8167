// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/BinderFormat.h"
#include "documents/InfoRecords.h"
#include "documents/PageList.h"
#include "platform/FileLock.h"

#include <QObject>
#include <QPersistentModelIndex>
#include <QVector>

#include <functional>
#include <memory>

namespace quillery {

class Encryption;

// Where the page list lies beside the viewer; the values are stored in the records.
enum class PanePosition { ListAbove = 0, ListBelow = 1, ListLeft = 2, ListRight = 3 };

// The in-memory state of one open binder: its pages, its info records and its file
// state. It announces every change of its state, so windows follow it instead of each
// command remembering to refresh them. Nothing here needs a widget.
class Binder : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultPaneLength = 2643;
    static constexpr int SideBySidePaneLength = 3828;
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

    PageList pages;
    FileLock fileLock;   // holds the binder file open and locked
    QString workingCopy; // the copy of the binder file its pages are read from
    // The key and private folder of a binder that is encrypted (or was, in this window).
    std::shared_ptr<Encryption> encryption;
    // Widths of the Details view's columns in twips, as the records keep them; -1: not set.
    QVector<int> columnWidths = QVector<int>(PageList::ColumnCount, -1);

    // 1-based position of the current page, 0 for none. The current page is followed as
    // rows move; when its row goes there is none.
    int currentPosition() const { return m_current.isValid() ? m_current.row() + 1 : 0; }
    // Positions outside the page list mean no page.
    void setCurrentPosition(int position);
    // Unsaved changes exist.
    bool isChanged() const { return m_changed; }
    void setChanged(bool changed);
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
    // Writes or removes one record; recordChanged(key) says so when its value changed.
    void setRecord(const QString &key, const QString &value);
    void removeRecord(const QString &key);
    // Changes many records at once (loading, new binders, saving); announced as
    // recordChanged with an empty key.
    void editRecords(const std::function<void(InfoRecords &)> &edit);
    // Writes the text formats pages are shown with (records named RTF... and TXT...);
    // textFormatsChanged says so when any changed.
    void setTextFormats(const InfoRecords &formats);

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

    int pageCount() const { return pages.count(); }
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
    // Announces the current page when its position or what it shows has changed.
    void announceCurrentPage();
    void updateCaption();

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
