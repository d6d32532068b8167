// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <deque>
#include <functional>
#include <vector>

namespace quillery {

// A binder's key and value records (lump 1 of a binder file). Keys keep the order in
// which they were first written, so the stored text is stable from save to save.
// A binder may hold millions of records, so they are kept as they are stored (UTF-8, values
// escaped) in one block of bytes with a small index, and a value becomes a string only
// when it is asked for: memory stays near the size of the text.
class InfoRecords
{
public:
    static inline const QString NotFound = QStringLiteral("[NOT FOUND]");

    QString value(const QString &key) const;
    QString value(const QString &key, const QString &defaultValue) const;
    bool contains(const QString &key) const;

    void write(const QString &key, const QString &value);
    void write(const QString &key, const char *value) { write(key, QString::fromUtf8(value)); }
    void write(const QString &key, qint64 value) { write(key, QString::number(value)); }
    void write(const QString &key, int value) { write(key, QString::number(value)); }
    void write(const QString &key, bool value);

    void remove(const QString &key);
    // Removes prefix1 ... prefixN, N being the whole-number value of countKey.
    void removeNumbered(const QString &countKey, const QString &prefix);
    void clear();
    int size() const { return int(m_live); }

    // The whole record set as stored text, and back. Parsing never fails: lines it
    // cannot read are skipped. Records that divert takes (given their key and their value
    // as stored, both UTF-8) are handed to it instead of being kept.
    using Divert = std::function<bool(QByteArrayView key, QByteArrayView storedValue)>;
    QByteArray toText() const;
    void loadText(QByteArrayView text, const Divert &divert = {});
    // Hands each record, as stored, to visit in the order toText writes them.
    void
    forEach(const std::function<void(QByteArrayView key, QByteArrayView storedValue)> &visit) const;

    // One record line as toText writes it, at a place with room for recordBound bytes;
    // returns its end. storedValue reads a stored value back.
    static qsizetype recordBound(QByteArrayView key, QStringView value);
    static char *writeRecord(char *to, QByteArrayView key, QStringView value);
    static QString storedValue(QByteArrayView stored);

private:
    // A record's key and stored value lie back to back in m_bytes from at; a removed
    // record has at -1.
    struct Record
    {
        qint64 at;
        quint32 keyLength;
        quint32 valueLength;
    };

    QByteArrayView keyOf(const Record &record) const;
    QByteArrayView valueOf(const Record &record) const;
    // The live record with the key, or -1.
    qsizetype find(QByteArrayView key, size_t hash) const;
    qsizetype find(const QString &key) const;
    void put(QByteArrayView key, QByteArrayView storedValue);
    void insertSlot(qsizetype record, size_t hash);
    void growIndex();
    void compact();

    QByteArray m_bytes;
    // In pieces, so that millions of records never have to be moved at once.
    std::deque<Record> m_records;
    // Open addressing over the keys' hashes: record number + 1, 0 for a free slot. Removed
    // records stay until the next compaction, and lookups pass over them.
    std::vector<quint32> m_slots;
    qsizetype m_live = 0;
    qsizetype m_unusedBytes = 0;
};

} // namespace quillery
