// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GeneralDate.h"

#include <QCoreApplication>
#include <QLocale>

namespace quillery {

namespace {

// Quoted, so that the zone is written and read back as these letters whatever Qt calls it.
const QString &storedFormat()
{
    static const QString format = QStringLiteral("d MMM yyyy HH:mm:ss 'UTC'");
    return format;
}

QString userDate(const QDateTime &when, const QString &timeFormat)
{
    const QLocale locale = QLocale::system();
    return locale.toString(when.toLocalTime(),
                           locale.dateFormat(QLocale::ShortFormat) + u' ' + timeFormat);
}

} // namespace

QString generalDate(const QDateTime &when)
{
    return QLocale::c().toString(when.toUTC(), storedFormat());
}

QString localDate(const QDateTime &when)
{
    return userDate(when, QLocale::system().timeFormat(QLocale::LongFormat));
}

QString shownDate(const QString &stored)
{
    if (stored == u"Never")
        return QCoreApplication::translate("PageDates", "Never");
    QDateTime when = QLocale::c().toDateTime(stored, storedFormat());
    if (!when.isValid())
        return stored;
    when.setTimeSpec(Qt::UTC);
    return localDate(when);
}

QString generalDatePrecise(const QDateTime &when, int nanoseconds)
{
    const QLocale locale = QLocale::system();
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    const QString fraction = u'\'' + locale.decimalPoint() +
                             QStringLiteral("%1'").arg(nanoseconds, 9, 10, QLatin1Char('0'));
    // The fraction goes right after the seconds field, the last "s" of the format.
    const qsizetype seconds = timeFormat.lastIndexOf(u's');
    if (seconds < 0)
        timeFormat += u' ' + fraction;
    else
        timeFormat.insert(seconds + 1, fraction);
    return userDate(when, timeFormat);
}

} // namespace quillery
