// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandMeasure.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>

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
    if (fields.size() != 5)
        return result;
    result.ok = fields[0] == "1";
    result.seconds = fields[1].toDouble();
    result.cpuSeconds = fields[2].toDouble();
    result.systemSeconds = fields[3].toDouble();
    result.peakMb = fields[4].toDouble();
    return result;
}

double instructions(const QString &program, const QStringList &arguments)
{
    QProcess valgrind;
    valgrind.start(QStringLiteral("valgrind"),
                   QStringList{QStringLiteral("--tool=callgrind"),
                               QStringLiteral("--callgrind-out-file=/dev/null"), program} +
                       arguments);
    if (!valgrind.waitForFinished(-1) || valgrind.exitStatus() != QProcess::NormalExit)
        return 0;
    static const QRegularExpression collected(QStringLiteral("Collected : (\\d+)"));
    const QRegularExpressionMatch match =
        collected.match(QString::fromLocal8Bit(valgrind.readAllStandardError()));
    return match.hasMatch() ? match.captured(1).toDouble() : 0;
}

} // namespace quillery
