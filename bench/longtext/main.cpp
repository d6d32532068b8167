// SPDX-License-Identifier: GPL-3.0-or-later
// Pages of 5 MB that are one unbroken word, each beside a page of the same size in words and
// lines, in the same run: shown in the viewer until the text is painted (with the memory the
// viewer took), and printed by the whole "quillery-cli print" command (with its processor
// time and peak memory), as plain text and as rich text.
// Usage: bench_longtext [megabytes] [quillery-cli]

#include "../window/Timing.h"
#include "CommandMeasure.h"
#include "PageHarness.h"

#include "documents/BinderSaver.h"
#include "platform/ConsoleDialogs.h"
#include "platform_ui/RichTextBox.h"
#include "window/PageDisplay.h"
#include "window/ViewerPane.h"

#include <QApplication>
#include <QFile>

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
Shown show(PageHarness &h, int position, PaintWatch &paints)
{
    ConsoleDialogs dialogs;
    ViewerPane viewer(dialogs);
    viewer.resize(900, 700);
    viewer.show();
    paints.settle({&viewer});
    const double before = residentMb();
    h.binder.setCurrentPosition(position);
    paints.forget();
    Stopwatch watch;
    viewer.showPage(preparePageDisplay(h.workspace, h.binder), h.binder);
    paints.settle({viewer.textPane()->viewport()});
    return {watch.ms(), residentMb() - before};
}

// The whole command, measured apart from this process and the pages it holds.
Measured print(const QString &cli, const QString &binder, int position, const QString &pdf)
{
    QFile::remove(pdf);
    return measure(cli, {QStringLiteral("print"), binder, pdf, QStringLiteral("--pages"),
                         QString::number(position)});
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

    PageHarness h;
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
    if (!saveBinderFile(h.workspace, h.binder, binder)) {
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

        const Measured wordPrinted = print(cli, binder, kind.word, h.dir.filePath("word.pdf"));
        const Measured wordsPrinted = print(cli, binder, kind.words, h.dir.filePath("words.pdf"));
        if (!wordPrinted.ok || !wordsPrinted.ok)
            std::printf("quillery-cli print failed (%s)\n", qPrintable(cli));
        const QByteArray printTitle = QByteArray("print ") + kind.name + " text (the command), s";
        row(printTitle.constData(), wordPrinted.seconds, wordsPrinted.seconds, "target < 5");
        row("  processor time, s", wordPrinted.cpuSeconds, wordsPrinted.cpuSeconds);
        row("  peak memory, MB", wordPrinted.peakMb, wordsPrinted.peakMb);
    }
    return 0;
}
