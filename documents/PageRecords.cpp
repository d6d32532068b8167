// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/PageRecords.h"

#include "documents/PageList.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace quillery {

namespace {

// The prefixes in the order of a page's fields, which is also the order they are written.
constexpr QByteArrayView Prefixes[] = {"Page", "Created", "Modified", "Colour", "Comments"};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

PageRecords::PageRecords(qsizetype maxPages)
    // Positions are kept in the bits a 32-bit number has left beside the field; no
    // archive has that many lumps.
    : m_maxPages(std::min<qsizetype>(maxPages, std::numeric_limits<quint32>::max() >> FieldBits))
{
}

bool PageRecords::take(QByteArrayView key, QByteArrayView storedValue)
{
    for (int field = 0; field < FieldCount; ++field) {
        const QByteArrayView prefix = Prefixes[field];
        if (key.isEmpty() || key[0] != prefix[0] || !key.startsWith(prefix))
            continue;
        const QByteArrayView digits = key.sliced(prefix.size());
        if (digits.isEmpty() || digits.size() > 9 || digits[0] == '0' ||
            !std::all_of(digits.begin(), digits.end(), isDigit))
            return false;
        qsizetype position = 0;
        std::from_chars(digits.begin(), digits.end(), position);
        if (position > m_maxPages || storedValue.size() > std::numeric_limits<quint32>::max())
            return false;
        if (!m_entries.empty() && position < m_entries.back().position())
            m_ordered = false;
        m_entries.push_back(
            {m_values.size(), quint32(position << FieldBits | field), quint32(storedValue.size())});
        m_values.append(storedValue);
        return true;
    }
    return false;
}

PageRecords::Page PageRecords::takePage(int position)
{
    if (!m_ordered) {
        // A record written twice: the later one counts, as it comes later in the order.
        std::stable_sort(m_entries.begin(), m_entries.end(), [](const Entry &a, const Entry &b) {
            return a.position() < b.position();
        });
        m_ordered = true;
    }
    std::array<QString, FieldCount> fields;
    fields.fill(InfoRecords::NotFound);
    // Pages are taken in order, so the next one is usually where the last one ended.
    auto it = m_entries.begin() + m_next;
    if (it == m_entries.end() || it->position() != position ||
        (it != m_entries.begin() && (it - 1)->position() == position))
        it = std::lower_bound(
            m_entries.begin(), m_entries.end(), position,
            [](const Entry &entry, qsizetype wanted) { return entry.position() < wanted; });
    for (; it != m_entries.end() && it->position() == position; ++it) {
        const QByteArrayView stored = QByteArrayView(m_values).sliced(it->at, it->length);
        const int field = it->field();
        // Names and comments differ from page to page; the other fields mostly repeat.
        fields[field] = field == 0 || field == 4
                            ? InfoRecords::storedValue(stored)
                            : m_recent[field].get(stored, InfoRecords::storedValue);
    }
    m_next = it - m_entries.begin();
    return {std::move(fields[0]), std::move(fields[1]), std::move(fields[2]), std::move(fields[3]),
            std::move(fields[4])};
}

void PageRecords::appendText(QByteArray &text, const PageList &pages)
{
    appendText(text, pages.rows());
}

void PageRecords::appendText(QByteArray &text, const QVector<PageRow> &pages)
{
    // Keys are a prefix and a page number of at most ten digits.
    constexpr QByteArrayView LongestKey = "Comments0123456789";
    qsizetype bound = 0;
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const PageRow &row = pages.at(i);
        for (const QString *value :
             {&row.name, &row.created, &row.modified, &row.key.colour, &row.comments})
            bound += InfoRecords::recordBound(LongestKey, *value);
    }
    // Written into room for the largest size the records can take, then cut to size.
    const qsizetype at = text.size();
    text.resize(at + bound);
    char *const start = text.data();
    char *to = start + at;
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const PageRow &row = pages.at(i);
        char number[16];
        char *numberEnd = std::to_chars(number, number + sizeof number, i + 1).ptr;
        const QString *values[] = {&row.name, &row.created, &row.modified, &row.key.colour,
                                   &row.comments};
        for (int field = 0; field < FieldCount; ++field) {
            char key[32];
            char *keyEnd = std::copy(Prefixes[field].begin(), Prefixes[field].end(), key);
            keyEnd = std::copy(number, numberEnd, keyEnd);
            to = InfoRecords::writeRecord(to, QByteArrayView(key, keyEnd), *values[field]);
        }
    }
    text.truncate(to - start);
}

} // namespace quillery
