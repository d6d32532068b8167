// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProcessTree.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace quillery {

namespace {

QByteArray readProc(qint64 pid, const char *what)
{
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(what)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The fields of /proc/PID/stat after the command name, which may hold spaces and
// parentheses itself: the first of them (field 3) is the state.
QList<QByteArray> statFields(const QByteArray &stat)
{
    return stat.mid(stat.lastIndexOf(')') + 2).split(' ');
}

bool isZygote(const ProcessEntry &process)
{
    return process.arguments.contains("--type=zygote");
}

} // namespace

QList<ProcessEntry> processTree(qint64 root)
{
    QHash<qint64, QList<ProcessEntry>> children;
    ProcessEntry top;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        const QByteArray stat = ok ? readProc(pid, "stat") : QByteArray();
        if (stat.isEmpty())
            continue;
        ProcessEntry process;
        process.pid = pid;
        process.parent = statFields(stat).value(1).toLongLong();
        const int open = stat.indexOf('(');
        process.name = stat.mid(open + 1, stat.lastIndexOf(')') - open - 1);
        process.arguments = readProc(pid, "cmdline").split('\0');
        if (pid == root)
            top = process;
        else
            children[process.parent] << process;
    }
    if (top.pid != root)
        return {};
    QList<ProcessEntry> tree{top};
    for (qsizetype i = 0; i < tree.size(); ++i)
        tree += children.value(tree.at(i).pid);
    return tree;
}

QByteArray processKind(const ProcessEntry &process, const QList<ProcessEntry> &tree)
{
    if (process.pid == tree.value(0).pid)
        return "program";
    for (const QByteArray &argument : process.arguments) {
        if (argument.startsWith("--type=") && argument != "--type=zygote")
            return argument.mid(7) == "gpu-process" ? "gpu" : argument.mid(7);
    }
    if (!isZygote(process))
        return process.name;
    const auto parent = std::find_if(
        tree.cbegin(), tree.cend(), [&](const ProcessEntry &p) { return p.pid == process.parent; });
    const bool hasChildren = std::any_of(
        tree.cbegin(), tree.cend(), [&](const ProcessEntry &p) { return p.parent == process.pid; });
    if (hasChildren || parent == tree.cend() || !isZygote(*parent))
        return "zygote";
    // The zygote without the sandbox starts the utility processes, the other the renderers.
    return parent->arguments.contains("--no-zygote-sandbox") ? "utility" : "renderer";
}

qint64 pssKib(qint64 pid)
{
    for (const QByteArray &line : readProc(pid, "smaps_rollup").split('\n')) {
        if (line.startsWith("Pss:"))
            return line.mid(4).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

qint64 distinctKib(const QList<qint64> &pids)
{
    constexpr quint64 present = 1ULL << 63;
    constexpr quint64 frameBits = (1ULL << 55) - 1;
    const qint64 pageSize = 4096;
    QSet<quint64> frames;
    for (const qint64 pid : pids) {
        QFile pagemap(QStringLiteral("/proc/%1/pagemap").arg(pid));
        if (!pagemap.open(QIODevice::ReadOnly))
            continue;
        // Only the mappings with pages in memory are read: the engine reserves gigabytes of
        // address space it never touches.
        quint64 start = 0, end = 0;
        for (const QByteArray &line : readProc(pid, "smaps").split('\n')) {
            const int dash = line.indexOf('-');
            if (dash > 0 && dash < line.indexOf(' ')) {
                const QByteArray range = line.left(line.indexOf(' '));
                start = range.left(dash).toULongLong(nullptr, 16);
                end = range.mid(dash + 1).toULongLong(nullptr, 16);
                continue;
            }
            if (!line.startsWith("Rss:") || line.mid(4).trimmed().startsWith("0 "))
                continue;
            const qint64 pages = qint64(end - start) / pageSize;
            QList<quint64> entries(pages);
            if (!pagemap.seek(qint64(start / pageSize) * 8) ||
                pagemap.read(reinterpret_cast<char *>(entries.data()), pages * 8) != pages * 8)
                continue;
            for (const quint64 entry : std::as_const(entries)) {
                if (!(entry & present))
                    continue;
                if (!(entry & frameBits))
                    return -1; // frames are hidden from users other than root
                frames.insert(entry & frameBits);
            }
        }
    }
    return frames.size() * pageSize / 1024;
}

qint64 cpuTicks(qint64 pid)
{
    // utime and stime are fields 14 and 15 of the line.
    const QList<QByteArray> fields = statFields(readProc(pid, "stat"));
    return fields.value(11).toLongLong() + fields.value(12).toLongLong();
}

} // namespace quillery
