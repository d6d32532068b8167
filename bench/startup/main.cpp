// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: from starting the quillery program until its first binder window, a new
// binder, has been painted. The program reports that moment itself when started with
// QUILLERY_REPORT_STARTUP set; this benchmark also times it from outside, and counts the
// browser processes that the program starts in the background once it has painted.
// The runs start as a returning user, with an author name stored in a private
// settings folder; under --xvfb one more run starts as a new user, whose author-name
// prompt the benchmark answers.
// Usage: bench_startup [--xvfb] [runs] [program]

#include "PrivateXvfb.h"

#include "platform/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>

namespace {

struct Run
{
    double reported = -1; // the program's own figure, ms since its process started
    double seen = -1;     // from just before starting it until the line arrived
    int browsers = 0;     // browser processes under it 1.5 s after the paint
    QByteArray otherOutput;
};

// The processes this benchmark has started and not yet ended: the program, xdotool, Xvfb.
QList<QProcess *> &started()
{
    static QList<QProcess *> processes;
    return processes;
}

// Puts a process on that list for as long as it lives.
struct Started
{
    explicit Started(QProcess &process) : process(process) { started().append(&process); }
    ~Started() { started().removeOne(&process); }
    Started(const Started &) = delete;
    Started &operator=(const Started &) = delete;
    QProcess &process;
};

// A failed run leaves nothing behind: exit() does not destroy the QProcess objects.
[[noreturn]] void fail(const QString &what)
{
    std::fprintf(stderr, "bench_startup: %s\n", qPrintable(what));
    for (QProcess *process : started()) {
        process->kill();
        process->waitForFinished(5000);
    }
    std::exit(1);
}

// Field 4 of /proc/<pid>/stat, after the command name in parentheses, is the parent.
qint64 parentOf(const QByteArray &stat)
{
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return fields.value(1).toLongLong();
}

QByteArray commandOf(const QByteArray &stat)
{
    const int open = stat.indexOf('(');
    return stat.mid(open + 1, stat.lastIndexOf(')') - open - 1);
}

// Processes descended from pid whose command name says they are the browser's.
int browserProcessesUnder(qint64 pid)
{
    QHash<qint64, qint64> parents;
    QHash<qint64, QByteArray> commands;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool ok = false;
        const qint64 p = entry.toLongLong(&ok);
        QFile file(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!ok || !file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray stat = file.readAll();
        parents.insert(p, parentOf(stat));
        commands.insert(p, commandOf(stat));
    }
    int count = 0;
    for (auto it = parents.cbegin(); it != parents.cend(); ++it) {
        for (qint64 up = it.value(); up > 1; up = parents.value(up, 0)) {
            if (up == pid) {
                count += commands.value(it.key()).startsWith("QtWebEngine");
                break;
            }
        }
    }
    return count;
}

// Presses Return in the author-name prompt. xdotool can find a window of that name that is
// gone a moment later (it then dies of BadWindow and sends nothing) or not yet mapped and
// focused; the key is lost and the prompt waits for its user. So the caller tries again
// until the program paints; once the prompt is gone nothing matches and no key is sent.
void answerPrompt(QProcess &xdotool, const QProcessEnvironment &environment)
{
    if (xdotool.state() != QProcess::NotRunning && !xdotool.waitForFinished(0))
        return;
    xdotool.setProcessEnvironment(environment);
    xdotool.start(QStringLiteral("xdotool"),
                  {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                   QStringLiteral("--name"), QStringLiteral("^Author Name$"),
                   QStringLiteral("windowfocus"), QStringLiteral("%1"), QStringLiteral("key"),
                   QStringLiteral("Return")});
}

Run startOnce(const QString &program, const QStringList &arguments,
              const QProcessEnvironment &environment, bool newUser = false)
{
    QProcess xdotool;
    QProcess process;
    const Started endsWithUs[] = {Started(xdotool), Started(process)};
    process.setProcessEnvironment(environment);
    process.setReadChannel(QProcess::StandardError);
    Run run;
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    if (!process.waitForStarted(30000))
        fail(QStringLiteral("cannot start %1: %2").arg(program, process.errorString()));
    constexpr int limitMs = 30000;
    constexpr int promptRetryMs = 300;
    while (run.reported < 0 && clock.elapsed() < limitMs) {
        if (newUser)
            answerPrompt(xdotool, environment);
        const int remaining = limitMs - int(clock.elapsed());
        if (!process.canReadLine() &&
            !process.waitForReadyRead(newUser ? std::min(promptRetryMs, remaining) : remaining) &&
            process.state() == QProcess::NotRunning)
            break;
        while (process.canReadLine()) {
            const QByteArray line = process.readLine();
            if (line.startsWith("painted ")) {
                run.seen = clock.nsecsElapsed() / 1e6;
                run.reported = line.mid(8).trimmed().toDouble();
            } else {
                run.otherOutput += line;
            }
        }
    }
    if (run.reported < 0)
        fail(QStringLiteral("%1 %2 never reported its first paint%3; it wrote: %4")
                 .arg(program, arguments.join(u' '),
                      newUser ? QStringLiteral(" (a new user's start)") : QString(),
                      QString::fromLocal8Bit(run.otherOutput + process.readAll())));
    // The web engine started after the paint has its helper processes by now.
    QThread::msleep(1500);
    run.browsers = browserProcessesUnder(process.processId());
    process.kill();
    process.waitForFinished(10000);
    xdotool.kill();
    xdotool.waitForFinished(10000);
    run.otherOutput += process.readAllStandardError() + process.readAllStandardOutput();
    return run;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    const bool xvfb = args.removeAll(QStringLiteral("--xvfb")) > 0;
    const int runs = args.isEmpty() ? 7 : args.takeFirst().toInt();
    const QString program =
        args.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/../quillery")
                       : args.takeFirst();
    if (runs < 1 || !QFile::exists(program))
        fail(QStringLiteral("usage: bench_startup [--xvfb] [runs] [program]"));

    // The program's scratch files and settings stay in a folder of our own.
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("tmp"));
    QDir(dir.path()).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(dir.filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QUILLERY_REPORT_STARTUP"), QStringLiteral("1"));
    environment.insert(QStringLiteral("TMPDIR"), dir.filePath(QStringLiteral("tmp")));
    // A returning user: the author name is stored, so no prompt comes.
    const QString config = dir.filePath(QStringLiteral("config"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    quillery::Settings().setAuthorName(QStringLiteral("Bench User"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.filePath(QStringLiteral("runtime")));
    QProcess server;
    const Started serverEndsWithUs(server);
    if (xvfb) {
        const QString display = quillery::startPrivateXvfb(server);
        if (display.isEmpty())
            fail(QStringLiteral("cannot start Xvfb"));
        environment.insert(QStringLiteral("DISPLAY"), display);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    } else if (!environment.contains(QStringLiteral("QT_QPA_PLATFORM"))) {
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }
    const QString platform = environment.value(QStringLiteral("QT_QPA_PLATFORM"));

    std::printf("start-up of %s to its first painted binder window (a new binder), platform "
                "%s\n",
                qPrintable(QDir::cleanPath(program)), qPrintable(platform));
    startOnce(program, {}, environment); // warms the file cache
    QList<double> reported, seen;
    int browsers = 0;
    QStringList otherOutput;
    std::printf("%-5s %24s %24s %18s\n", "run", "painted (program) ms", "seen from outside ms",
                "browser processes");
    for (int i = 1; i <= runs; ++i) {
        const Run run = startOnce(program, {}, environment);
        std::printf("%-5d %24.0f %24.1f %18d\n", i, run.reported, run.seen, run.browsers);
        reported << run.reported;
        seen << run.seen;
        browsers += run.browsers;
        otherOutput += QString::fromLocal8Bit(run.otherOutput).split(u'\n', Qt::SkipEmptyParts);
    }

    // A new user: empty settings, so the author-name prompt comes first.
    Run newUser;
    const bool canAnswer =
        xvfb && !QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty();
    if (canAnswer) {
        QProcessEnvironment fresh = environment;
        fresh.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("new-user")));
        newUser = startOnce(program, {}, fresh, true);
    }

    std::printf("\n%-44s %10s %10s\n", "measure (median of the runs)", "ms", "target ms");
    const int target = xvfb ? 250 : 500;
    std::printf("%-44s %10.0f %10d  %s\n", "first paint, by the program's own clock",
                median(reported), target, median(reported) < target ? "ok" : "SLOW");
    std::printf("%-44s %10.1f %10d  %s\n", "first paint, seen from outside", median(seen), target,
                median(seen) < target ? "ok" : "SLOW");
    std::printf("browser processes 1.5 s after the first paint: %d over %d runs (the web "
                "engine starts in the background once the window is painted)\n",
                browsers, runs);
    if (canAnswer)
        std::printf("first start of a new user, prompt answered by the benchmark: %.0f ms by the "
                    "program's clock, %.1f ms seen from outside\n",
                    newUser.reported, newUser.seen);
    else
        std::printf("first start of a new user: not measured (needs --xvfb and xdotool to answer "
                    "the author-name prompt)\n");
    otherOutput.removeDuplicates();
    if (!otherOutput.isEmpty())
        std::printf("the program (or Qt) also wrote, once or more:\n%s\n",
                    qPrintable(otherOutput.join(u'\n')));
    if (xvfb) {
        server.terminate();
        server.waitForFinished(5000);
    }
    return 0;
}
