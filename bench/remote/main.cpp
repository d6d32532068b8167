// SPDX-License-Identifier: GPL-3.0-or-later
// Showing an HTML page that fetches its pictures, style sheet and script from a web server:
// the whole path from asking the viewer to show the page to the end of its load, once with
// every request going through the program's page proxy and, as the reference, once with the
// engine connecting by itself, as it did before the proxy (the benchmark starts the engine
// before the browser module can give it the proxy; everything else is the program's). The
// server stands in for a public one: the benchmark runs in a user and network namespace of
// its own (unshare -rn), where the address 1.2.3.4 is on the loopback device and a hosts file
// gives it a name, so nothing leaves the machine and the proxy treats it as any public site.
// The two kinds of run take turns, each in a process of its own; the first load of each run
// (which starts the engine) is left out.
// Usage: bench_remote [--runs N] [--loads N] [--resources N]

#include "../binder_io/LoadAverage.h"
#include "ScriptedDialogs.h"

#include "browser/EngineFlags.h"
#include "browser/PageSchemeHandler.h"
#include "documents/Binder.h"
#include "documents/BinderSaver.h"
#include "documents/Interaction.h"
#include "documents/NewBinder.h"
#include "documents/Workspace.h"
#include "platform/TempFolder.h"
#include "transfer/BinderOpener.h"
#include "transfer/PageImport.h"
#include "window/BrowserView.h"
#include "window/PageDisplay.h"
#include "window/ViewerPane.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QWebEngineProfile>

#include <algorithm>
#include <cstdio>

using namespace quillery;

namespace {

constexpr char InNamespace[] = "QUILLERY_BENCH_NAMESPACE";
constexpr char PublicStandIn[] = "1.2.3.4";
constexpr char Host[] = "public.example";
constexpr double TargetPercent = 10;

[[noreturn]] void fail(const QString &what)
{
    std::fprintf(stderr, "bench_remote: %s\n", qPrintable(what));
    std::exit(1);
}

// Answers every request at once with a small body of the kind its name asks for, never from
// a cache, keeping the connection for more.
class StandInServer : public QTcpServer
{
public:
    StandInServer()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [socket] { answer(socket); });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }

private:
    static void answer(QTcpSocket *socket)
    {
        QByteArray received = socket->property("pending").toByteArray() + socket->readAll();
        for (qsizetype end = received.indexOf("\r\n\r\n"); end >= 0;
             end = received.indexOf("\r\n\r\n")) {
            const QByteArray line = received.left(received.indexOf("\r\n"));
            received.remove(0, end + 4);
            const bool css = line.contains(".css");
            const bool script = line.contains(".js");
            const QByteArray body = css      ? QByteArray("p { margin: 1em }")
                                    : script ? QByteArray("document.title = 'ready';")
                                             : QByteArray(2048, 'x');
            const QByteArray type = css ? "text/css" : script ? "text/javascript" : "image/png";
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: " + type +
                          "\r\nCache-Control: no-store\r\nContent-Length: " +
                          QByteArray::number(body.size()) + "\r\n\r\n" + body);
        }
        socket->setProperty("pending", received);
    }
};

// A page with a style sheet, a script and pictures from the server; the load ends when all
// have come (the pictures are not real pictures, which costs the engine nothing to find).
QByteArray remotePage(quint16 port, int resources)
{
    const QByteArray site = "http://" + QByteArray(Host) + ':' + QByteArray::number(port);
    QByteArray page = "<!DOCTYPE html><html><head><link rel=stylesheet href='" + site +
                      "/style.css'><script src='" + site +
                      "/script.js'></script></head><body><h1>Letter</h1>";
    for (int i = 0; i < resources; ++i)
        page += "<p>Paragraph " + QByteArray::number(i) + "</p><img src='" + site + "/picture" +
                QByteArray::number(i) + ".png' width=40 height=40>";
    return page + "</body></html>";
}

QString makeBinder(const QString &folder, quint16 port, int resources)
{
    TempFolder temp(folder + QStringLiteral("/make-tmp"));
    ScriptedDialogs dialogs;
    Interaction ui;
    Workspace workspace(temp, dialogs, ui);
    const QString page = folder + QStringLiteral("/Letter.htm");
    QFile file(page);
    const QByteArray bytes = remotePage(port, resources);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        fail(QStringLiteral("cannot write %1").arg(page));
    file.close();
    Binder binder;
    makeNewBinder(workspace, binder, false);
    if (!importFile(workspace, binder, page, PageKind::Unknown))
        fail(QStringLiteral("cannot import %1").arg(page));
    const QString path = folder + QStringLiteral("/remote.qly");
    if (!saveBinderFile(workspace, binder, path))
        fail(QStringLiteral("cannot save %1").arg(path));
    temp.deleteRegistered();
    return path;
}

// The engine started now, before the browser module starts it, with the program's switches
// less the proxy: what the program did before it had one.
void startEngineWithoutProxy()
{
    QByteArrayList flags =
        engineFlags(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"), engineMemorySavingWanted(), 1)
            .split(' ');
    flags.erase(std::remove_if(flags.begin(), flags.end(),
                               [](const QByteArray &flag) { return flag.startsWith("--proxy-"); }),
                flags.end());
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.join(' '));
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext=false"));
    registerPageScheme();
    static QWebEngineProfile *const first = new QWebEngineProfile(qApp);
    Q_UNUSED(first);
}

// One run: shows the page loads times and prints each time in milliseconds.
int runShows(int argc, char *argv[], bool direct, const QString &binderPath, int loads)
{
    QApplication app(argc, argv);
    if (direct)
        startEngineWithoutProxy();
    QTemporaryDir dir;
    TempFolder temp(dir.filePath(QStringLiteral("tmp")));
    ScriptedDialogs dialogs;
    Interaction ui;
    Workspace workspace(temp, dialogs, ui);
    std::unique_ptr<Binder> binder = openFile(workspace, binderPath);
    if (!binder)
        fail(QStringLiteral("cannot open %1").arg(binderPath));
    binder->setCurrentPosition(1);
    ViewerPane pane(dialogs);
    pane.resize(900, 700);
    pane.show();
    pane.setRemoteContent(RemoteContent::Always);
    for (int i = 0; i < loads; ++i) {
        QEventLoop loop;
        bool loaded = false;
        const QMetaObject::Connection done =
            QObject::connect(&pane, &ViewerPane::browserLoadFinished, &loop, [&](bool ok) {
                loaded = ok;
                loop.quit();
            });
        QElapsedTimer timer;
        timer.start();
        pane.showPage(preparePageDisplay(workspace, *binder), *binder);
        loop.exec();
        const double ms = timer.nsecsElapsed() / 1e6;
        QObject::disconnect(done);
        if (!loaded)
            fail(QStringLiteral("the page did not load"));
        std::printf("load %.3f\n", ms);
        std::fflush(stdout);
    }
    temp.deleteRegistered();
    return 0;
}

QList<double> runOnce(bool direct, const QString &binder, int loads)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QCoreApplication::applicationFilePath(),
                  {direct ? QStringLiteral("--direct") : QStringLiteral("--proxy"), binder,
                   QString::number(loads)});
    if (!process.waitForFinished(300000) || process.exitCode() != 0)
        fail(QStringLiteral("a run failed"));
    QList<double> times;
    for (const QByteArray &line : process.readAllStandardOutput().split('\n')) {
        if (line.startsWith("load "))
            times << line.mid(5).toDouble();
    }
    if (times.size() != loads)
        fail(QStringLiteral("a run gave %1 of %2 loads").arg(times.size()).arg(loads));
    return times.mid(1);
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int option(const QStringList &arguments, const QString &name, int fallback)
{
    const qsizetype at = arguments.indexOf(name);
    return at >= 0 ? arguments.value(at + 1).toInt() : fallback;
}

// Runs the benchmark again inside a user and network namespace of its own.
int inNamespace(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString hosts = dir.filePath(QStringLiteral("hosts"));
    QFile file(hosts);
    const QByteArray line = QByteArray(PublicStandIn) + ' ' + Host + '\n';
    if (!file.open(QIODevice::WriteOnly) || file.write(line) != line.size())
        fail(QStringLiteral("cannot write %1").arg(hosts));
    file.close();
    qputenv(InNamespace, "1");
    QProcess run;
    run.setProcessChannelMode(QProcess::ForwardedChannels);
    run.start(QStringLiteral("unshare"),
              QStringList{QStringLiteral("-rnm"), QStringLiteral("sh"), QStringLiteral("-ec"),
                          QStringLiteral("ip link set lo up; ip addr add %1/32 dev lo; "
                                         "mount --bind \"$0\" /etc/hosts; exec \"$@\"")
                              .arg(QLatin1String(PublicStandIn)),
                          hosts, QCoreApplication::applicationFilePath()} +
                  QCoreApplication::arguments().mid(1));
    if (!run.waitForFinished(-1) || run.exitStatus() != QProcess::NormalExit)
        fail(QStringLiteral("unshare could not be run: %1").arg(run.errorString()));
    return run.exitCode();
}

} // namespace

int main(int argc, char *argv[])
{
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == u"--direct" || mode == u"--proxy") {
        if (argc != 4)
            fail(QStringLiteral("a run needs a binder and a number of loads"));
        return runShows(argc, argv, mode == u"--direct", QString::fromLocal8Bit(argv[2]),
                        QString::fromLocal8Bit(argv[3]).toInt());
    }
    if (!qEnvironmentVariableIsSet(InNamespace))
        return inNamespace(argc, argv);

    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const int runs = option(arguments, QStringLiteral("--runs"), 4);
    const int loads = option(arguments, QStringLiteral("--loads"), 16);
    const int resources = option(arguments, QStringLiteral("--resources"), 12);
    if (runs < 1 || loads < 2 || resources < 1)
        fail(QStringLiteral("usage: bench_remote [--runs N] [--loads N] [--resources N]"));

    QThread serverThread;
    StandInServer server;
    server.moveToThread(&serverThread);
    serverThread.start();
    bool listening = false;
    QMetaObject::invokeMethod(
        &server,
        [&] { listening = server.listen(QHostAddress(QString::fromLatin1(PublicStandIn))); },
        Qt::BlockingQueuedConnection);
    if (!listening)
        fail(QStringLiteral("cannot listen on %1").arg(QLatin1String(PublicStandIn)));

    QTemporaryDir dir;
    const QString binder = makeBinder(dir.path(), server.serverPort(), resources);
    std::printf("bench_remote: an HTML page with a style sheet, a script and %d pictures from a "
                "stand-in for a public server, shown %d times a run, %d runs of each kind\n",
                resources, loads - 1, runs);
    bench::printLoad("before");
    QList<double> direct;
    QList<double> proxied;
    for (int run = 0; run < runs; ++run) {
        // Each kind goes first in turn, so that neither always meets a busier machine.
        const bool directFirst = run % 2 == 0;
        for (const bool isDirect : {directFirst, !directFirst})
            (isDirect ? direct : proxied) << runOnce(isDirect, binder, loads);
    }
    bench::printLoad("after");
    const double directMs = median(direct);
    const double proxiedMs = median(proxied);
    const double overhead = (proxiedMs / directMs - 1) * 100;
    std::printf("%-34s %10s %10s\n", "show the page to the end of its load", "median", "fastest");
    std::printf("%-34s %8.1f ms %8.1f ms\n", "  engine connecting by itself (ref)", directMs,
                *std::min_element(direct.cbegin(), direct.cend()));
    std::printf("%-34s %8.1f ms %8.1f ms\n", "  through the page proxy", proxiedMs,
                *std::min_element(proxied.cbegin(), proxied.cend()));
    std::printf("proxy costs %+.1f %% (target < %.0f %%): %s\n", overhead, TargetPercent,
                overhead < TargetPercent ? "met" : "NOT met");
    QMetaObject::invokeMethod(
        &server, [&] { server.close(); }, Qt::BlockingQueuedConnection);
    serverThread.quit();
    serverThread.wait();
    return 0;
}
