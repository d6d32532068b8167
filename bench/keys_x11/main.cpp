// SPDX-License-Identifier: GPL-3.0-or-later
// Key to paint, seen from outside: starts the built program on a private X server with a
// window manager, presses keys through the X test extension as a keyboard does, and times
// the paints the X server sees through the damage extension, so no clock of the program is
// used. It types at several rhythms at the top, in the middle and at the end of a 5 MB rich
// page in the page editor, switches pages with Down in the page list of a binder of text
// pages, and opens the editor on the 5 MB page with Enter until its last paint. Each figure
// stands beside a bare QTextEdit doing the same (bench_keys_x11_bare, which reads the pages
// through the program's RTF reader) and beside the figures of the in-process benchmark
// (bench_editor) run on the same X server in the same run.
// Usage: bench_keys_x11 [--keys N] [--opens N] [--program PATH] [--no-in-process] [--verbose]

#include "../binder_io/LoadAverage.h"
#include "../window/Timing.h"
#include "PageHarness.h"
#include "PrivateXvfb.h"
#include "RichPage.h"
#include "XSession.h"

#include "documents/BinderFormat.h"
#include "documents/BinderSaver.h"
#include "platform/FileIo.h"
#include "platform/Settings.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <functional>
#include <memory>

using namespace quillery;

namespace {

constexpr qint64 LargePageBytes = 5 << 20;
constexpr int ListPages = 200;

bool verbose = false;

// Thrown to end the run, so that every process started so far is ended on the way out.
struct Failure
{
    QString what;
};

[[noreturn]] void fail(const QString &what)
{
    throw Failure{what};
}

// The caret blinks by painting a small strip of its own.
bool caretBlink(const QRect &area)
{
    return area.width() <= 12 && area.height() <= 48;
}

// How long after the typist's last key the next one comes.
struct Rhythm
{
    const char *name;
    int fromMs;
    int toMs;
    int gapMs(QRandomGenerator &random) const
    {
        return fromMs == toMs ? fromMs : int(random.bounded(fromMs, toMs + 1));
    }
};

const Rhythm Rhythms[] = {{"100 ms apart", 100, 100},
                          {"150 ms apart", 150, 150},
                          {"300 ms apart", 300, 300},
                          {"700 ms apart", 700, 700},
                          {"random 150-450 ms apart", 150, 450}};

// A program on the private desktop with a home of its own, so that nothing one run leaves
// (a recovery snapshot of the page typed into) reaches the next; ended with the benchmark.
class Running
{
public:
    Running(const QString &program, const QStringList &arguments, QProcessEnvironment environment)
    {
        const QDir home(m_home.path());
        for (const char *folder : {"config", "data", "state", "cache", "tmp", "runtime"})
            home.mkpath(QString::fromLatin1(folder));
        QFile::setPermissions(home.filePath(QStringLiteral("runtime")),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                  QFileDevice::ExeOwner);
        // A returning user, whose author name is stored, so that no prompt comes.
        Settings(home.filePath(QStringLiteral("config/%1/%2.ini")
                                   .arg(Settings::Organisation, Settings::Application)))
            .setAuthorName(QStringLiteral("Bench User"));
        environment.insert(QStringLiteral("HOME"), home.path());
        for (const char *folder : {"config", "data", "state", "cache", "runtime"})
            environment.insert(QStringLiteral("XDG_%1_%2")
                                   .arg(QString::fromLatin1(folder).toUpper(),
                                        QLatin1String(qstrcmp(folder, "runtime") ? "HOME" : "DIR")),
                               home.filePath(QString::fromLatin1(folder)));
        environment.insert(QStringLiteral("TMPDIR"), home.filePath(QStringLiteral("tmp")));
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(program, arguments);
        if (!m_process.waitForStarted(30000))
            fail(QStringLiteral("cannot start %1: %2").arg(program, m_process.errorString()));
    }
    ~Running()
    {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
    Running(const Running &) = delete;
    Running &operator=(const Running &) = delete;
    bool running() const { return m_process.state() == QProcess::Running; }

private:
    QTemporaryDir m_home;
    QProcess m_process;
};

// The private X server with openbox on it.
class Desktop
{
public:
    Desktop()
    {
        m_display = startPrivateXvfb(m_server).toLocal8Bit();
        if (m_display.isEmpty())
            fail(QStringLiteral("cannot start Xvfb"));
        m_environment = QProcessEnvironment::systemEnvironment();
        m_environment.insert(QStringLiteral("DISPLAY"), QString::fromLocal8Bit(m_display));
        m_environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        m_windowManager.setProcessEnvironment(m_environment);
        m_windowManager.start(QStringLiteral("openbox"), {});
        if (!m_windowManager.waitForStarted(10000))
            fail(QStringLiteral("cannot start openbox"));
    }
    ~Desktop()
    {
        for (QProcess *process : {&m_windowManager, &m_server}) {
            process->kill();
            process->waitForFinished(10000);
        }
    }
    Desktop(const Desktop &) = delete;
    Desktop &operator=(const Desktop &) = delete;

    QByteArray display() const { return m_display; }
    const QProcessEnvironment &environment() const { return m_environment; }

private:
    QProcess m_server;
    QProcess m_windowManager;
    QByteArray m_display;
    QProcessEnvironment m_environment;
};

struct Figure
{
    Samples ms;
    int late = 0; // keys with no paint within a second
};

// Under --verbose, every paint seen, ms after since.
void note(const Damage &damage, double since)
{
    if (verbose)
        std::printf("    paint at %.1f ms: %dx%d+%d+%d\n", damage.ms - since, damage.area.width(),
                    damage.area.height(), damage.area.x(), damage.area.y());
}

// When the first paint after a key that is not the caret blinking came, if it came in time.
std::optional<double> firstPaint(XSession &x, double sent, double timeoutMs = 1000)
{
    while (const std::optional<Damage> damage = x.nextDamage(sent + timeoutMs)) {
        note(*damage, sent);
        if (!caretBlink(damage->area))
            return damage->ms;
    }
    return std::nullopt;
}

// When the last of the paints that follow one another from a paint at since came: they go
// on until none has come for quietMs.
double lastPaint(XSession &x, double since, double quietMs, double limitMs)
{
    double last = since;
    while (const std::optional<Damage> damage =
               x.nextDamage(std::min(last + quietMs, since + limitMs))) {
        note(*damage, since);
        if (!caretBlink(damage->area))
            last = damage->ms;
    }
    return last;
}

void waitUntil(XSession &x, double ms)
{
    while (x.nowMs() < ms)
        x.nextDamage(ms);
}

// Letters typed at a rhythm, each timed until it is painted.
Figure typeAt(XSession &x, const Rhythm &rhythm, int keys)
{
    QRandomGenerator random(39);
    Figure figure;
    double next = x.nowMs();
    for (int n = 0; n < keys; ++n) {
        waitUntil(x, next);
        const double sent = x.key("x");
        if (const std::optional<double> painted = firstPaint(x, sent))
            figure.ms.add(*painted - sent);
        else
            ++figure.late;
        next = sent + rhythm.gapMs(random);
    }
    return figure;
}

// Down in a page list, each timed until the page shown has been painted.
Figure switchPages(XSession &x, int keys)
{
    Figure figure;
    x.settle(500, x.nowMs() + 5000);
    for (int n = 0; n < keys; ++n) {
        const double sent = x.key("Down");
        if (const std::optional<double> painted = firstPaint(x, sent))
            figure.ms.add(lastPaint(x, *painted, 150, 3000) - sent);
        else
            ++figure.late;
        waitUntil(x, sent + 400);
    }
    return figure;
}

struct Opening
{
    Figure first;   // the editor's text painted
    Figure settled; // the last paint but the caret's
    Figure visible; // the last paint that changed what the screen shows
    Figure typing;  // letters typed from the first paint on, 100 ms apart
};

// Enter on the page in the list, until the paints that follow have stopped for 1.5 s. The
// editor's first paint is the first that covers a large part of a window.
void openOnce(XSession &x, Opening &opening)
{
    x.settle(500, x.nowMs() + 10000);
    x.copyScreen();
    const double sent = x.key("Return");
    std::optional<double> first;
    double last = sent;
    double visible = sent;
    const double limit = sent + 15000;
    while (const std::optional<Damage> damage =
               x.nextDamage(first ? std::min(limit, last + 1500) : limit)) {
        note(*damage, sent);
        if (caretBlink(damage->area))
            continue;
        if (!first && damage->area.width() >= 200 && damage->area.height() >= 200)
            first = damage->ms;
        last = damage->ms;
        if (x.changed(damage->area))
            visible = damage->ms;
    }
    if (!first)
        fail(QStringLiteral("the editor did not paint"));
    opening.first.ms.add(*first - sent);
    opening.settled.ms.add(last - sent);
    opening.visible.ms.add(visible - sent);
}

void waitForWindow(XSession &x, const QByteArray &title)
{
    const double deadline = x.nowMs() + 30000;
    while (!x.windowTitled(title)) {
        if (x.nowMs() > deadline)
            fail(QStringLiteral("no window titled %1 came").arg(QString::fromLatin1(title)));
        QThread::msleep(50);
    }
    x.settle(1000, x.nowMs() + 20000);
}

// What one program is asked to do, and how, for the same work in both.
struct Subject
{
    QString program;
    QStringList largeArguments; // shows the 5 MB page first in its list
    QStringList listArguments;  // shows the text pages
    QByteArray windowTitle;
    QByteArray closeEditor;
    std::function<void(XSession &)> toMiddle;
};

struct Results
{
    Opening open;
    QList<Figure> typing; // rhythms within positions
    Figure switching;
};

Results measure(Desktop &desktop, XSession &x, const Subject &subject, int keys, int opens)
{
    Results results;
    {
        Running program(subject.program, subject.largeArguments, desktop.environment());
        waitForWindow(x, subject.windowTitle);
        for (int n = 0; n < opens; ++n) {
            openOnce(x, results.open);
            x.key(subject.closeEditor);
        }
        // Once more, typing as soon as the page is there, while the rest of it is laid out.
        x.settle(1000, x.nowMs() + 10000);
        const double sent = x.key("Return");
        while (const std::optional<Damage> damage = x.nextDamage(sent + 15000)) {
            if (damage->area.width() >= 200 && damage->area.height() >= 200)
                break;
        }
        results.open.typing = typeAt(x, Rhythms[0], 12);
        const std::function<void(XSession &)> positions[] = {
            [](XSession &x) { x.key("ctrl+Home"); }, subject.toMiddle,
            [](XSession &x) {
                x.key("ctrl+End");
            }};
        for (const auto &position : positions) {
            position(x);
            for (const Rhythm &rhythm : Rhythms) {
                x.settle(400, x.nowMs() + 5000);
                results.typing.append(typeAt(x, rhythm, keys));
            }
        }
        if (!program.running())
            fail(QStringLiteral("%1 ended while typing").arg(subject.program));
    }
    Running program(subject.program, subject.listArguments, desktop.environment());
    waitForWindow(x, subject.windowTitle);
    results.switching = switchPages(x, keys);
    return results;
}

// The lines of the in-process benchmark for the 5 MB page, by what they measure.
QMap<QString, double> inProcess(const QString &benchEditor, const Desktop &desktop, int keys)
{
    QProcess bench;
    QProcessEnvironment environment = desktop.environment();
    const QTemporaryDir runtime;
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    bench.setProcessEnvironment(environment);
    bench.start(benchEditor, {QString::number(keys)});
    if (!bench.waitForFinished(30 * 60 * 1000))
        fail(QStringLiteral("bench_editor did not finish"));
    QMap<QString, double> figures;
    static const QRegularExpression line(QStringLiteral("^(\\S.*?)\\s+([0-9.]+)\\s+([0-9.]+)"));
    // The 5 MB page's typing comes after the 1 MB page's, so its lines are read last.
    for (const QString &text : QString::fromLocal8Bit(bench.readAllStandardOutput()).split(u'\n')) {
        const QRegularExpressionMatch match = line.match(text);
        if (match.hasMatch())
            figures.insert(match.captured(1), match.captured(2).toDouble());
    }
    return figures;
}

// A binder of rich pages, its page list in the view stored as the number given.
void writeBinder(const QString &path, const QList<QByteArray> &pages, int listView)
{
    PageHarness h;
    h.binder.setRecord(RecordKey::ListView, QString::number(listView));
    for (const QByteArray &page : pages)
        h.addPage(QStringLiteral("RTF"), page);
    if (!saveBinderFile(h.workspace, h.binder, path))
        fail(QStringLiteral("cannot write %1").arg(path));
}

QByteArray textPage(int number)
{
    QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Times New Roman;}}\\f0\\fs24 ";
    for (int paragraph = 0; paragraph < 12; ++paragraph)
        rtf += "Page " + QByteArray::number(number) +
               ", a paragraph of plain words with a \\b bold\\b0  one and an \\i italic\\i0  "
               "one, long enough to wrap once or twice in the viewer.\\par ";
    return rtf + '}';
}

QString row(const Figure &figure)
{
    QString text = QStringLiteral("%1 / %2 / %3")
                       .arg(figure.ms.median(), 0, 'f', 1)
                       .arg(figure.ms.p95(), 0, 'f', 1)
                       .arg(figure.ms.max(), 0, 'f', 1);
    if (figure.late)
        text += QStringLiteral(" (%1 unpainted after 1 s)").arg(figure.late);
    return text;
}

void print(const char *what, const QString &ours, const QString &bare, const QString &inProcess,
           const char *target)
{
    std::printf("| %s | %s | %s | %s | %s |\n", what, qPrintable(ours), qPrintable(bare),
                qPrintable(inProcess), target);
}

int run(QGuiApplication &app)
{
    QCommandLineParser parser;
    const QCommandLineOption keysOption(QStringLiteral("keys"),
                                        QStringLiteral("Keys for each rhythm and position."),
                                        QStringLiteral("N"), QStringLiteral("60"));
    const QCommandLineOption opensOption(QStringLiteral("opens"),
                                         QStringLiteral("Times the editor is opened."),
                                         QStringLiteral("N"), QStringLiteral("3"));
    const QString here = QCoreApplication::applicationDirPath();
    const QCommandLineOption programOption(
        QStringLiteral("program"), QStringLiteral("The program to measure."),
        QStringLiteral("PATH"), here + QStringLiteral("/../quillery"));
    const QCommandLineOption noInProcess(QStringLiteral("no-in-process"),
                                         QStringLiteral("Leave out bench_editor."));
    const QCommandLineOption verboseOption(QStringLiteral("verbose"),
                                           QStringLiteral("Print every paint after a key."));
    parser.addOptions({keysOption, opensOption, programOption, noInProcess, verboseOption});
    parser.addHelpOption();
    parser.process(app);
    const int keys = qMax(1, parser.value(keysOption).toInt());
    const int opens = qMax(1, parser.value(opensOption).toInt());
    const QString program = QDir::cleanPath(parser.value(programOption));
    const QString bare = here + QStringLiteral("/bench_keys_x11_bare");
    verbose = parser.isSet(verboseOption);
    for (const QString &tool : {program, bare})
        if (!QFile::exists(tool))
            fail(QStringLiteral("%1 is not built").arg(tool));
    for (const char *tool : {"Xvfb", "openbox"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            fail(QStringLiteral("%1 is not installed (scripts/setup installs it)")
                     .arg(QString::fromLatin1(tool)));

    bench::printLoad("at the start");
    Desktop desktop;
    XSession x(desktop.display());
    if (!x.missing().isEmpty())
        fail(QStringLiteral("the X server lacks %1").arg(QString::fromLatin1(x.missing())));
    QTemporaryDir dir;
    int paragraphs = 0;
    const QByteArray large = richPage(LargePageBytes, &paragraphs);
    // Find stops at the end of the first paragraph ending in this number, halfway down.
    const QByteArray needle = "dog " + QByteArray::number(paragraphs / 2) + '.';
    const QDir folder(dir.path());
    folder.mkpath(QStringLiteral("large"));
    folder.mkpath(QStringLiteral("list"));
    fileio::writeWhole(folder.filePath(QStringLiteral("large/large.rtf")), large);
    // Large icons, as a new binder shows its pages.
    writeBinder(folder.filePath(QStringLiteral("large.qly")), {large}, 0);
    QList<QByteArray> texts;
    for (int n = 1; n <= ListPages; ++n) {
        texts.append(textPage(n));
        fileio::writeWhole(
            folder.filePath(QStringLiteral("list/page%1.rtf").arg(n, 3, 10, QLatin1Char('0'))),
            texts.constLast());
    }
    // Details, where Down goes to the next page.
    writeBinder(folder.filePath(QStringLiteral("list.qly")), texts, 3);
    std::printf("program %s; a %.1f MB rich page of %d paragraphs; %d keys for each rhythm and "
                "place, %d opens\n",
                qPrintable(program), large.size() / 1048576.0, paragraphs, keys, opens);

    const Subject ours{program,
                       {folder.filePath(QStringLiteral("large.qly"))},
                       {folder.filePath(QStringLiteral("list.qly"))},
                       "Quillery",
                       "F4",
                       [needle](XSession &x) {
                           x.key("ctrl+f");
                           waitForWindow(x, "Find and Replace");
                           x.type(needle);
                           x.key("Return");
                           x.settle(300, x.nowMs() + 5000);
                           x.key("Escape");
                           x.settle(300, x.nowMs() + 5000);
                           x.key("Right");
                       }};
    const Subject reference{bare,
                            {folder.filePath(QStringLiteral("large")), QString::fromLatin1(needle)},
                            {folder.filePath(QStringLiteral("list")), QString::fromLatin1(needle)},
                            "Bare pages",
                            "Escape",
                            [](XSession &x) {
                                x.key("F3");
                            }};
    const Results oursResults = measure(desktop, x, ours, keys, opens);
    const Results bareResults = measure(desktop, x, reference, keys, opens);
    QMap<QString, double> inside;
    if (!parser.isSet(noInProcess))
        inside = inProcess(here + QStringLiteral("/bench_editor"), desktop, 100);

    std::printf("\nms, median / p95 / max; in-process: bench_editor's median / p95 on the same "
                "X server (100 keystrokes, no pause between them)\n\n");
    std::printf("| measure | Quillery | bare QTextEdit | in-process | target |\n|---|---|---|---|"
                "---|\n");
    const char *const places[] = {"top", "middle", "end"};
    for (int place = 0; place < 3; ++place) {
        const QString key = QStringLiteral("keystroke at the %1").arg(QLatin1String(places[place]));
        const QString inProcessFigure =
            inside.isEmpty()
                ? QStringLiteral("-")
                : QStringLiteral("%1 / %2")
                      .arg(inside.value(key + QStringLiteral(", median ms")), 0, 'f', 1)
                      .arg(inside.value(key + QStringLiteral(", 95th percentile ms")), 0, 'f', 1);
        for (int r = 0; r < int(std::size(Rhythms)); ++r) {
            const int at = place * int(std::size(Rhythms)) + r;
            const QByteArray what = QByteArray("typing at the ") + places[place] +
                                    " of the 5 MB page, " + Rhythms[r].name;
            print(what.constData(), row(oursResults.typing.at(at)), row(bareResults.typing.at(at)),
                  inProcessFigure, "p95 < 8");
        }
    }
    print("next page by Down, text pages", row(oursResults.switching), row(bareResults.switching),
          QStringLiteral("-"), "p95 < 16");
    print("editor open by Enter, 5 MB page, first paint", row(oursResults.open.first),
          row(bareResults.open.first),
          inside.isEmpty() ? QStringLiteral("-")
                           : QString::number(inside.value(QStringLiteral(
                                                 "open the 5 MB page by Enter, to painted, ms")),
                                             'f', 1),
          "");
    print("editor open by Enter, 5 MB page, last paint", row(oursResults.open.settled),
          row(bareResults.open.settled), QStringLiteral("-"), "< 400");
    print("editor open by Enter, 5 MB page, last visible change", row(oursResults.open.visible),
          row(bareResults.open.visible), QStringLiteral("-"), "< 400");
    print("typing from the editor's first paint on, 100 ms apart", row(oursResults.open.typing),
          row(bareResults.open.typing), QStringLiteral("-"), "p95 < 8");
    std::printf("\n");
    bench::printLoad("at the end");
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    try {
        return run(app);
    } catch (const Failure &failure) {
        std::fprintf(stderr, "bench_keys_x11: %s\n", qPrintable(failure.what));
        return 1;
    }
}
