// SPDX-License-Identifier: GPL-3.0-or-later
// Opening and saving a large binder against copying its file with cp.
//
// For each case a binder is saved with the program's own code into a scratch folder;
// then, three times each, the file is copied with /bin/cp (with and without a data sync
// afterwards, since saving syncs what it writes), opened with openFile, saved again
// unchanged with saveBinderFile (which adds the new records to the file and leaves the pages
// where they are, or rewrites the file once a quarter of it would be unused), saved with
// one page's data replaced (which adds the new page and erases the old one's bytes in
// place), and saved under another name (which writes the whole binder). Caches stay warm
// throughout: dropping them needs privileges a benchmark should not ask for. The load
// average is printed before and after: other work on the machine stretches the times.
//
// Usage: bench_binder_io [--case big|small|all] [--reps N] [--dir FOLDER]

#include "LargeBinder.h"
#include "LoadAverage.h"
#include "documents/Binder.h"
#include "documents/BinderSaver.h"
#include "documents/Interaction.h"
#include "documents/NewBinder.h"
#include "documents/PageKind.h"
#include "documents/Workspace.h"
#include "platform/ConsoleDialogs.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/GeneralDate.h"
#include "platform/TempFolder.h"
#include "transfer/BinderOpener.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

using namespace quillery;

namespace {

constexpr qint64 KiB = 1024;
constexpr qint64 MiB = 1024 * KiB;
constexpr qint64 GiB = 1024 * MiB;

constexpr double OpenTarget = 1.3;
constexpr double SaveTarget = 1.5;
// A save that rewrites a small binder, or replaces a page of one, against cp + sync.
constexpr double SmallSaveTarget = 1.5;
// Saving one changed page of the big binder, in seconds.
constexpr double ChangedPageTarget = 0.2;
constexpr qint64 MemoryTarget = 64 * MiB;

struct Case
{
    const char *key;
    const char *label;
    int pages;
    qint64 totalBytes;
};

const Case Cases[] = {
    {"big", "10,000 pages, 1 GiB", 10000, 1 * GiB},
    {"small", "10,000 pages of 1 KiB", 10000, 10000 * KiB},
};

// ---- process memory -------------------------------------------------------------------

qint64 statusField(const char *name)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(name) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong() * KiB;
    }
    return -1;
}

// Writing 5 to clear_refs resets the peak resident size to the present one.
bool resetPeak()
{
    const int fd = ::open("/proc/self/clear_refs", O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, "5", 1) == 1;
    ::close(fd);
    return ok;
}

bool peakResettable = false;

// The growth of the peak resident size over a step (of the resident size when the peak
// cannot be reset).
class MemoryWatch
{
public:
    MemoryWatch()
    {
        // Memory freed by earlier steps would otherwise be reused unseen.
        ::malloc_trim(0);
        if (peakResettable)
            resetPeak();
        m_before = statusField("VmRSS");
    }
    qint64 growth() const
    {
        const qint64 after = statusField(peakResettable ? "VmHWM" : "VmRSS");
        return after < 0 || m_before < 0 ? -1 : std::max<qint64>(0, after - m_before);
    }

private:
    qint64 m_before;
};

// ---- timing ---------------------------------------------------------------------------

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Sample
{
    double seconds = 0;
    double cpu = -1;    // user + system seconds of this process; -1 for another process
    qint64 memory = -1; // bytes; -1 for steps run in another process
};

// User and system time of this process: other work on a shared machine stretches the
// wall-clock times, not these.
double cpuSeconds()
{
    struct rusage usage;
    ::getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval &t) {
        return double(t.tv_sec) + double(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Step
{
    QString name;
    std::vector<Sample> samples;

    double median(double Sample::*field = &Sample::seconds) const
    {
        std::vector<double> s;
        for (const Sample &sample : samples)
            s.push_back(sample.*field);
        std::sort(s.begin(), s.end());
        const size_t n = s.size();
        return n == 0 ? 0 : n % 2 ? s[n / 2] : (s[n / 2 - 1] + s[n / 2]) / 2;
    }
    qint64 peakMemory() const
    {
        qint64 m = -1;
        for (const Sample &sample : samples)
            m = std::max(m, sample.memory);
        return m;
    }
};

// ---- helpers --------------------------------------------------------------------------

// Thrown to stop the run; main still removes the scratch folder on the way out.
struct Failure
{
    QString what;
};

[[noreturn]] void fail(const QString &what)
{
    throw Failure{what};
}

void run(const QStringList &command)
{
    std::vector<QByteArray> args;
    for (const QString &arg : command)
        args.push_back(QFile::encodeName(arg));
    std::vector<char *> argv;
    for (QByteArray &arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        fail(QStringLiteral("cannot start ") + command.first());
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            fail(QStringLiteral("waitpid failed"));
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        fail(command.join(u' ') + QStringLiteral(" failed"));
}

void dataSync(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::fdatasync(fd) != 0)
        fail(QStringLiteral("cannot sync ") + path);
    ::close(fd);
}

QString formatBytes(qint64 bytes)
{
    if (bytes < 0)
        return QStringLiteral("-");
    if (bytes >= 10 * MiB)
        return QStringLiteral("%1 MiB").arg(double(bytes) / MiB, 0, 'f', 1);
    return QStringLiteral("%1 KiB").arg(double(bytes) / KiB, 0, 'f', 0);
}

QString formatSeconds(double s)
{
    return s >= 1 ? QStringLiteral("%1 s").arg(s, 0, 'f', 3)
                  : QStringLiteral("%1 ms").arg(s * 1000, 0, 'f', 1);
}

// ---- one case -------------------------------------------------------------------------

struct Result
{
    const Case *c;
    qint64 fileSize;
    Step cp{QStringLiteral("cp"), {}};
    Step cpSync{QStringLiteral("cp + sync"), {}};
    Step open{QStringLiteral("open"), {}};
    Step save{QStringLiteral("save"), {}};
    Step saveChanged{QStringLiteral("save 1 page"), {}};
    Step saveAs{QStringLiteral("save as"), {}};
};

// Gives the page at row new data of the same size, as the page editor does.
void changePage(Binder &binder, int row, const QString &dataFile, int rep)
{
    PageRow page = binder.pages().at(row);
    const QByteArray bytes(page.size, char('A' + rep % 26));
    QFile file(dataFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != page.size)
        fail(QStringLiteral("cannot write ") + dataFile);
    file.close();
    page.key.offset = -1;
    page.key.length = -1;
    page.key.location = dataFile;
    binder.updatePage(row + 1, page);
}

// Times one saveBinderFile as a step.
void timeSave(Step &step, Workspace &workspace, Binder &binder, const QString &path)
{
    ::sync();
    MemoryWatch memory;
    const double cpu = cpuSeconds();
    const auto start = Clock::now();
    const bool saved = saveBinderFile(workspace, binder, path);
    step.samples.push_back({secondsSince(start), cpuSeconds() - cpu, memory.growth()});
    if (!saved)
        fail(QStringLiteral("the binder could not be saved as ") + path);
}

Result runCase(const Case &c, const QString &root, int reps)
{
    const QString folder = root + u'/' + QString::fromLatin1(c.key);
    QDir().mkpath(folder);
    TempFolder temp(folder + QStringLiteral("/tmp"));
    ConsoleDialogs dialogs;
    Interaction ui;
    Workspace workspace(temp, dialogs, ui);
    workspace.authorName = QStringLiteral("bench");

    const QString binderPath = folder + QStringLiteral("/binder.qly");
    const QString copyPath = folder + QStringLiteral("/copy.qly");
    std::printf("%s: making the binder...\n", c.label);
    std::fflush(stdout);
    writeLargeBinder(workspace, c.pages, c.totalBytes, folder, binderPath);
    temp.deleteRegistered();

    Result result{&c, fileio::fileSize(binderPath)};
    // Reading the file once puts it in the cache, so the first repetition is no different.
    run({QStringLiteral("/bin/cp"), binderPath, copyPath});

    for (int rep = 0; rep < reps; ++rep) {
        // Each step starts with nothing left to write back from the one before.
        fileio::removeIfExists(copyPath);
        ::sync();
        auto start = Clock::now();
        run({QStringLiteral("/bin/cp"), binderPath, copyPath});
        result.cp.samples.push_back({secondsSince(start), -1, -1});

        fileio::removeIfExists(copyPath);
        ::sync();
        start = Clock::now();
        run({QStringLiteral("/bin/cp"), binderPath, copyPath});
        dataSync(copyPath);
        result.cpSync.samples.push_back({secondsSince(start), -1, -1});
        fileio::removeIfExists(copyPath);

        ::sync();
        std::unique_ptr<Binder> binder;
        {
            MemoryWatch memory;
            const double cpu = cpuSeconds();
            start = Clock::now();
            binder = openFile(workspace, binderPath);
            result.open.samples.push_back(
                {secondsSince(start), cpuSeconds() - cpu, memory.growth()});
        }
        if (!binder || binder->pageCount() != c.pages || binder->isReadOnly())
            fail(QStringLiteral("the binder did not open as it was saved"));

        timeSave(result.save, workspace, *binder, binderPath);
        changePage(*binder, c.pages / 2, folder + QStringLiteral("/changed-%1.dat").arg(rep), rep);
        timeSave(result.saveChanged, workspace, *binder, binderPath);

        // Saving under another name writes the whole binder anew. Each repetition gets a
        // name of its own, all removed at the end: freeing a large file just before cp
        // would slow cp down (the file system discards the freed blocks).
        const QString saveAsPath = folder + QStringLiteral("/saved-as-%1.qly").arg(rep);
        timeSave(result.saveAs, workspace, *binder, saveAsPath);
        if (fileio::fileSize(saveAsPath) > result.fileSize)
            fail(QStringLiteral("the binder saved under another name grew"));
        binder.reset();
        temp.deleteRegistered();
    }
    QDir(folder).removeRecursively();
    return result;
}

void printResult(const Result &r)
{
    const double cp = r.cp.median();
    const double cpSync = r.cpSync.median();
    std::printf("\n%s (binder file %s, medians of %zu)\n", r.c->label,
                qPrintable(formatBytes(r.fileSize)), r.cp.samples.size());
    std::printf("  %-12s %11s %8s %11s %11s %12s   %s\n", "step", "time", "vs cp", "vs cp+sync",
                "CPU time", "peak growth", "runs");
    auto line = [&](const Step &step, const QString &verdict) {
        QStringList runs;
        for (const Sample &s : step.samples)
            runs << formatSeconds(s.seconds);
        const double cpu = step.median(&Sample::cpu);
        std::printf("  %-12s %11s %7.2fx %10.2fx %11s %12s   %s%s\n", qPrintable(step.name),
                    qPrintable(formatSeconds(step.median())), step.median() / cp,
                    step.median() / cpSync,
                    qPrintable(cpu < 0 ? QStringLiteral("-") : formatSeconds(cpu)),
                    qPrintable(formatBytes(step.peakMemory())),
                    qPrintable(runs.join(QStringLiteral(", "))), qPrintable(verdict));
    };
    auto verdict = [](double ratio, double target, qint64 memory) {
        QString text = QStringLiteral("  [time %1 %2x")
                           .arg(QLatin1String(ratio <= target ? "ok" : "MISSED"))
                           .arg(target);
        text += QStringLiteral(", memory %1]")
                    .arg(QLatin1String(memory >= 0 && memory < MemoryTarget ? "ok" : "MISSED"));
        return text;
    };
    line(r.cp, QString());
    line(r.cpSync, QString());
    line(r.open, verdict(r.open.median() / cp, OpenTarget, r.open.peakMemory()));
    line(r.save, verdict(r.save.median() / cp, SaveTarget, r.save.peakMemory()));
    if (r.c->totalBytes >= GiB) {
        const bool fast = r.saveChanged.median() <= ChangedPageTarget;
        line(r.saveChanged, QStringLiteral("  [time %1 %2 ms]")
                                .arg(QLatin1String(fast ? "ok" : "MISSED"))
                                .arg(ChangedPageTarget * 1000));
        line(r.saveAs, QString());
    } else {
        line(r.saveChanged,
             verdict(r.saveChanged.median() / cpSync, SmallSaveTarget, r.saveChanged.peakMemory())
                 .replace(QStringLiteral("x,"), QStringLiteral("x cp+sync,")));
        line(r.saveAs, verdict(r.saveAs.median() / cpSync, SmallSaveTarget, r.saveAs.peakMemory())
                           .replace(QStringLiteral("x,"), QStringLiteral("x cp+sync,")));
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QString which = QStringLiteral("all");
    int reps = 3;
    QString dir = QDir::tempPath();
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == u"--case" && i + 1 < args.size())
            which = args[++i];
        else if (args[i] == u"--reps" && i + 1 < args.size())
            reps = std::max(1, args[++i].toInt());
        else if (args[i] == u"--dir" && i + 1 < args.size())
            dir = args[++i];
        else {
            std::fprintf(stderr, "usage: bench_binder_io [--case big|small|all] [--reps N] "
                                 "[--dir FOLDER]\n");
            return 2;
        }
    }

    peakResettable = resetPeak() && statusField("VmHWM") >= 0;
    QTemporaryDir root(dir + QStringLiteral("/bench_binder_io-XXXXXX"));
    if (!root.isValid()) {
        std::fprintf(stderr, "bench_binder_io: cannot make a scratch folder in %s\n",
                     qPrintable(dir));
        return 1;
    }
    std::printf("scratch folder %s; caches warm; peak memory %s\n", qPrintable(root.path()),
                peakResettable ? "from VmHWM, reset before each step"
                               : "NOT resettable: growth of VmRSS over each step");

    bench::printLoad("before");
    std::vector<Result> results;
    try {
        for (const Case &c : Cases) {
            if (which == u"all" || which == QLatin1String(c.key))
                results.push_back(runCase(c, root.path(), reps));
        }
    } catch (const FileError &error) {
        std::fprintf(stderr, "bench_binder_io: %s\n", qPrintable(error.description()));
        return 1;
    } catch (const Failure &failure) {
        std::fprintf(stderr, "bench_binder_io: %s\n", qPrintable(failure.what));
        return 1;
    }
    bench::printLoad("after");
    for (const Result &r : results)
        printResult(r);
    std::printf("\ntargets: open <= %.1fx cp, save <= %.1fx cp, one changed page of the big "
                "binder <= %.0f ms, a small binder saved with a page changed or under another "
                "name <= %.1fx cp+sync, peak memory growth < %s\n",
                OpenTarget, SaveTarget, ChangedPageTarget * 1000, SmallSaveTarget,
                qPrintable(formatBytes(MemoryTarget)));
    return 0;
}
