// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/InfoRecords.h"
#include "documents/RecentValues.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <array>
#include <deque>

namespace quillery {

class PageList;
struct PageRow;

// The per-page records of a binder (Page n, Created n, Modified n, Colour n, Comments n),
// kept apart from its other records: they become page-list rows on opening and are
// written from the rows on saving, so thousands of pages never pass through the record set.
class PageRecords
{
public:
    struct Page
    {
        QString name, created, modified, colour, comments;
    };

    // Pages beyond maxPages are not taken.
    explicit PageRecords(qsizetype maxPages);

    // Takes a per-page record; false for any other key.
    bool take(QByteArrayView key, QByteArrayView storedValue);
    // Hands the per-page records to take while InfoRecords::loadText reads the rest.
    InfoRecords::Divert divert()
    {
        return [this](QByteArrayView key, QByteArrayView value) {
            return take(key, value);
        };
    }
    // A page's records, handed over once; a record the text did not have reads
    // "[NOT FOUND]".
    Page takePage(int position);

    // Appends the per-page records of the rows, as record text in row order.
    static void appendText(QByteArray &text, const PageList &pages);
    static void appendText(QByteArray &text, const QVector<PageRow> &rows);

private:
    static constexpr int FieldCount = 5;
    static constexpr int FieldBits = 3;
    // Records as they came, so that memory follows the text, however high a position a
    // record names; ordered by position when the first page is taken. The values stay as
    // stored, back to back in m_values, until their page is taken.
    struct Entry
    {
        qint64 at;
        quint32 positionAndField; // position << FieldBits | field
        quint32 length;
        qsizetype position() const { return positionAndField >> FieldBits; }
        int field() const { return int(positionAndField & ((1 << FieldBits) - 1)); }
    };
    qsizetype m_maxPages;
    QByteArray m_values;
    // In pieces, so that millions of entries never have to be moved at once.
    std::deque<Entry> m_entries;
    bool m_ordered = true;
    std::size_t m_next = 0; // where the next page's entries are expected
    std::array<RecentValues<QString>, FieldCount> m_recent;
};

} // namespace quillery
