#include "documents/InfoRecords.h"

#include <algorithm>
#include <vector>

namespace quillery {

namespace {

QString escapeValue(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (QChar c : value) {
        if (c == u'\\')
            out += QLatin1String("\\\\");
        else if (c == u'\n')
            out += QLatin1String("\\n");
        else if (c == u'\r')
            out += QLatin1String("\\r");
        else
            out += c;
    }
    return out;
}

QString unescapeValue(QStringView value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
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

// Keys cannot hold the characters that delimit a record.
QString sanitiseKey(const QString &key)
{
    QString out = key;
    for (QChar &c : out) {
        if (c == u'=' || c == u'\n' || c == u'\r' || c == u'\\')
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
    // A hostile count must not turn into billions of lookups: no more keys can exist
    // than there are records.
    const qint64 limit = std::min<qint64>(count, m_records.size() + 1);
    for (qint64 i = 1; i <= limit; ++i)
        m_records.remove(prefix + QString::number(i));
}

void InfoRecords::clear()
{
    m_records.clear();
    m_nextOrder = 0;
}

QByteArray InfoRecords::toText() const
{
    std::vector<std::pair<quint64, const QString *>> order;
    order.reserve(m_records.size());
    for (auto it = m_records.constBegin(); it != m_records.constEnd(); ++it)
        order.emplace_back(it->order, &it.key());
    std::sort(order.begin(), order.end());

    QString text;
    for (const auto &[_, key] : order) {
        text += *key;
        text += u'=';
        text += escapeValue(m_records.value(*key).value);
        text += u'\n';
    }
    return text.toUtf8();
}

void InfoRecords::loadText(const QByteArray &text)
{
    clear();
    const QString all = QString::fromUtf8(text);
    for (QStringView line : QStringView(all).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0)
            continue;
        write(line.left(eq).toString(), unescapeValue(line.mid(eq + 1)));
    }
}

} // namespace quillery
