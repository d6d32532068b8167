// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace quillery {

// One run of a whole command: wall time from before the process is made until it has been
// reaped, the processor time it used (less disturbed by other work on the machine), the
// part of it spent in the kernel, and its peak resident memory.
struct Measured
{
    bool ok = false;
    double seconds = 0;
    double cpuSeconds = 0;
    double systemSeconds = 0;
    double peakMb = 0;
};

// A command's peak memory would count the peak of the process it was started from (the
// kernel carries it over the exec), and a benchmark holds its own data: bench_measure, a
// small program beside the benchmark, starts and measures each command.
Measured measure(const QString &program, const QStringList &arguments);

// Instructions the command executes in user space on all its threads, counted by
// callgrind (the kernel's work, such as page faults and copying what is read, is not in
// it), whatever the command's exit code; 0 when valgrind cannot run it.
double instructions(const QString &program, const QStringList &arguments);

} // namespace quillery
