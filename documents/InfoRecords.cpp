// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/InfoRecords.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace quillery {

namespace {

// A binder's records run to five per page, so the paths below work on the UTF-8 bytes
// directly, without a whole-text conversion or a string per line.

bool isEscaped(char16_t c)
{
    return c == u'\\' || c == u'\n' || c == u'\r';
}

// Writes the value as stored, in UTF-8, with backslash, line feed and carriage return
// escaped; at most three bytes for each UTF-16 unit.
char *writeEscaped(char *to, QStringView value)
{
    const char16_t *chars = value.utf16();
    const qsizetype size = value.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = chars[i];
        if (c < 0x80) {
            if (isEscaped(c)) {
                *to++ = '\\';
                *to++ = c == u'\\' ? '\\' : c == u'\n' ? 'n' : 'r';
            } else {
                *to++ = char(c);
            }
        } else if (c < 0x800) {
            *to++ = char(0xC0 | (c >> 6));
            *to++ = char(0x80 | (c & 0x3F));
        } else if (QChar::isHighSurrogate(c) && i + 1 < size &&
                   QChar::isLowSurrogate(chars[i + 1])) {
            const char32_t code = QChar::surrogateToUcs4(c, chars[++i]);
            *to++ = char(0xF0 | (code >> 18));
            *to++ = char(0x80 | ((code >> 12) & 0x3F));
            *to++ = char(0x80 | ((code >> 6) & 0x3F));
            *to++ = char(0x80 | (code & 0x3F));
        } else {
            // A lone surrogate cannot be written in UTF-8: it becomes the replacement mark.
            const char16_t code = QChar::isSurrogate(c) ? char16_t(QChar::ReplacementCharacter) : c;
            *to++ = char(0xE0 | (code >> 12));
            *to++ = char(0x80 | ((code >> 6) & 0x3F));
            *to++ = char(0x80 | (code & 0x3F));
        }
    }
    return to;
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
    const qsizetype at = text.size();
    text.resize(at + recordBound(key, value));
    char *const start = text.data();
    text.resize(writeRecord(start + at, key, value) - start);
}

qsizetype InfoRecords::recordBound(QByteArrayView key, QStringView value)
{
    return key.size() + 2 + 3 * value.size();
}

char *InfoRecords::writeRecord(char *to, QByteArrayView key, QStringView value)
{
    to = std::copy(key.begin(), key.end(), to);
    *to++ = '=';
    to = writeEscaped(to, value);
    *to++ = '\n';
    return to;
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
