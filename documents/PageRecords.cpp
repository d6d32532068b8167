#include "documents/PageRecords.h"

#include "documents/PageList.h"

#include <algorithm>
#include <charconv>

namespace quillery {

namespace {

// The prefixes in the order of a page's fields, which is also the order they are written.
constexpr QByteArrayView Prefixes[] = {"Page", "Created", "Modified", "Colour", "Comments"};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

PageRecords::PageRecords(qsizetype maxPages) : m_maxPages(maxPages)
{
}

bool PageRecords::take(QByteArrayView key, QByteArrayView storedValue)
{
    for (int field = 0; field < FieldCount; ++field) {
        const QByteArrayView prefix = Prefixes[field];
        if (!key.startsWith(prefix))
            continue;
        const QByteArrayView digits = key.sliced(prefix.size());
        if (digits.isEmpty() || digits.size() > 9 || digits[0] == '0' ||
            !std::all_of(digits.begin(), digits.end(), isDigit))
            return false;
        qsizetype position = 0;
        std::from_chars(digits.begin(), digits.end(), position);
        if (position > m_maxPages)
            return false;
        if (position > m_pages.size())
            m_pages.resize(position);
        m_pages[position - 1][field] = InfoRecords::storedValue(storedValue);
        return true;
    }
    return false;
}

PageRecords::Page PageRecords::page(int position) const
{
    const auto field = [&](int f) {
        if (position < 1 || position > m_pages.size() || !m_pages[position - 1][f])
            return InfoRecords::NotFound;
        return *m_pages[position - 1][f];
    };
    return {field(0), field(1), field(2), field(3), field(4)};
}

QByteArray PageRecords::text(const PageList &pages)
{
    qsizetype estimate = 0;
    for (int i = 0; i < pages.count(); ++i) {
        const PageRow &row = pages.at(i);
        estimate += 80 + row.name.size() + row.created.size() + row.modified.size() +
                    row.key.colour.size() + row.comments.size();
    }
    QByteArray text;
    text.reserve(estimate);
    for (int i = 0; i < pages.count(); ++i) {
        const PageRow &row = pages.at(i);
        char number[16];
        char *numberEnd = std::to_chars(number, number + sizeof number, i + 1).ptr;
        const QString *values[] = {&row.name, &row.created, &row.modified, &row.key.colour,
                                   &row.comments};
        for (int field = 0; field < FieldCount; ++field) {
            char key[32];
            char *keyEnd = std::copy(Prefixes[field].begin(), Prefixes[field].end(), key);
            keyEnd = std::copy(number, numberEnd, keyEnd);
            InfoRecords::appendRecord(text, QByteArrayView(key, keyEnd), *values[field]);
        }
    }
    return text;
}

} // namespace quillery
