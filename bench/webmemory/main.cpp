// SPDX-License-Identifier: GPL-3.0-or-later
// Memory of web pages: the proportional set size (PSS, shared pages split among the
// processes that map them) of the program and every process under it, summed from
// /proc/PID/smaps_rollup: with the binder window painted and no web engine, once the engine
// has started in the background, once the first HTML page (with pictures) has been painted,
// after going back and forth between two HTML pages, and with several binder windows each on
// an HTML page. The program's main window runs in a
// process of its own for each run, as the web engine is set up for the program and, as the
// reference, as Qt sets it up by default (QUILLERY_BROWSER_DEFAULTS=1). It runs on a private
// Xvfb, where the engine draws with OpenGL as on a desktop, or offscreen with --offscreen.
// Usage: bench_webmemory [--offscreen] [--runs N] [--windows N]

#include "../binder_io/LoadAverage.h"
#include "Harness.h"
#include "PrivateXvfb.h"
#include "ScriptedDialogs.h"

#include "documents/Binder.h"
#include "documents/BinderSaver.h"
#include "documents/Interaction.h"
#include "documents/NewBinder.h"
#include "documents/Workspace.h"
#include "platform/TempFolder.h"
#include "transfer/PageImport.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace quillery;

namespace {

constexpr char DefaultsSwitch[] = "QUILLERY_BROWSER_DEFAULTS";
constexpr double TargetMb = 150;

[[noreturn]] void fail(const QString &what)
{
    std::fprintf(stderr, "bench_webmemory: %s\n", qPrintable(what));
    std::exit(1);
}

QByteArray picture(int seed, const char *format)
{
    QImage image(800, 500, QImage::Format_RGB32);
    image.fill(QColor::fromHsv(seed * 67 % 360, 90, 235));
    QPainter painter(&image);
    for (int i = 0; i < 40; ++i) {
        painter.setBrush(QColor::fromHsv((seed * 31 + i * 17) % 360, 160, 120 + i * 3));
        painter.drawEllipse(QPoint((i * 97 + seed * 13) % 800, (i * 53) % 500), 30 + i % 50,
                            20 + i % 30);
    }
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A travel note such as people keep: headings, paragraphs, a table, two pictures of its own
// and a little script.
QByteArray htmlPage(const QString &name)
{
    QByteArray page = "<!DOCTYPE html><html><head><meta charset=utf-8><style>"
                      "body{font-family:serif;margin:2em;max-width:50em} img{width:45%;margin:1%}"
                      "table{border-collapse:collapse} td{border:1px solid #999;padding:4px}"
                      "</style></head><body><h1>" +
                      name.toUtf8() + "</h1>";
    for (int p = 0; p < 12; ++p) {
        page += "<h2>Day " + QByteArray::number(p + 1) + "</h2><p>";
        for (int s = 0; s < 8; ++s)
            page += "We walked along the coast path past the harbour and the old lighthouse, "
                    "and stopped where the cliffs open onto the bay. ";
        page += "</p>";
        if (p == 1)
            page += "<img src=\"" + name.toUtf8() + " coast.png\"><img src=\"" + name.toUtf8() +
                    " harbour.jpg\">";
    }
    page += "<table>";
    for (int r = 0; r < 20; ++r)
        page += "<tr><td>" + QByteArray::number(r) + "</td><td>06:" + QByteArray::number(10 + r) +
                "</td><td>12:" + QByteArray::number(30 + r) + "</td></tr>";
    page += "</table><p id=count></p><script>document.getElementById('count').textContent = "
            "document.images.length + ' pictures';</script></body></html>";
    return page;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        fail(QStringLiteral("cannot write %1").arg(path));
}

// Binders of a text page and two HTML pages with two pictures each, made with the program's
// own import and save.
QStringList makeBinders(const QString &folder, int count)
{
    TempFolder temp(folder + QStringLiteral("/make-tmp"));
    ScriptedDialogs dialogs;
    Interaction ui;
    Workspace workspace(temp, dialogs, ui);
    QStringList binders;
    for (int i = 1; i <= count; ++i) {
        const QString sources = folder + QStringLiteral("/pages%1/").arg(i);
        QDir().mkpath(sources);
        writeFile(sources + QStringLiteral("Notes.txt"), "Tide tables and the route.\n");
        for (const QString &name :
             {QStringLiteral("Coast %1").arg(i), QStringLiteral("Harbour %1").arg(i)}) {
            writeFile(sources + name + QStringLiteral(".htm"), htmlPage(name));
            writeFile(sources + name + QStringLiteral(" coast.png"), picture(i, "PNG"));
            writeFile(sources + name + QStringLiteral(" harbour.jpg"), picture(i + 50, "JPEG"));
        }
        Binder binder;
        makeNewBinder(workspace, binder, false);
        for (const QString &file : QDir(sources).entryList(QDir::Files, QDir::Name)) {
            if (!importFile(workspace, binder, sources + file, PageKind::Unknown))
                fail(QStringLiteral("cannot import %1").arg(sources + file));
        }
        binders << folder + QStringLiteral("/binder%1.qly").arg(i);
        if (!saveBinderFile(workspace, binder, binders.last()))
            fail(QStringLiteral("cannot save %1").arg(binders.last()));
    }
    temp.deleteRegistered();
    return binders;
}

struct Share
{
    int count = 0;
    double mb = 0;
};
// What one stage of a run measured.
struct Stage
{
    QString name;
    double distinctMb = -1;
    QMap<QString, Share> kinds;
};
// One run: its stages in the order measured.
using Run = QList<Stage>;

Run runHarness(const QStringList &binders, QProcessEnvironment environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QCoreApplication::applicationFilePath(),
                  QStringList{QStringLiteral("--harness")} + binders);
    if (!process.waitForFinished(300000) || process.exitCode() != 0) {
        process.kill();
        process.waitForFinished();
        fail(QStringLiteral("a run failed"));
    }
    Run run;
    for (const QByteArray &line : process.readAllStandardOutput().split('\n')) {
        if (!line.startsWith("stage "))
            continue;
        const QList<QByteArray> parts = line.mid(6).split('|');
        Stage stage;
        stage.name = QString::fromUtf8(parts.value(0));
        const qint64 distinct = parts.value(1).toLongLong();
        stage.distinctMb = distinct < 0 ? -1 : distinct / 1024.0;
        for (const QByteArray &part : parts.mid(2)) {
            const QList<QByteArray> fields = part.split(' ');
            stage.kinds[QString::fromUtf8(fields.value(0))] = {
                fields.value(1).toInt(), fields.value(2).toLongLong() / 1024.0};
        }
        run << stage;
    }
    return run;
}

double median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double pss(const Stage &stage)
{
    double mb = 0;
    for (const Share &share : stage.kinds)
        mb += share.mb;
    return mb;
}

double distinct(const Stage &stage)
{
    return stage.distinctMb;
}

using Measure = double (*)(const Stage &);

// Medians over the runs: of a kind's megabytes and of the whole tree's at one stage.
struct Figure
{
    double mb = 0;
    int count = 0;
};

Figure kindFigure(const QList<Run> &runs, int stage, const QString &kind)
{
    QList<double> mb;
    int count = 0;
    for (const Run &run : runs) {
        const Share share = run.value(stage).kinds.value(kind);
        mb << share.mb;
        count = std::max(count, share.count);
    }
    return {median(mb), count};
}

double stageMedian(const QList<Run> &runs, int stage, Measure measure)
{
    QList<double> values;
    for (const Run &run : runs)
        values << measure(run.value(stage));
    return median(values);
}

// The growth since the first stage, run by run, then the median.
double addedSinceFirst(const QList<Run> &runs, int stage, Measure measure)
{
    QList<double> added;
    for (const Run &run : runs)
        added << measure(run.value(stage)) - measure(run.value(0));
    return median(added);
}

QString cell(const Figure &figure)
{
    return figure.count ? QStringLiteral("%1 (%2)").arg(figure.mb, 0, 'f', 1).arg(figure.count)
                        : QStringLiteral("-");
}

void printTable(const QList<Run> &tuned, const QList<Run> &defaults)
{
    const QStringList kindOrder{QStringLiteral("program"), QStringLiteral("zygote"),
                                QStringLiteral("renderer"), QStringLiteral("gpu"),
                                QStringLiteral("utility")};
    std::printf("\nPSS in MB, medians of %d runs each; in brackets the number of processes\n",
                int(tuned.size()));
    std::printf("%-44s %18s %18s\n", "stage / process", "as set up", "engine defaults");
    const Run &shape = tuned.first();
    for (int stage = 0; stage < shape.size(); ++stage) {
        std::printf("%s\n", qPrintable(shape.at(stage).name));
        QStringList kinds = kindOrder;
        for (const Run &run : tuned + defaults) {
            for (const QString &kind : run.value(stage).kinds.keys()) {
                if (!kinds.contains(kind))
                    kinds << kind;
            }
        }
        for (const QString &kind : std::as_const(kinds)) {
            const Figure ours = kindFigure(tuned, stage, kind);
            const Figure theirs = kindFigure(defaults, stage, kind);
            if (ours.count || theirs.count)
                std::printf("  %-42s %18s %18s\n", qPrintable(kind), qPrintable(cell(ours)),
                            qPrintable(cell(theirs)));
        }
        const bool distinctKnown = shape.at(stage).distinctMb >= 0;
        for (const auto &[name, measure] :
             {std::pair{"all, PSS", &pss}, std::pair{"all, each page once", &distinct}}) {
            if (measure == &distinct && !distinctKnown)
                continue;
            std::printf("  %-42s %18.1f %18.1f\n", name, stageMedian(tuned, stage, measure),
                        stageMedian(defaults, stage, measure));
            if (stage > 0)
                std::printf("  %-42s %18.1f %18.1f\n", "    added since the first stage",
                            addedSinceFirst(tuned, stage, measure),
                            addedSinceFirst(defaults, stage, measure));
        }
    }
    const int firstPage = 2;
    const Measure measure = tuned.first().value(0).distinctMb >= 0 ? &distinct : &pss;
    const double added = addedSinceFirst(tuned, firstPage, measure);
    std::printf("\nwhat the first HTML page adds, all processes (%s): %.1f MB (engine defaults "
                "%.1f MB), target under %.0f MB: %s\n",
                measure == &pss ? "PSS" : "each page once", added,
                addedSinceFirst(defaults, firstPage, measure), TargetMb,
                added < TargetMb ? "ok" : "OVER");
    std::printf("PSS splits each page among all the processes on the machine that map it, so it "
                "drops while other programs use the web engine's libraries too; counting each "
                "page once does not (it needs root to read page frames).\n");
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && qstrcmp(argv[1], "--harness") == 0) {
        QStringList binders;
        for (int i = 2; i < argc; ++i)
            binders << QString::fromLocal8Bit(argv[i]);
        return quillery::runHarness(argc, argv, binders);
    }
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    bool offscreen = args.removeAll(QStringLiteral("--offscreen")) > 0;
    int runs = 3;
    int windows = 3;
    while (args.size() >= 2 && args.first().startsWith(QStringLiteral("--"))) {
        const QString option = args.takeFirst();
        const int value = args.takeFirst().toInt();
        if (option == QStringLiteral("--runs"))
            runs = value;
        else if (option == QStringLiteral("--windows"))
            windows = value;
        else
            args.prepend(option);
    }
    if (!args.isEmpty() || runs < 1 || windows < 1)
        fail(QStringLiteral("usage: bench_webmemory [--offscreen] [--runs N] [--windows N]"));

    QTemporaryDir dir;
    const QStringList binders = makeBinders(dir.path(), windows);
    QDir(dir.path()).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(dir.filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.filePath(QStringLiteral("runtime")));
    environment.remove(QString::fromLatin1(DefaultsSwitch));
    QProcess server;
    if (!offscreen && QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()) {
        std::printf("Xvfb is not installed: running offscreen, where the engine has no OpenGL\n");
        offscreen = true;
    }
    if (offscreen) {
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    } else {
        const QString display = startPrivateXvfb(server);
        if (display.isEmpty())
            fail(QStringLiteral("cannot start Xvfb"));
        environment.insert(QStringLiteral("DISPLAY"), display);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    }
    QProcessEnvironment defaults = environment;
    defaults.insert(QString::fromLatin1(DefaultsSwitch), QStringLiteral("1"));

    std::printf("memory of the program's main window showing HTML pages with pictures, %d "
                "binder windows, platform %s\n",
                windows, offscreen ? "offscreen" : "xcb on a private Xvfb");
    bench::printLoad("at the start");
    QList<Run> tuned, reference;
    // Taken in turns, so that whatever else the machine does falls on both alike.
    for (int i = 0; i < runs; ++i) {
        tuned << runHarness(binders, environment);
        reference << runHarness(binders, defaults);
        std::printf("run %d: first HTML page painted, all processes %.1f MB PSS (engine defaults "
                    "%.1f MB)\n",
                    i + 1, pss(tuned.last().value(2)), pss(reference.last().value(2)));
        std::fflush(stdout);
    }
    printTable(tuned, reference);
    bench::printLoad("at the end");
    if (!offscreen) {
        server.terminate();
        server.waitForFinished(5000);
    }
    return 0;
}
