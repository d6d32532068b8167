// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/InfoRecords.h"

#include <QHashFunctions>

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

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

QByteArray escaped(QStringView value)
{
    QByteArray stored(3 * value.size(), Qt::Uninitialized);
    stored.truncate(writeEscaped(stored.data(), value) - stored.data());
    return stored;
}

// Whether stored bytes are already as this class writes them: ASCII without escapes or
// carriage returns. Others (UTF-8, escapes, damaged bytes) are read and written again,
// so that a record reads back as it was written.
bool isWrittenForm(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return uchar(c) < 0x80 && c != '\\' && c != '\r'; });
}

constexpr size_t MinIndexSize = 16;

// Seeded per run, so that a binder cannot be made with keys that all collide.
size_t hashOf(QByteArrayView key)
{
    return qHash(key, QHashSeed::globalSeed());
}
// Unused bytes and removed records are cleared out once they are this many or more and
// outnumber what is in use.
constexpr qsizetype CompactionFloor = 4096;

} // namespace

QString InfoRecords::value(const QString &key) const
{
    return value(key, NotFound);
}

QString InfoRecords::value(const QString &key, const QString &defaultValue) const
{
    const qsizetype found = find(key);
    return found < 0 ? defaultValue : unescapeValue(valueOf(m_records[found]));
}

bool InfoRecords::contains(const QString &key) const
{
    return find(key) >= 0;
}

void InfoRecords::write(const QString &key, const QString &value)
{
    put(sanitiseKey(key).toUtf8(), escaped(value));
}

void InfoRecords::write(const QString &key, bool value)
{
    write(key, value ? QStringLiteral("True") : QStringLiteral("False"));
}

void InfoRecords::remove(const QString &key)
{
    const qsizetype found = find(key);
    if (found < 0)
        return;
    Record &record = m_records[found];
    m_unusedBytes += record.keyLength + record.valueLength;
    record.at = -1;
    --m_live;
    compact();
}

void InfoRecords::removeNumbered(const QString &countKey, const QString &prefix)
{
    bool ok = false;
    const qint64 count = value(countKey).toLongLong(&ok);
    if (!ok)
        return;
    const QByteArray start = prefix.toUtf8();
    // One pass over the records, however large a (possibly hostile) count claims to be.
    for (Record &record : m_records) {
        if (record.at < 0)
            continue;
        const QByteArrayView key = keyOf(record);
        const QByteArrayView digits = key.sliced(std::min(key.size(), start.size()));
        const bool numbered =
            key.startsWith(start) && !digits.isEmpty() && digits[0] != '0' && digits.size() <= 18 &&
            std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (numbered && digits.toLongLong() <= count) {
            m_unusedBytes += record.keyLength + record.valueLength;
            record.at = -1;
            --m_live;
        }
    }
    compact();
}

void InfoRecords::clear()
{
    m_bytes.clear();
    m_records.clear();
    m_slots.clear();
    m_live = 0;
    m_unusedBytes = 0;
}

QByteArray InfoRecords::toText() const
{
    QByteArray text;
    text.reserve(m_bytes.size() - m_unusedBytes + 2 * m_live);
    forEach([&text](QByteArrayView key, QByteArrayView value) {
        text.append(key).append('=').append(value).append('\n');
    });
    return text;
}

void InfoRecords::forEach(
    const std::function<void(QByteArrayView key, QByteArrayView storedValue)> &visit) const
{
    for (const Record &record : m_records) {
        if (record.at >= 0)
            visit(keyOf(record), valueOf(record));
    }
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
// character, and what is kept is copied as it is stored.
void InfoRecords::loadText(QByteArrayView text, const Divert &divert)
{
    clear();
    const char *next = text.data();
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
        if (isWrittenForm(key) && isWrittenForm(value))
            put(key, value);
        else
            put(sanitiseKey(QString::fromUtf8(key)).toUtf8(), escaped(unescapeValue(value)));
    }
}

QByteArrayView InfoRecords::keyOf(const Record &record) const
{
    return QByteArrayView(m_bytes).sliced(record.at, record.keyLength);
}

QByteArrayView InfoRecords::valueOf(const Record &record) const
{
    return QByteArrayView(m_bytes).sliced(record.at + record.keyLength, record.valueLength);
}

qsizetype InfoRecords::find(QByteArrayView key, size_t hash) const
{
    if (m_slots.empty())
        return -1;
    const size_t mask = m_slots.size() - 1;
    for (size_t i = hash & mask; m_slots[i] != 0; i = (i + 1) & mask) {
        const Record &record = m_records[m_slots[i] - 1];
        if (record.at >= 0 && keyOf(record) == key)
            return m_slots[i] - 1;
    }
    return -1;
}

qsizetype InfoRecords::find(const QString &key) const
{
    const QByteArray bytes = key.toUtf8();
    return find(bytes, hashOf(bytes));
}

void InfoRecords::put(QByteArrayView key, QByteArrayView storedValue)
{
    // Nothing a binder can hold comes near; the index counts in 32 bits.
    if (key.size() > std::numeric_limits<quint32>::max() ||
        storedValue.size() > std::numeric_limits<quint32>::max() ||
        m_records.size() >= std::numeric_limits<quint32>::max())
        throw std::length_error("record too large");
    const size_t hash = hashOf(key);
    const qsizetype found = find(key, hash);
    if (found >= 0) {
        Record &record = m_records[found];
        if (storedValue.size() <= record.valueLength) {
            std::copy(storedValue.begin(), storedValue.end(),
                      m_bytes.data() + record.at + record.keyLength);
            m_unusedBytes += record.valueLength - storedValue.size();
        } else {
            m_unusedBytes += record.keyLength + record.valueLength;
            record.at = m_bytes.size();
            m_bytes.append(key).append(storedValue);
        }
        record.valueLength = quint32(storedValue.size());
        compact();
        return;
    }
    m_records.push_back({m_bytes.size(), quint32(key.size()), quint32(storedValue.size())});
    m_bytes.append(key).append(storedValue);
    ++m_live;
    insertSlot(qsizetype(m_records.size()) - 1, hash);
}

void InfoRecords::insertSlot(qsizetype record, size_t hash)
{
    // Every record, removed ones too, holds a slot; the index stays at most 70% full.
    if (m_records.size() * 10 > m_slots.size() * 7) {
        growIndex();
        return;
    }
    const size_t mask = m_slots.size() - 1;
    size_t i = hash & mask;
    while (m_slots[i] != 0)
        i = (i + 1) & mask;
    m_slots[i] = quint32(record + 1);
}

void InfoRecords::growIndex()
{
    size_t size = MinIndexSize;
    while (size < m_records.size() * 2)
        size *= 2;
    // The old index goes first: it is rebuilt from the records.
    std::vector<quint32>().swap(m_slots);
    m_slots.assign(size, 0);
    const size_t mask = size - 1;
    for (size_t r = 0; r < m_records.size(); ++r) {
        if (m_records[r].at < 0)
            continue;
        size_t i = hashOf(keyOf(m_records[r])) & mask;
        while (m_slots[i] != 0)
            i = (i + 1) & mask;
        m_slots[i] = quint32(r + 1);
    }
}

void InfoRecords::compact()
{
    const qsizetype removed = qsizetype(m_records.size()) - m_live;
    const bool wasteful =
        (m_unusedBytes >= CompactionFloor && m_unusedBytes * 2 > m_bytes.size()) ||
        (removed >= CompactionFloor && removed > m_live);
    if (!wasteful)
        return;
    QByteArray bytes;
    bytes.reserve(m_bytes.size() - m_unusedBytes);
    std::deque<Record> records;
    for (const Record &record : m_records) {
        if (record.at < 0)
            continue;
        records.push_back({bytes.size(), record.keyLength, record.valueLength});
        bytes.append(
            QByteArrayView(m_bytes).sliced(record.at, record.keyLength + record.valueLength));
    }
    m_bytes = std::move(bytes);
    m_records = std::move(records);
    m_unusedBytes = 0;
    growIndex();
}

} // namespace quillery
