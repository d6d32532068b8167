#pragma once

#include "documents/InfoRecords.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <array>
#include <optional>

namespace quillery {

class PageList;

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
    // A page's records; a record the text did not have reads "[NOT FOUND]".
    Page page(int position) const;

    // The per-page records of the rows, as record text in row order.
    static QByteArray text(const PageList &pages);

private:
    static constexpr int FieldCount = 5;
    qsizetype m_maxPages;
    QVector<std::array<std::optional<QString>, FieldCount>> m_pages;
};

} // namespace quillery
