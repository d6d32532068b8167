// SPDX-License-Identifier: GPL-3.0-or-later
// Search All over a binder of 10,000 text pages (about 200 MB: a third rich text written
// as WordPad writes it, with accents as escapes; a third plain text and a third HTML,
// each half UTF-8 and half Windows-1252), beside `grep -c -F -i -r` over the same pages
// as files, in the same run. For needles in ASCII and with letters beyond it, found on
// many pages or on none, it times the search of the stored data and of the shown text,
// both in the process (Search All) and as the whole `quillery-cli search` command, and
// prints each one's speed as grep's time divided by its own, with the peak memory growth
// of the search in the process.
// Usage: bench_search [RUNS] [QUILLERY-CLI]

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
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
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
                   .arg(utf8 ? "utf-8" : "windows-1252", html);
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

// The wall time of a whole command, its standard output thrown away.
double commandMs(const QString &program, const QStringList &arguments,
                 const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    process.waitForFinished(-1);
    return clock.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString(argv[1]).toInt()) : 5;
    const QString cli =
        argc > 2 ? QString(argv[2]) : QCoreApplication::applicationDirPath() + "/../quillery-cli";
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
            const int bytes = AveragePageBytes / 2 + int(random() % AveragePageBytes);
            const QByteArray data = page(random, i, bytes);
            const QString file = QString("%1/p%2.%3").arg(pagesDir).arg(i).arg(ext[i % 3]);
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
    const QString binderPath = dir.filePath("big.qly");
    out << QString("Binder: %1 pages, %2 MB of page data; load average before: %3")
               .arg(PageCount)
               .arg(total / 1e6, 0, 'f', 1)
               .arg(loadAverage())
        << Qt::endl;

    QProcessEnvironment grepEnvironment = QProcessEnvironment::systemEnvironment();
    grepEnvironment.insert("LC_ALL", "C.UTF-8");
    const QProcessEnvironment cliEnvironment = QProcessEnvironment::systemEnvironment();

    out << QString("%1 %2 %3 %4 %5 %6 %7 %8 %9")
               .arg("needle", -18)
               .arg("mode", -7)
               .arg("grep ms", 8)
               .arg("Search All ms", 14)
               .arg("speed", 6)
               .arg("quillery-cli ms", 16)
               .arg("speed", 6)
               .arg("pages", 6)
               .arg("peak growth", 12)
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
            std::vector<double> grep, inProcess, command;
            int found = 0;
            qint64 growthKiB = 0;
            for (int run = 0; run < runs; ++run) {
                grep.push_back(commandMs("grep", {"-c", "-F", "-i", "-r", "--", needle, pagesDir},
                                         grepEnvironment));
                const qint64 before = statusKiB("VmRSS:");
                resetPeak();
                QElapsedTimer clock;
                clock.start();
                found = int(searchPages(ui, *binder, needle, {false, shown}).positions.size());
                inProcess.push_back(clock.nsecsElapsed() / 1e6);
                growthKiB = std::max(growthKiB, statusKiB("VmHWM:") - before);
                QStringList arguments{"search", binderPath, needle};
                if (shown)
                    arguments << "--shown";
                command.push_back(commandMs(cli, arguments, cliEnvironment));
            }
            const double g = median(grep), a = median(inProcess), c = median(command);
            out << QString("%1 %2 %3 %4 %5 %6 %7 %8 %9")
                       .arg(QString("\"%1\"").arg(needle), -18)
                       .arg(shown ? "shown" : "stored", -7)
                       .arg(g, 8, 'f', 1)
                       .arg(a, 14, 'f', 1)
                       .arg(QString::number(g / a, 'f', 2) + "x", 6)
                       .arg(c, 16, 'f', 1)
                       .arg(QString::number(g / c, 'f', 2) + "x", 6)
                       .arg(found, 6)
                       .arg(QString::number(growthKiB / 1024.0, 'f', 1) + " MiB", 12)
                << Qt::endl;
        }
    }
    out << "Medians of " << runs << " runs each; grep under LC_ALL=C.UTF-8; speed = grep's time"
        << " divided by the search's (targets: at least 1.00x for stored, 0.50x for shown);"
        << " peak growth = resident peak of Search All in this process (target < 64 MiB)."
        << Qt::endl
        << "Load average after: " << loadAverage() << Qt::endl;
    temp.DeleteTempFiles();
    return 0;
}
