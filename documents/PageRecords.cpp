#include "documents/PageRecords.h"

#include "documents/InfoRecords.h"
#include "documents/PageList.h"

#include <algorithm>

namespace quillery {

namespace {

// The prefixes in the order of a page's fields, which is also the order they are written.
constexpr QStringView Prefixes[] = {u"Page", u"Created", u"Modified", u"Colour", u"Comments"};

} // namespace

PageRecords::PageRecords(qsizetype maxPages) : m_maxPages(maxPages)
{
}

bool PageRecords::take(QStringView key, QStringView storedValue)
{
    for (int field = 0; field < FieldCount; ++field) {
        const QStringView prefix = Prefixes[field];
        if (!key.startsWith(prefix))
            continue;
        const QStringView digits = key.mid(prefix.size());
        if (digits.isEmpty() || digits.size() > 9 || digits[0] == u'0' ||
            !std::all_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit(); }))
            return false;
        const qsizetype position = digits.toInt();
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
    QString text;
    for (int i = 0; i < pages.count(); ++i) {
        const PageRow &row = pages.at(i);
        const QString n = QString::number(i + 1);
        const QString *values[] = {&row.name, &row.created, &row.modified, &row.key.colour,
                                   &row.comments};
        for (int field = 0; field < FieldCount; ++field)
            InfoRecords::appendRecord(text, Prefixes[field].toString() + n, *values[field]);
    }
    return text.toUtf8();
}

} // namespace quillery
