// SPDX-License-Identifier: GPL-3.0-or-later
// Start of the command-line tool: runs "quillery-cli --version" many times and prints the
// mean wall and processor time per run, beside the same figures for a reference: by default
// the same tool linked with the user interface's libraries as well (Widgets, WebEngine,
// Multimedia, PrintSupport, SANE), as it was when everything was one library.
// Usage: bench_cli_start [runs] [tool] [reference tool]

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QString>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

namespace {

struct Figures
{
    double wallMs = 0;
    double processorMs = 0;
};

double childProcessorMs()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto ms = [](const timeval &t) {
        return t.tv_sec * 1000.0 + t.tv_usec / 1000.0;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

Figures measure(const QString &tool, int runs)
{
    const double processorBefore = childProcessorMs();
    QElapsedTimer wall;
    wall.start();
    for (int i = 0; i < runs; ++i) {
        QProcess process;
        process.start(tool, {QStringLiteral("--version")});
        if (!process.waitForFinished() || process.exitCode() != 0) {
            std::fprintf(stderr, "bench_cli_start: %s --version failed\n", qPrintable(tool));
            std::exit(1);
        }
    }
    return {double(wall.nsecsElapsed()) / 1e6 / runs,
            (childProcessorMs() - processorBefore) / runs};
}

void print(const char *label, const QString &tool, const Figures &figures)
{
    std::printf("%-10s %8.2f %14.2f  %s\n", label, figures.wallMs, figures.processorMs,
                qPrintable(tool));
}

} // namespace

int main(int argc, char **argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 50;
    if (runs <= 0) {
        std::fprintf(stderr, "bench_cli_start: runs must be a positive number\n");
        return 1;
    }
    QCoreApplication app(argc, argv);
    const QString tool =
        argc > 2 ? QString::fromLocal8Bit(argv[2])
                 : QCoreApplication::applicationDirPath() + QStringLiteral("/../quillery-cli");
    std::printf("%d runs of --version; mean per run\n", runs);
    std::printf("%-10s %8s %14s\n", "", "wall ms", "processor ms");
    const QString reference =
        argc > 3 ? QString::fromLocal8Bit(argv[3])
                 : QCoreApplication::applicationDirPath() + QStringLiteral("/cli_reference");
    print("tool", tool, measure(tool, runs));
    print("reference", reference, measure(reference, runs));
    return 0;
}
