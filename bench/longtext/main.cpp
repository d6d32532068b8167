// SPDX-License-Identifier: GPL-3.0-or-later
// Pages of 5 MB that are one unbroken word, each beside a page of the same size in words and
// lines, in the same run: shown in the viewer until the text is painted (with the memory the
// viewer took), and printed by the whole "quillery-cli print" command (with its processor
// time and peak memory), as plain text and as rich text.
// Usage: bench_longtext [megabytes] [quillery-cli]

#include "../window/Timing.h"

#include "documents/Binder.h"
#include "documents/BinderSaver.h"
#include "documents/Interaction.h"
#include "documents/NewBinder.h"
#include "documents/Workspace.h"
#include "platform/FileIo.h"
#include "platform/ScriptedDialogs.h"
#include "platform/TempFolder.h"
#include "platform_ui/RichTextBox.h"
#include "window/PageDisplay.h"
#include "window/ViewerPane.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

using namespace quillery;

namespace {

QByteArray oneWord(qint64 bytes)
{
    QByteArray text(bytes, Qt::Uninitialized);
    for (qint64 i = 0; i < bytes; ++i)
        text[i] = char('a' + i % 26);
    return text;
}

QByteArray wordsInLines(qint64 bytes)
{
    static const char *const Words[] = {"binder",  "quarterly", "minutes", "garden",
                                        "invoice", "chapter",   "draft",   "meeting"};
    QByteArray text;
    text.reserve(bytes + 80);
    for (int n = 0; text.size() < bytes; ++n) {
        text += Words[n % std::size(Words)];
        text += n % 11 == 10 ? '\n' : ' ';
    }
    return text;
}

QByteArray rich(const QByteArray &text)
{
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs24 ";
    rtf += QByteArray(text).replace("\n", "\\par\r\n");
    return rtf + "\\par}";
}

struct Harness
{
    QTemporaryDir dir;
    TempFolder temp{dir.filePath(QStringLiteral("tmp"))};
    ScriptedDialogs dialogs;
    Interaction ui;
    Workspace workspace{temp, dialogs, ui};
    Binder binder;

    Harness() { NewFile(workspace, binder, false); }

    int addPage(const QString &kind, const QByteArray &bytes)
    {
        PageRow row;
        row.name = QStringLiteral("Page %1").arg(binder.pageCount() + 1);
        row.size = bytes.size();
        row.key.serial = binder.takeSerial();
        row.key.kind = kind;
        row.key.location = temp.TempFileName();
        row.key.colour = kind == u"RTF" ? QStringLiteral("16777215") : QStringLiteral("NA");
        fileio::writeWhole(row.key.location, bytes);
        binder.pages.append(row);
        return binder.pageCount();
    }
};

double residentMb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * 4096 / 1048576 : 0;
}

struct Shown
{
    double ms = 0;
    double grownMb = 0;
};

// The viewer's path: the page's display worked out from the binder, the text pane filled
// and painted.
Shown show(Harness &h, int position, PaintWatch &paints)
{
    ViewerPane viewer;
    viewer.resize(900, 700);
    viewer.show();
    paints.settle({&viewer});
    const double before = residentMb();
    h.binder.setCurIndex(position);
    paints.forget();
    Stopwatch watch;
    viewer.showPage(preparePageDisplay(h.workspace, h.binder), h.binder);
    paints.settle({viewer.txtPad()->viewport()});
    return {watch.ms(), residentMb() - before};
}

struct Printed
{
    bool ok = false;
    double seconds = 0;
    double cpuSeconds = 0;
    double peakMb = 0;
};

// The whole command, measured by bench_measure so that this process's memory is not counted.
Printed print(const QString &cli, const QString &binder, int position, const QString &pdf)
{
    QFile::remove(pdf);
    QProcess helper;
    helper.start(QCoreApplication::applicationDirPath() + QStringLiteral("/bench_measure"),
                 {cli, QStringLiteral("print"), binder, pdf, QStringLiteral("--pages"),
                  QString::number(position)});
    Printed result;
    if (!helper.waitForFinished(-1))
        return result;
    const QList<QByteArray> fields = helper.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() != 4)
        return result;
    result.ok = fields[0] == "1";
    result.seconds = fields[1].toDouble();
    result.cpuSeconds = fields[2].toDouble();
    result.peakMb = fields[3].toDouble();
    return result;
}

void row(const char *what, double word, double words, const char *target = "")
{
    std::printf("%-40s %10.2f %10.2f   %s\n", what, word, words, target);
}

} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const qint64 bytes = (argc > 1 ? qMax(1, atoi(argv[1])) : 5) * qint64(1'000'000);
    const QString cli =
        argc > 2 ? QString::fromLocal8Bit(argv[2])
                 : QCoreApplication::applicationDirPath() + QStringLiteral("/../quillery-cli");

    Harness h;
    PaintWatch paints;
    const QByteArray word = oneWord(bytes);
    const QByteArray words = wordsInLines(bytes);
    struct Kind
    {
        const char *name;
        int word;
        int words;
    };
    const Kind kinds[] = {
        {"plain", h.addPage(QStringLiteral("TXT"), word), h.addPage(QStringLiteral("TXT"), words)},
        {"rich", h.addPage(QStringLiteral("RTF"), rich(word)),
         h.addPage(QStringLiteral("RTF"), rich(words))},
    };
    const QString binder = h.dir.filePath(QStringLiteral("long.qly"));
    if (!SavFile(h.workspace, h.binder, binder)) {
        std::fprintf(stderr, "the binder could not be written\n");
        return 1;
    }

    std::printf("pages of %.1f MB: one word, and words in lines of 11\n\n", bytes / 1e6);
    std::printf("%-40s %10s %10s\n", "", "one word", "words");
    for (const Kind &kind : kinds) {
        const Shown wordShown = show(h, kind.word, paints);
        const Shown wordsShown = show(h, kind.words, paints);
        const QByteArray title = QByteArray("show ") + kind.name + " text until painted, s";
        row(title.constData(), wordShown.ms / 1000, wordsShown.ms / 1000, "target < 1");
        row("  memory the viewer took, MB", wordShown.grownMb, wordsShown.grownMb);

        const Printed wordPrinted = print(cli, binder, kind.word, h.dir.filePath("word.pdf"));
        const Printed wordsPrinted = print(cli, binder, kind.words, h.dir.filePath("words.pdf"));
        if (!wordPrinted.ok || !wordsPrinted.ok)
            std::printf("quillery-cli print failed (%s)\n", qPrintable(cli));
        const QByteArray printTitle = QByteArray("print ") + kind.name + " text (the command), s";
        row(printTitle.constData(), wordPrinted.seconds, wordsPrinted.seconds, "target < 5");
        row("  processor time, s", wordPrinted.cpuSeconds, wordsPrinted.cpuSeconds);
        row("  peak memory, MB", wordPrinted.peakMb, wordsPrinted.peakMb);
    }
    return 0;
}
