// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>

#include <functional>

namespace quillery {

// A binder's key and value records (lump 1 of a binder file). Keys keep the order in
// which they were first written, so the stored text is stable from save to save.
class InfoRecords
{
public:
    static inline const QString NotFound = QStringLiteral("[NOT FOUND]");

    QString value(const QString &key) const;
    QString value(const QString &key, const QString &defaultValue) const;
    bool contains(const QString &key) const { return m_records.contains(key); }

    void write(const QString &key, const QString &value);
    void write(const QString &key, const char *value) { write(key, QString::fromUtf8(value)); }
    void write(const QString &key, qint64 value) { write(key, QString::number(value)); }
    void write(const QString &key, int value) { write(key, QString::number(value)); }
    void write(const QString &key, bool value);

    void remove(const QString &key);
    // Removes prefix1 ... prefixN, N being the whole-number value of countKey.
    void removeNumbered(const QString &countKey, const QString &prefix);
    void clear();
    int size() const { return int(m_records.size()); }

    // The whole record set as stored text, and back. Parsing never fails: lines it
    // cannot read are skipped. Records that divert takes (given their key and their value
    // as stored, both UTF-8) are handed to it instead of being kept.
    using Divert = std::function<bool(QByteArrayView key, QByteArrayView storedValue)>;
    QByteArray toText() const;
    void loadText(const QByteArray &text, const Divert &divert = {});

    // One record line as toText writes it, and a stored value read back.
    static void appendRecord(QByteArray &text, QByteArrayView key, QStringView value);
    // The same written at a place with room for recordBound bytes; returns its end.
    static qsizetype recordBound(QByteArrayView key, QStringView value);
    static char *writeRecord(char *to, QByteArrayView key, QStringView value);
    static QString storedValue(QByteArrayView stored);

private:
    struct Entry
    {
        quint64 order;
        QString value;
    };
    QHash<QString, Entry> m_records;
    quint64 m_nextOrder = 0;
};

} // namespace quillery
