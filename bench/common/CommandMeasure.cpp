// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandMeasure.h"

#include <QCoreApplication>
#include <QProcess>

namespace quillery {

Measured measure(const QString &program, const QStringList &arguments)
{
    QProcess helper;
    helper.start(QCoreApplication::applicationDirPath() + QStringLiteral("/bench_measure"),
                 QStringList{program} + arguments);
    Measured result;
    if (!helper.waitForFinished(-1))
        return result;
    const QList<QByteArray> fields = helper.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() != 4)
        return result;
    result.ok = fields[0] == "1";
    result.seconds = fields[1].toDouble();
    result.cpuSeconds = fields[2].toDouble();
    result.peakMb = fields[3].toDouble();
    return result;
}

} // namespace quillery
