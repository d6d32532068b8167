#include "documents/InfoRecords.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace quillery {

namespace {

// A binder's records run to five per page, so the paths below copy nothing in the
// common case of a key or value without special characters.

bool isEscaped(QChar c)
{
    return c == u'\\' || c == u'\n' || c == u'\r';
}

// Appends the value as stored: backslash, line feed and carriage return escaped.
void appendEscaped(QString &out, QStringView value)
{
    qsizetype plain = 0; // start of the run not yet appended
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (!isEscaped(c))
            continue;
        out.append(value.mid(plain, i - plain));
        out += c == u'\\'   ? QLatin1String("\\\\")
               : c == u'\n' ? QLatin1String("\\n")
                            : QLatin1String("\\r");
        plain = i + 1;
    }
    out.append(value.mid(plain));
}

QString unescapeValue(QStringView value)
{
    const qsizetype first = value.indexOf(u'\\');
    if (first < 0)
        return value.toString();
    QString out;
    out.reserve(value.size());
    out.append(value.left(first));
    for (qsizetype i = first; i < value.size(); ++i) {
        QChar c = value[i];
        if (c == u'\\' && i + 1 < value.size()) {
            QChar next = value[++i];
            if (next == u'n')
                out += u'\n';
            else if (next == u'r')
                out += u'\r';
            else
                out += next;
        } else {
            out += c;
        }
    }
    return out;
}

bool isDelimiter(QChar c)
{
    return c == u'=' || c == u'\n' || c == u'\r' || c == u'\\';
}

// Keys cannot hold the characters that delimit a record.
QString sanitiseKey(const QString &key)
{
    if (std::none_of(key.cbegin(), key.cend(), isDelimiter))
        return key;
    QString out = key;
    for (QChar &c : out) {
        if (isDelimiter(c))
            c = u'_';
    }
    return out;
}

} // namespace

QString InfoRecords::value(const QString &key) const
{
    return value(key, NotFound);
}

QString InfoRecords::value(const QString &key, const QString &defaultValue) const
{
    auto it = m_records.constFind(key);
    return it == m_records.constEnd() ? defaultValue : it->value;
}

void InfoRecords::write(const QString &key, const QString &value)
{
    const QString k = sanitiseKey(key);
    auto it = m_records.find(k);
    if (it != m_records.end())
        it->value = value;
    else
        m_records.insert(k, Entry{m_nextOrder++, value});
}

void InfoRecords::write(const QString &key, bool value)
{
    write(key, value ? QStringLiteral("True") : QStringLiteral("False"));
}

void InfoRecords::remove(const QString &key)
{
    m_records.remove(key);
}

void InfoRecords::removeNumbered(const QString &countKey, const QString &prefix)
{
    bool ok = false;
    const qint64 count = value(countKey).toLongLong(&ok);
    if (!ok)
        return;
    // One pass over the records, however large a (possibly hostile) count claims to be.
    for (auto it = m_records.begin(); it != m_records.end();) {
        const QStringView key = it.key();
        const QStringView digits = key.mid(prefix.size());
        bool numbered =
            key.startsWith(prefix) && !digits.isEmpty() && digits[0] != u'0' &&
            digits.size() <= 18 &&
            std::all_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit(); });
        if (numbered && digits.toLongLong() <= count)
            it = m_records.erase(it);
        else
            ++it;
    }
}

void InfoRecords::clear()
{
    m_records.clear();
    m_nextOrder = 0;
}

QByteArray InfoRecords::toText() const
{
    using Iterator = QHash<QString, Entry>::const_iterator;
    std::vector<std::pair<quint64, Iterator>> order;
    order.reserve(m_records.size());
    qsizetype length = 0;
    for (auto it = m_records.constBegin(); it != m_records.constEnd(); ++it) {
        order.emplace_back(it->order, it);
        length += it.key().size() + it->value.size() + 2;
    }
    std::sort(order.begin(), order.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });

    QString text;
    text.reserve(length);
    for (const auto &[_, it] : order)
        appendRecord(text, it.key(), it->value);
    return text.toUtf8();
}

void InfoRecords::appendRecord(QString &text, QStringView key, QStringView value)
{
    text += key;
    text += u'=';
    appendEscaped(text, value);
    text += u'\n';
}

QString InfoRecords::storedValue(QStringView stored)
{
    return unescapeValue(stored);
}

void InfoRecords::loadText(const QByteArray &text, const Divert &divert)
{
    clear();
    m_records.reserve(text.count('\n') + 1);
    const QString all = QString::fromUtf8(text);
    for (QStringView line : QStringView(all).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0)
            continue;
        if (divert && divert(line.left(eq), line.mid(eq + 1)))
            continue;
        write(line.left(eq).toString(), unescapeValue(line.mid(eq + 1)));
    }
}

} // namespace quillery
