// SPDX-License-Identifier: GPL-3.0-or-later
// Search All over a binder of 10,000 text pages (about 200 MB: a third rich text written
// as WordPad writes it, with accents as escapes; a third plain text and a third HTML,
// each half UTF-8 and half Windows-1252), beside `grep -c -F -i -r` over the same pages
// as files, in the same run. For needles in ASCII and with letters beyond it, found on
// many pages or on none, it times the whole `quillery-cli search` command against the
// whole grep command (wall and processor time, peak memory), searching the stored data
// and the shown text, and beside them Search All in this process with its peak memory
// growth. Speed is grep's time divided by the search's. The tool searches on as many
// threads as the machine has processors (up to four), grep on one: its processor time is
// printed beside the wall time. With --instructions, each shown-text search and its grep
// are also counted once under valgrind's callgrind, per byte of page data, a figure that
// does not depend on what else the machine runs. With --shown, only the shown text is
// searched.
// Usage: bench_search [--instructions] [--shown] [RUNS] [QUILLERY-CLI]

#include "CommandMeasure.h"
#include "PageHarness.h"
#include "documents/BinderSaver.h"
#include "pagetext/PageSearch.h"
#include "transfer/BinderOpener.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

using namespace quillery;

namespace {

constexpr int PageCount = 10000;
constexpr int AveragePageBytes = 20000;

const char *const Words[] = {"binder",  "quarterly", "minutes", "garden",  "invoice",  "chapter",
                             "draft",   "meeting",   "recipe",  "journey", "letter",   "budget",
                             "harbour", "lantern",   "orchard", "weather", "supplier", "review"};

// Phrases with letters beyond ASCII, each on about every other page.
const char *const Phrases[] = {"Z\u00fcrich office", "r\u00e9sum\u00e9 sent", "S\u00e3o Paulo",
                               "na\u00efve question", "caf\u00e9 cr\u00e8me"};

// Text of about `bytes` bytes: sentences of the words, and on this page some phrases.
QString sentences(std::mt19937 &random, int bytes)
{
    std::vector<const char *> phrases;
    for (const char *phrase : Phrases) {
        if (random() % 2)
            phrases.push_back(phrase);
    }
    QString text;
    text.reserve(bytes + 64);
    while (text.size() < bytes) {
        for (int w = 6 + int(random() % 8); w > 0; --w)
            text += QLatin1String(Words[random() % std::size(Words)]) + u' ';
        if (!phrases.empty() && random() % 8 == 0)
            text += QString::fromUtf8(phrases[random() % phrases.size()]);
        text += QStringLiteral(".\n");
    }
    return text;
}

QByteArray windows1252(const QString &text)
{
    return QStringEncoder("windows-1252").encode(text);
}

// RTF as WordPad writes it: letters beyond ASCII as \'hh, now and then a word in bold.
QByteArray rtfPage(std::mt19937 &random, const QString &text)
{
    QByteArray body;
    for (const QString &line : text.split(u'\n', Qt::SkipEmptyParts)) {
        for (QChar c : line) {
            if (c.unicode() < 0x80)
                body += char(c.unicode());
            else
                body += "\\'" + windows1252(c).toHex();
        }
        if (random() % 5 == 0)
            body += " {\\b bold} ";
        body += "\\par\r\n";
    }
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}"
           "{\\colortbl ;\\red0\\green0\\blue255;}\\viewkind4\\uc1\\pard\\sa120\\f0\\fs20 " +
           body + "}";
}

QByteArray page(std::mt19937 &random, int i, int bytes)
{
    const QString text = sentences(random, bytes);
    const bool utf8 = (i / 3) % 2 == 0;
    switch (i % 3) {
    case 0:
        return rtfPage(random, text);
    case 1:
        return utf8 ? text.toUtf8() : windows1252(text);
    default: {
        QString html = text;
        html.replace(u'\n', QStringLiteral("</p>\n<p class=\"note\">"));
        html = QStringLiteral("<html><head><meta charset=\"%1\"><title>Page</title></head>"
                              "<body><p class=\"note\">%2</p></body></html>")
                   .arg(QLatin1String(utf8 ? "utf-8" : "windows-1252"), html);
        return utf8 ? html.toUtf8() : windows1252(html);
    }
    }
}

qint64 statusKiB(const char *field)
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

// Starts the peak resident size afresh, so VmHWM shows only what follows.
void resetPeak()
{
    QFile clear("/proc/self/clear_refs");
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

QString loadAverage()
{
    QFile file("/proc/loadavg");
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("unknown");
    return QString::fromLatin1(file.readAll().split(' ').mid(0, 3).join(' '));
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A whole command measured apart from this process, its standard output thrown away:
// the shell that does so replaces itself with the command.
Measured run(const QString &program, const QStringList &arguments)
{
    return measure(QStringLiteral("/bin/sh"),
                   QStringList{QStringLiteral("-c"),
                               QStringLiteral("exec \"$0\" \"$@\" >/dev/null"), program} +
                       arguments);
}

// The instructions of both commands for each byte of page data, counted once.
void printInstructions(QTextStream &out, const QString &grep, const QString &cli,
                       const QStringList &cliArguments, const QString &needle,
                       const QString &pagesDir, qint64 bytes)
{
    const double g = instructions(grep, {"-c", "-F", "-i", "-r", "--", needle, pagesDir});
    const double c = instructions(cli, cliArguments);
    out << QString("  instructions a byte: grep %1, cli %2")
               .arg(g / bytes, 0, 'f', 2)
               .arg(c / bytes, 0, 'f', 2)
        << Qt::endl;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool countInstructions = args.removeAll(QStringLiteral("--instructions")) > 0;
    const bool shownOnly = args.removeAll(QStringLiteral("--shown")) > 0;
    const int runs = args.size() > 0 ? std::max(1, args.at(0).toInt()) : 5;
    const QString cli =
        args.size() > 1 ? args.at(1) : QCoreApplication::applicationDirPath() + "/../quillery-cli";
    const QString grep = QStandardPaths::findExecutable("grep");
    if (grep.isEmpty() || !QFileInfo(cli).isExecutable()) {
        std::fprintf(stderr, "bench_search: grep or %s is missing\n", qPrintable(cli));
        return 1;
    }
    // grep folds the case of letters beyond ASCII only in a UTF-8 locale; both commands
    // run in it.
    qputenv("LC_ALL", "C.UTF-8");
    QTextStream out(stdout);
    PageHarness h;
    h.workspace.authorName = "bench";

    out << "Writing " << PageCount << " pages..." << Qt::endl;
    const QString pagesDir = h.dir.filePath("pages");
    QDir().mkpath(pagesDir);
    std::mt19937 random(20261206);
    qint64 total = 0;
    const char *const kinds[][2] = {{"RTF", "rtf"}, {"TXT", "txt"}, {"HTML", "htm"}};
    for (int i = 0; i < PageCount; ++i) {
        const int bytes = AveragePageBytes / 2 + int(random() % AveragePageBytes);
        const QByteArray data = page(random, i, bytes);
        QFile file(QString("%1/p%2.%3").arg(pagesDir).arg(i).arg(QLatin1String(kinds[i % 3][1])));
        if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
            return 1;
        total += data.size();
        h.addPage(QString::fromLatin1(kinds[i % 3][0]), data);
    }
    const QString binderPath = h.dir.filePath("big.qly");
    if (!saveBinderFile(h.workspace, h.binder, binderPath))
        return 1;
    auto binder = openFile(h.workspace, binderPath);
    if (!binder)
        return 1;
    out << QString("Binder: %1 pages, %2 MB of page data; load average before: %3")
               .arg(PageCount)
               .arg(total / 1e6, 0, 'f', 1)
               .arg(loadAverage())
        << Qt::endl;

    out << QString("%1 %2 | %3 %4 %5 | %6 %7 %8 | %9 %10 | %11 %12 | %13")
               .arg("needle", -16)
               .arg("mode", -6)
               .arg("grep ms", 8)
               .arg("cpu", 6)
               .arg("MB", 4)
               .arg("cli ms", 7)
               .arg("cpu", 6)
               .arg("MB", 4)
               .arg("speed", 6)
               .arg("cpu", 6)
               .arg("in-process ms", 13)
               .arg("speed", 6)
               .arg("pages")
        << Qt::endl;
    const char *const needles[] = {"garden",
                                   "zebra crossing",
                                   "Z\u00fcrich",
                                   "r\u00e9sum\u00e9",
                                   "S\u00e3o Paulo",
                                   "na\u00efve",
                                   "\u00c6r\u00f8sk\u00f8bing"};
    for (const char *needleText : needles) {
        const QString needle = QString::fromUtf8(needleText);
        for (bool shown : {false, true}) {
            if (shownOnly && !shown)
                continue;
            std::vector<double> grepMs, grepCpu, cliMs, cliCpu, inProcess;
            double grepMb = 0, cliMb = 0;
            int found = 0;
            qint64 growthKiB = 0;
            QStringList arguments{"search", binderPath, needle};
            if (shown)
                arguments << "--shown";
            for (int r = 0; r < runs; ++r) {
                const Measured g = run(grep, {"-c", "-F", "-i", "-r", "--", needle, pagesDir});
                const Measured c = run(cli, arguments);
                if (g.seconds <= 0 || c.seconds <= 0) {
                    std::fprintf(stderr, "bench_search: a command could not be started\n");
                    return 1;
                }
                grepMs.push_back(g.seconds * 1000);
                grepCpu.push_back(g.cpuSeconds * 1000);
                grepMb = std::max(grepMb, g.peakMb);
                cliMs.push_back(c.seconds * 1000);
                cliCpu.push_back(c.cpuSeconds * 1000);
                cliMb = std::max(cliMb, c.peakMb);

                const qint64 before = statusKiB("VmRSS:");
                resetPeak();
                QElapsedTimer clock;
                clock.start();
                found = int(searchPages(h.ui, *binder, needle, {false, shown}).positions.size());
                inProcess.push_back(clock.nsecsElapsed() / 1e6);
                growthKiB = std::max(growthKiB, statusKiB("VmHWM:") - before);
            }
            const double g = median(grepMs), gc = median(grepCpu);
            const double c = median(cliMs), cc = median(cliCpu), a = median(inProcess);
            out << QString("%1 %2 | %3 %4 %5 | %6 %7 %8 | %9 %10 | %11 %12 | %13 (%14 MiB)")
                       .arg(QString("\"%1\"").arg(needle), -16)
                       .arg(QLatin1String(shown ? "shown" : "stored"), -6)
                       .arg(g, 8, 'f', 1)
                       .arg(gc, 6, 'f', 1)
                       .arg(grepMb, 4, 'f', 0)
                       .arg(c, 7, 'f', 1)
                       .arg(cc, 6, 'f', 1)
                       .arg(cliMb, 4, 'f', 0)
                       .arg(QString::number(g / c, 'f', 2) + "x", 6)
                       .arg(QString::number(gc / cc, 'f', 2) + "x", 6)
                       .arg(a, 13, 'f', 1)
                       .arg(QString::number(g / a, 'f', 2) + "x", 6)
                       .arg(found)
                       .arg(growthKiB / 1024.0, 0, 'f', 1)
                << Qt::endl;
            if (countInstructions && shown)
                printInstructions(out, grep, cli, arguments, needle, pagesDir, total);
        }
    }
    out << "Medians of " << runs << " runs each, the two commands taking turns, both under"
        << " LC_ALL=C.UTF-8. speed = grep's time divided by the search's: wall time, then"
        << " processor time, and Search All in this process against grep's wall time"
        << " (targets: at least 1.00x stored, 0.50x shown). MB = the command's peak resident"
        << " memory; the MiB after the pages = Search All's peak memory growth in this process."
        << Qt::endl
        << "Load average after: " << loadAverage() << Qt::endl;
    return 0;
}
