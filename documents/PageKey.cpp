// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/PageKey.h"

#include <QStringList>

namespace quillery {

namespace {

QString numberOrEmpty(qint64 value)
{
    return value < 0 ? QString() : QString::number(value);
}

qint64 numberOrNone(const QString &text)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok && value >= 0 ? value : -1;
}

} // namespace

QString PageKey::field(int number) const
{
    switch (number) {
    case 0:
        return QString::number(serial);
    case 1:
        return numberOrEmpty(offset);
    case 2:
        return numberOrEmpty(length);
    case 3:
        return kind.name();
    case 4:
        return location;
    case 5:
        return colour;
    default:
        return QString();
    }
}

QString PageKey::toString() const
{
    QStringList fields;
    for (int i = 0; i < 6; ++i)
        fields << field(i);
    return fields.join(u'?');
}

PageKey PageKey::parse(const QString &text)
{
    const QStringList fields = text.split(u'?');
    PageKey key;
    key.serial = numberOrNone(fields.value(0));
    key.offset = numberOrNone(fields.value(1));
    key.length = numberOrNone(fields.value(2));
    key.kind = StoredKind::fromName(fields.value(3));
    key.location = fields.value(4);
    key.colour = fields.value(5);
    return key;
}

} // namespace quillery
