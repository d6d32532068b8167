#include "documents/InfoRecords.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace quillery {

namespace {

// A binder's records run to five per page, so the paths below copy nothing in the
// common case of a key or value without special characters.

bool isEscaped(char16_t c)
{
    return c == u'\\' || c == u'\n' || c == u'\r';
}

// Appends the value as stored, in UTF-8, with backslash, line feed and carriage return
// escaped. Runs of plain ASCII, nearly all of a binder's text, are narrowed in one go.
void appendEscaped(QByteArray &out, QStringView value)
{
    const char16_t *chars = value.utf16();
    const qsizetype size = value.size();
    qsizetype i = 0;
    while (i < size) {
        qsizetype run = i;
        while (run < size && chars[run] < 0x80 && !isEscaped(chars[run]))
            ++run;
        if (run > i) {
            const qsizetype at = out.size();
            out.resize(at + run - i);
            char *to = out.data() + at;
            for (qsizetype k = i; k < run; ++k)
                *to++ = char(chars[k]);
            i = run;
        } else if (chars[i] >= 0x80) {
            while (run < size && chars[run] >= 0x80)
                ++run;
            out += value.sliced(i, run - i).toUtf8();
            i = run;
        } else {
            out += chars[i] == u'\\' ? "\\\\" : chars[i] == u'\n' ? "\\n" : "\\r";
            ++i;
        }
    }
}

// Escapes are ASCII, so they are undone on the UTF-8 bytes before decoding.
QString unescapeValue(QByteArrayView value)
{
    const qsizetype first = value.indexOf('\\');
    if (first < 0)
        return QString::fromUtf8(value);
    QByteArray out;
    out.reserve(value.size());
    out.append(value.first(first));
    for (qsizetype i = first; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\\' && i + 1 < value.size()) {
            const char next = value[++i];
            out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
        } else {
            out += c;
        }
    }
    return QString::fromUtf8(out);
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

    QByteArray text;
    text.reserve(length);
    for (const auto &[_, it] : order)
        appendRecord(text, it.key().toUtf8(), it->value);
    return text;
}

void InfoRecords::appendRecord(QByteArray &text, QByteArrayView key, QStringView value)
{
    text += key;
    text += '=';
    appendEscaped(text, value);
    text += '\n';
}

QString InfoRecords::storedValue(QByteArrayView stored)
{
    return unescapeValue(stored);
}

// Lines are split on the UTF-8 bytes: a line feed or "=" byte is never part of another
// character, and only the values kept are decoded.
void InfoRecords::loadText(const QByteArray &text, const Divert &divert)
{
    clear();
    const char *next = text.constData();
    const char *const end = next + text.size();
    while (next < end) {
        const char *lineEnd = static_cast<const char *>(std::memchr(next, '\n', end - next));
        if (!lineEnd)
            lineEnd = end;
        QByteArrayView line(next, lineEnd);
        next = lineEnd + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        const qsizetype eq = line.indexOf('=');
        if (eq <= 0)
            continue;
        const QByteArrayView key = line.first(eq);
        const QByteArrayView value = line.sliced(eq + 1);
        if (divert && divert(key, value))
            continue;
        write(QString::fromUtf8(key), unescapeValue(value));
    }
}

} // namespace quillery
