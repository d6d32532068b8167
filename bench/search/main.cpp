// SPDX-License-Identifier: GPL-3.0-or-later
// Search All over a binder of 10,000 text pages (about 200 MB of rich text, plain text and
// HTML), beside `grep -c -F -i` over the same bytes extracted to one file per page, in
// the same run. Prints the times, the ratio and the peak memory growth of the search.

#include "documents/Binder.h"
#include "documents/BinderSaver.h"
#include "documents/Interaction.h"
#include "documents/NewBinder.h"
#include "documents/Workspace.h"
#include "pagetext/PageSearch.h"
#include "platform/ConsoleDialogs.h"
#include "platform/TempFolder.h"
#include "transfer/BinderOpener.h"
#include "transfer/PageImport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

using namespace quillery;

namespace {

constexpr int PageCount = 10000;
constexpr int AveragePageBytes = 20000;
constexpr int Runs = 3;

const char *const Words[] = {"binder",  "quarterly", "minutes", "garden",  "invoice",  "chapter",
                             "draft",   "meeting",   "recipe",  "journey", "letter",   "budget",
                             "harbour", "lantern",   "orchard", "weather", "supplier", "review"};

QByteArray sentences(std::mt19937 &random, int bytes)
{
    QByteArray text;
    text.reserve(bytes + 64);
    while (text.size() < bytes) {
        for (int w = 6 + int(random() % 8); w > 0; --w)
            text += QByteArray(Words[random() % std::size(Words)]) + ' ';
        text += ((random() % 7) == 0 ? "Caf\xc3\xa9 na\xc3\xafve.\n" : ".\n");
    }
    return text;
}

QByteArray page(std::mt19937 &random, int kind, int bytes)
{
    switch (kind) {
    case 0:
        return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard\\sa120 " +
               sentences(random, bytes).replace("\n", "\\par\r\n") + "}";
    case 1:
        return sentences(random, bytes);
    default:
        return "<html><body><p class=\"note\">" +
               sentences(random, bytes).replace("\n", "</p>\n<p>") + "</p></body></html>";
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

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    TempFolder temp(dir.filePath("tmp"));
    ConsoleDialogs dialogs;
    Interaction ui;
    Workspace workspace(temp, dialogs, ui);
    workspace.authorName = "bench";

    out << "Writing " << PageCount << " pages..." << Qt::endl;
    const QString pagesDir = dir.filePath("pages");
    QDir().mkpath(pagesDir);
    std::mt19937 random(20261206);
    qint64 total = 0;
    {
        Binder binder;
        NewFile(workspace, binder, false);
        const char *ext[] = {"rtf", "txt", "htm"};
        for (int i = 0; i < PageCount; ++i) {
            const int kind = i % 3;
            const int bytes = AveragePageBytes / 2 + int(random() % AveragePageBytes);
            const QByteArray data = page(random, kind, bytes);
            const QString file = QString("%1/p%2.%3").arg(pagesDir).arg(i).arg(ext[kind]);
            QFile f(file);
            if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size())
                return 1;
            f.close();
            total += data.size();
            ImportFile(workspace, binder, file, PageKind::Unknown);
        }
        if (!SavFile(workspace, binder, dir.filePath("big.qly")))
            return 1;
    }
    auto binder = OpenFile(workspace, dir.filePath("big.qly"));
    if (!binder)
        return 1;
    out << QString("Binder: %1 pages, %2 MB of page data")
               .arg(PageCount)
               .arg(total / 1e6, 0, 'f', 1)
        << Qt::endl;

    out << QString("%1 %2 %3 %4 %5 %6")
               .arg("search", -22)
               .arg("Search All ms", 14)
               .arg("grep ms", 10)
               .arg("ratio", 7)
               .arg("pages", 7)
               .arg("peak growth", 12)
        << Qt::endl;
    for (const char *needle : {"zebra crossing", "LANTERN", "café naïve", "q"}) {
        std::vector<double> ours, theirs;
        int found = 0;
        qint64 growthKiB = 0;
        for (int run = 0; run < Runs; ++run) {
            const qint64 before = statusKiB("VmRSS:");
            resetPeak();
            QElapsedTimer clock;
            clock.start();
            found =
                int(searchPages(ui, *binder, QString::fromUtf8(needle), false).positions.size());
            ours.push_back(clock.nsecsElapsed() / 1e6);
            growthKiB = std::max(growthKiB, statusKiB("VmHWM:") - before);

            QProcess grep;
            grep.setStandardOutputFile(QProcess::nullDevice());
            clock.restart();
            grep.start("grep", {"-c", "-F", "-i", "-r", "--", QString::fromUtf8(needle), pagesDir});
            grep.waitForFinished(-1);
            theirs.push_back(clock.nsecsElapsed() / 1e6);
        }
        const double a = median(ours), b = median(theirs);
        out << QString("%1 %2 %3 %4 %5 %6")
                   .arg(QString("\"%1\"").arg(QString::fromUtf8(needle)), -22)
                   .arg(a, 14, 'f', 1)
                   .arg(b, 10, 'f', 1)
                   .arg(QString::number(a / b, 'f', 2) + "x", 7)
                   .arg(found, 7)
                   .arg(QString::number(growthKiB / 1024.0, 'f', 1) + " MiB", 12)
            << Qt::endl;
    }
    out << "Medians of " << Runs << " runs each; grep under LANG=" << qgetenv("LANG")
        << " LC_ALL=" << qgetenv("LC_ALL") << "; ratio = Search All / grep (target <= 1.00x),"
        << " peak growth = resident peak during the search (target < 64 MiB)." << Qt::endl;
    temp.DeleteTempFiles();
    return 0;
}
