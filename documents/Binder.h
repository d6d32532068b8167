#pragma once

#include "documents/InfoRecords.h"
#include "documents/PageList.h"
#include "platform/FileLock.h"

#include <QObject>
#include <QVector>

namespace quillery {

// The in-memory state of one open binder: its pages, its info records and its file
// state. Windows show it; nothing here needs a widget.
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
    QString CurFile;      // the binder file, empty until first saved
    int CurIndex = 0;     // 1-based current page, 0 for none
    bool Changed = false; // unsaved changes exist
    QString WCaption;     // the window caption
    FileLock OpenNum;     // holds the binder file open and locked
    qint64 NextKey = 1;   // the serial number the next new row takes
    bool ro = false;      // opened read-only: someone else has the file
    int PanePos = 0;
    int PaneLength = DefaultPaneLength;
    QString oldpagename; // the name of the page whose label is being edited
    QString workingCopy; // the copy of the binder file its pages are read from
    QVector<int> columnWidths = QVector<int>(PageList::ColumnCount, -1); // -1: not set

    // The next serial number for a row; serials stay unique within the binder.
    qint64 takeSerial() { return NextKey++; }
    int pageCount() const { return pages.count(); }
    // The row at a 1-based position; 0 means the current page.
    const PageRow &page(int position) const;
    bool hasPage(int position) const;
    QString title() const { return CF.value(QStringLiteral("Title")); }
};

// A field (0 to 5) of the page key of the page at a 1-based position; position 0 is
// replaced by CurIndex, which the caller's variable then holds.
QString GetInfo(const Binder &binder, int field, int &position);
// The data bytes of the page at a 1-based position given as text; empty text means the
// current page. A page that never got data gives an empty array and reads no file.
QByteArray GetLumpString(const Binder &binder, const QString &position = QString());
QByteArray pageData(const PageKey &key);

} // namespace quillery
