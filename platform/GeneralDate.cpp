// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GeneralDate.h"

#include <QLocale>

namespace quillery {

namespace {

QString generalDate(const QDateTime &when, const QString &timeFormat)
{
    const QLocale locale = QLocale::system();
    return locale.toString(when, locale.dateFormat(QLocale::ShortFormat) + u' ' + timeFormat);
}

} // namespace

QString generalDate(const QDateTime &when)
{
    return generalDate(when, QLocale::system().timeFormat(QLocale::LongFormat));
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
    return generalDate(when, timeFormat);
}

} // namespace quillery
