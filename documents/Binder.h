// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/InfoRecords.h"
#include "documents/PageList.h"
#include "platform/FileLock.h"

#include <QObject>
#include <QPersistentModelIndex>
#include <QVector>

#include <memory>

namespace quillery {

class Encryption;

// The in-memory state of one open binder: its pages, its info records and its file
// state. It announces every change of its state, so windows follow it instead of each
// command remembering to refresh them. Nothing here needs a widget.
class Binder : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultPaneLength = 2643;
    static constexpr int SideBySidePaneLength = 3828;
    // The pane length, in twips, that suits a pane position: 0 and 1 stack the pane
    // above or below the page, 2 and 3 put it beside.
    static constexpr int paneLengthFor(int panePos)
    {
        return panePos <= 1 ? DefaultPaneLength : SideBySidePaneLength;
    }

    explicit Binder(QObject *parent = nullptr);

    PageList pages;
    InfoRecords CF;
    FileLock OpenNum; // holds the binder file open and locked
    int PanePos = 0;
    int PaneLength = DefaultPaneLength;
    QString oldpagename; // the name of the page whose label is being edited
    QString workingCopy; // the copy of the binder file its pages are read from
    // The key and private folder of a binder that is encrypted (or was, in this window).
    std::shared_ptr<Encryption> encryption;
    // Widths of the Details view's columns in twips, as the records keep them; -1: not set.
    QVector<int> columnWidths = QVector<int>(PageList::ColumnCount, -1);

    // 1-based position of the current page (CurIndex), 0 for none. The current page is
    // followed as rows move; when its row goes there is none.
    int CurIndex() const { return m_current.isValid() ? m_current.row() + 1 : 0; }
    // Positions outside the page list mean no page.
    void setCurIndex(int position);
    // Unsaved changes exist (Changed).
    bool Changed() const { return m_changed; }
    void setChanged(bool changed);
    // The binder file (CurFile), empty until first saved.
    const QString &CurFile() const { return m_curFile; }
    void setCurFile(const QString &path);
    // The window's base caption (WCaption): the title and where the binder lies.
    const QString &WCaption() const { return m_caption; }
    void setWCaption(const QString &caption);
    // Opened read-only because someone else has the file (ro).
    bool ro() const { return m_readOnly; }
    void setReadOnly(bool readOnly);
    // The serial number the next new row takes (NextKey).
    qint64 NextKey() const { return m_nextKey; }
    void setNextKey(qint64 serial) { m_nextKey = serial; }
    // The next serial number for a row; serials stay unique within the binder.
    qint64 takeSerial() { return m_nextKey++; }

    int pageCount() const { return pages.count(); }
    // The row at a 1-based position; 0 means the current page.
    const PageRow &page(int position) const;
    bool hasPage(int position) const;
    QString title() const { return CF.value(QStringLiteral("Title")); }

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

private:
    // Announces the current page when its position or what it shows has changed.
    void announceCurrentPage();

    QPersistentModelIndex m_current;
    int m_announcedIndex = 0;
    PageKey m_announcedKey;
    bool m_changed = false;
    QString m_curFile;
    QString m_caption;
    bool m_readOnly = false;
    qint64 m_nextKey = 1;
};

// Whether a page key still names the data that was shown for it. Saving repoints rows
// into the new working copy without changing what they hold, so that is no change.
bool sameContent(const PageKey &shown, const PageKey &now);

// A field (0 to 5) of the page key of the page at a 1-based position; position 0 is
// replaced by CurIndex, which the caller's variable then holds.
QString GetInfo(const Binder &binder, int field, int &position);
// The data bytes of the page at a 1-based position given as text; empty text means the
// current page. A page that never got data gives an empty array and reads no file.
QByteArray GetLumpString(const Binder &binder, const QString &position = QString());
QByteArray pageData(const PageKey &key);

// Writes the page count, the column widths and the pane's place into records, as a save
// stores them.
void writeLayoutRecords(InfoRecords &records, const Binder &binder);

} // namespace quillery
