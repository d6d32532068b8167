// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DesktopFile.h"

#include <QFile>

namespace quillery {

namespace {

// Undoes the escapes of a string; in a list also "\;" and splits at plain semicolons.
QStringList unescape(const QString &raw, bool isList)
{
    QStringList items;
    QString item;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw[i];
        if (c == u';' && isList) {
            items.append(item);
            item.clear();
        } else if (c == u'\\' && i + 1 < raw.size()) {
            const QChar next = raw[++i];
            switch (next.unicode()) {
            case u's':
                item += u' ';
                break;
            case u'n':
                item += u'\n';
                break;
            case u't':
                item += u'\t';
                break;
            case u'r':
                item += u'\r';
                break;
            case u'\\':
                item += u'\\';
                break;
            case u';':
                item += isList ? QString(u';') : QStringLiteral("\\;");
                break;
            default:
                item += c;
                item += next;
                break;
            }
        } else {
            item += c;
        }
    }
    items.append(item);
    items.removeAll(QString());
    return items;
}

} // namespace

DesktopFile DesktopFile::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return DesktopFile();
    return parse(file.readAll());
}

DesktopFile DesktopFile::parse(const QByteArray &text)
{
    DesktopFile file;
    QHash<QString, QString> *group = nullptr;
    for (const QByteArray &rawLine : text.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            const QString name = line.mid(1, line.size() - 2);
            // A repeated group is invalid; the first one counts.
            group = file.m_groups.contains(name) ? nullptr : &file.m_groups[name];
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!group || equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        if (!key.contains(u'[') && !group->contains(key))
            group->insert(key, line.mid(equals + 1).trimmed());
    }
    return file;
}

bool DesktopFile::contains(const QString &group, const QString &key) const
{
    return m_groups.value(group).contains(key);
}

QString DesktopFile::value(const QString &group, const QString &key) const
{
    return unescape(m_groups.value(group).value(key), false).join(QString());
}

QStringList DesktopFile::list(const QString &group, const QString &key) const
{
    return unescape(m_groups.value(group).value(key), true);
}

bool DesktopFile::isTrue(const QString &group, const QString &key) const
{
    return value(group, key) == QLatin1String("true");
}

} // namespace quillery
