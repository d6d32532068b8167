// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/StartupReport.h"

#include "shell/FirstPaint.h"

#include <QFile>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace quillery {

namespace {

// The kernel keeps the process's start in clock ticks since boot, which also covers the
// dynamic loading that happens before main.
double msSinceProcessStart()
{
    QFile file(QStringLiteral("/proc/self/stat"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray stat = file.readAll();
    // The fields after the command name, which may itself hold spaces and parentheses,
    // begin with field 3; the start time is field 22.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    bool ok = false;
    const qint64 startTicks = fields.value(22 - 3).toLongLong(&ok);
    timespec now{};
    if (!ok || ::clock_gettime(CLOCK_BOOTTIME, &now) != 0)
        return -1;
    const double ticksPerSecond = double(::sysconf(_SC_CLK_TCK));
    return (now.tv_sec + now.tv_nsec / 1e9 - startTicks / ticksPerSecond) * 1000;
}

} // namespace

void reportStartupPaint()
{
    if (!qEnvironmentVariableIsSet("QUILLERY_REPORT_STARTUP"))
        return;
    afterFirstPaint([] {
        std::fprintf(stderr, "painted %.0f\n", msSinceProcessStart());
        std::fflush(stderr);
    });
}

} // namespace quillery
