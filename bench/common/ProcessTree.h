// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayList>
#include <QList>

namespace quillery {

// A process as /proc shows it.
struct ProcessEntry
{
    qint64 pid = 0;
    qint64 parent = 0;
    QByteArray name; // the command name, as /proc/PID/stat has it
    QByteArrayList arguments;
};

// Every process descended from root, root first; empty when root is gone.
QList<ProcessEntry> processTree(qint64 root);

// What part a process of the tree plays: the program (root), or the web engine's zygote,
// renderer, utility or GPU process. Processes forked by a zygote keep its command line, so
// they are told apart by their place in the tree.
QByteArray processKind(const ProcessEntry &process, const QList<ProcessEntry> &tree);

// Proportional set size in KiB (each shared page split among the processes that map it),
// from /proc/PID/smaps_rollup; 0 when the process is gone.
qint64 pssKib(qint64 pid);

// The memory the processes hold, each page counted once however many of them map it, in
// KiB: unlike PSS, it does not depend on what other programs on the machine map too.
// Reading page frames needs root; -1 without them.
qint64 distinctKib(const QList<qint64> &pids);

// Processor time the process has used, user and system, in clock ticks.
qint64 cpuTicks(qint64 pid);

} // namespace quillery
