// SPDX-License-Identifier: GPL-3.0-or-later
// The page proxy, tried with the real browser in a network namespace of the test's own: only
// loopback, a hosts file of the test's own, and a stand-in for a public server on an address
// of the internet that no packet can leave the namespace for.
#include "BinderFixture.h"
#include "web/WebViewer.h"
#include "window/PageProxy.h"
#include "window/ProxyRequest.h"

#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>

using namespace quillery;
using namespace quillery::test;

namespace {

constexpr char InNamespace[] = "QUILLERY_TEST_NAMESPACE";
constexpr char NoNamespace[] = "QUILLERY_TEST_NO_NAMESPACE";
constexpr char PublicStandIn[] = "1.2.3.4";
const QByteArray Hosts = "127.0.0.1 local.example\n"
                         "::1 local6.example\n"
                         "1.2.3.4 public.example\n";

const QByteArray OnePixelGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00!\xf9"
                             "\x04\x01\x00\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02"
                             "\x02D\x01\x00;",
                             43);

// Listens on one address and keeps whatever reaches it. A server answers every request with
// a picture; a trap answers nothing, as nothing may reach it.
struct Listener
{
    Listener(const QHostAddress &address, bool answer)
    {
        QVERIFY(server.listen(address));
        QObject::connect(&server, &QTcpServer::newConnection, [this, answer] {
            while (QTcpSocket *socket = server.nextPendingConnection()) {
                ++connections;
                QObject::connect(socket, &QTcpSocket::readyRead, [this, socket, answer] {
                    received += socket->readAll();
                    if (answer && received.endsWith("\r\n\r\n")) {
                        socket->write("HTTP/1.1 200 OK\r\nContent-Type: image/gif\r\n"
                                      "Content-Length: 43\r\nConnection: close\r\n\r\n" +
                                      OnePixelGif);
                        socket->disconnectFromHost();
                    }
                });
            }
        });
    }
    QByteArray port() const { return QByteArray::number(server.serverPort()); }

    QTcpServer server;
    int connections = 0;
    QByteArray received;
};

// Every way a page sends a request of its own, to one address, then a navigation there.
QByteArray reachingPage(const QByteArray &base)
{
    return "<iframe src='" + base +
           "/frame'></iframe><script>"
           "fetch('" +
           base +
           "/fetch', {mode: 'no-cors'}).catch(() => {});"
           "fetch('" +
           QByteArray(base).replace("http:", "https:") +
           "/tls', {mode: 'no-cors'})"
           ".catch(() => {});"
           "try { new WebSocket('" +
           QByteArray(base).replace("http:", "ws:") +
           "/ws'); }"
           " catch (e) {}"
           "setTimeout(() => { location.href = '" +
           base + "/navigate'; }, 300);</script>";
}

QString pageText(QWebEnginePage *page)
{
    QString text;
    page->toPlainText([&text](const QString &t) { text = t; });
    return QTest::qWaitFor([&text] { return !text.isNull(); }, 5000) ? text : QString();
}

// A request of the engine's kind, as the proxy is sent it.
QByteArray proxyRequest(const QByteArray &url, const ProxyAccess &access)
{
    QByteArray head = "GET " + url + " HTTP/1.1\r\nHost: x\r\n";
    if (!access.secret.isEmpty())
        head += "Proxy-Authorization: Basic " +
                (access.user + u':' + access.secret).toUtf8().toBase64() + "\r\n";
    return head + "\r\n";
}

QByteArray proxyAnswer(quint16 port, const QByteArray &request)
{
    // The event loop runs meanwhile: the server that answers is in this thread.
    QTcpSocket socket;
    QByteArray answer;
    QObject::connect(&socket, &QTcpSocket::readyRead, [&] { answer += socket.readAll(); });
    socket.connectToHost(QHostAddress::LocalHost, port);
    socket.write(request);
    if (!QTest::qWaitFor([&] { return socket.state() == QAbstractSocket::UnconnectedState; },
                         10000))
        return "no end";
    return answer;
}

} // namespace

class tst_pageproxy : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        if (qEnvironmentVariableIsSet(NoNamespace))
            QSKIP(
                QByteArray("no network namespace of its own: " + qgetenv(NoNamespace)).constData());
    }

    // By every name and kind of request, a page reaches nothing on this computer, and not
    // even a connection is opened; the proxy's refusal is what the page shows instead.
    void namesOfThisComputerReachNothing()
    {
        Listener trap(QHostAddress::LocalHost, false);
        Listener trap6(QHostAddress::LocalHostIPv6, false);
        for (const QByteArray &base :
             {"http://local.example:" + trap.port(), "http://local6.example:" + trap6.port()}) {
            BinderFixture f;
            auto binder = f.open(f.makeBinder(
                "local.qly", {{"script.html", reachingPage(base)},
                              {"refresh.html",
                               "<meta http-equiv=refresh content='0; url=" + base + "/refresh'>"},
                              {"3.html", "<a id=go href='" + base + "/link'>go</a>"}}));
            WebViewer viewer(f);
            int position = 0;
            for (const char *path : {"/navigate", "/refresh", "/link"}) {
                binder->setCurrentPosition(++position);
                QVERIFY(viewer.show(*binder) || qstrcmp(path, "/refresh") == 0);
                QWebEnginePage *page = enginePage(viewer.pane);
                if (qstrcmp(path, "/link") == 0)
                    viewer.click("go");
                const QUrl target(QString::fromLatin1(base + path));
                QTRY_COMPARE_WITH_TIMEOUT(page->url(), target, 10000);
                QTRY_VERIFY_WITH_TIMEOUT(pageText(page).contains("may not reach"), 10000);
            }
        }
        QTest::qWait(500);
        QCOMPARE(trap.connections, 0);
        QCOMPARE(trap6.connections, 0);
    }

    // A public server is reached through the proxy, by http and through a tunnel, at the
    // address the proxy judged, and never sees the proxy's secret.
    void publicServersAreReachedThroughTheProxy()
    {
        Listener server{QHostAddress(QString::fromLatin1(PublicStandIn)), true};
        const QByteArray host = "public.example:" + server.port();
        BinderFixture f;
        auto binder =
            f.open(f.makeBinder("public.qly", {{"public.html", "<img id=pic src='http://" + host +
                                                                   "/pic.gif'>"
                                                                   "<script>fetch('https://" +
                                                                   host + "/')</script>"}}));
        binder->setCurrentPosition(1);
        WebViewer viewer(f);
        QVERIFY(viewer.show(*binder));
        QTRY_COMPARE(viewer.evaluate("document.getElementById('pic').naturalWidth").toInt(), 1);
        QVERIFY(server.received.contains("GET /pic.gif HTTP/1.1"));
        // The start of a TLS handshake, through the tunnel.
        QTRY_VERIFY(server.received.contains("\x16\x03"));
        QVERIFY(!server.received.toLower().contains("proxy-"));
    }

    // Only the browser, which is told the secret, may use the proxy.
    void theProxyServesOnlyThoseWithItsSecret()
    {
        Listener server{QHostAddress(QString::fromLatin1(PublicStandIn)), true};
        Listener trap(QHostAddress::LocalHost, false);
        PageProxy proxy;
        const ProxyAccess &access = proxy.access();
        QVERIFY(access.port != 0);
        QVERIFY(access.secret.size() >= 40);
        const QByteArray target = "http://public.example:" + server.port() + "/pic.gif";
        ProxyAccess stranger = access;
        stranger.secret[0] = stranger.secret[0] == u'a' ? u'b' : u'a';
        for (const ProxyAccess &who : {ProxyAccess{}, stranger})
            QVERIFY(
                proxyAnswer(access.port, proxyRequest(target, who)).startsWith("HTTP/1.1 407 "));
        QCOMPARE(server.connections, 0);
        QVERIFY(proxyAnswer(access.port, proxyRequest(target, access)).endsWith(OnePixelGif));
        QCOMPARE(server.connections, 1);
        QVERIFY(
            proxyAnswer(access.port, proxyRequest("http://local.example:" + trap.port(), access))
                .startsWith("HTTP/1.1 403 "));
        QCOMPARE(trap.connections, 0);
        QVERIFY(!PageProxy().access().secret.isEmpty());
        QVERIFY(PageProxy().access().secret != access.secret);
    }

    // What the proxy makes of the engine's request heads, and of heads no engine sends.
    void requestHeadsAreReadStrictly()
    {
        const std::optional<ProxyRequest> plain = readProxyRequest(
            "POST http://Example.org:8080/a?b HTTP/1.1\r\nHost: example.org\r\n"
            "Proxy-Authorization: Basic c2VjcmV0\r\nConnection: keep-alive, X-Hop\r\n"
            "X-Hop: 1\r\nProxy-Connection: keep-alive\r\nContent-Length: 3\r\n\r\n");
        QVERIFY(plain);
        QVERIFY(!plain->tunnel);
        QCOMPARE(plain->host, QString("Example.org"));
        QCOMPARE(plain->port, 8080);
        QCOMPARE(plain->authorization, QByteArray("Basic c2VjcmV0"));
        // The origin never sees the secret or what concerned the hop to the proxy.
        QCOMPARE(plain->originHead, QByteArray("POST /a?b HTTP/1.1\r\nHost: example.org\r\n"
                                               "Content-Length: 3\r\nConnection: close\r\n\r\n"));

        const std::optional<ProxyRequest> tunnel =
            readProxyRequest("CONNECT [2001:4860::1]:443 HTTP/1.1\r\nHost: x\r\n\r\n");
        QVERIFY(tunnel && tunnel->tunnel);
        QCOMPARE(tunnel->host, QString("2001:4860::1"));
        QCOMPARE(tunnel->port, 443);
        QCOMPARE(readProxyRequest("GET http://example.org HTTP/1.1\r\n\r\n")->originHead,
                 QByteArray("GET / HTTP/1.1\r\nConnection: close\r\n\r\n"));

        for (const char *head :
             {"GET https://example.org/ HTTP/1.1\r\n\r\n",
              "GET ftp://example.org/ HTTP/1.1\r\n\r\n",
              "GET http://user@127.0.0.1@example.org/ HTTP/1.1\r\n\r\n",
              "GET http://example.org:0/ HTTP/1.1\r\n\r\n",
              "GET http://example.org:65536/ HTTP/1.1\r\n\r\n",
              "GET http://example.org:+80/ HTTP/1.1\r\n\r\n",
              "GET http://exa mple.org/ HTTP/1.1\r\n\r\n",
              "GET http://ex%61mple.org/ HTTP/1.1\r\n\r\n", "CONNECT example.org HTTP/1.1\r\n\r\n",
              "CONNECT [::1 HTTP/1.1\r\n\r\n", "GET http://example.org/ HTTP/2\r\n\r\n",
              "GET http://example.org/ HTTP/1.1\r\nX: a\r\n folded\r\n\r\n",
              "GET http://example.org/ HTTP/1.1\r\nBad Name: a\r\n\r\n"})
            QVERIFY2(!readProxyRequest(head), head);

        // The engine never reuses a connection that leads to one site for another.
        QCOMPARE(
            closingResponseHead("HTTP/1.1 200 OK\r\nConnection: keep-alive, X-Hop\r\n"
                                "X-Hop: 1\r\nKeep-Alive: timeout=5\r\nContent-Length: 2\r\n\r\n"),
            QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n"
                       "Proxy-Connection: close\r\n\r\n"));
        QCOMPARE(responseStatus("HTTP/1.1 101 Switching Protocols\r\n\r\n"), 101);
        for (const char *head :
             {"HTTP/1.1 2000 OK\r\n\r\n", "ICY 200 OK\r\n\r\n", "HTTP/1.1 099\r\n"})
            QVERIFY2(responseStatus(head) == 0, head);
    }
};

// Runs the tests again inside a user and network namespace of their own, where the hosts
// file is the test's; where no namespace can be made, the tests that need one say why.
int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet(InNamespace) && !qEnvironmentVariableIsSet(NoNamespace)) {
        QCoreApplication app(argc, argv);
        QTemporaryDir dir;
        const QString hosts = dir.filePath(QStringLiteral("hosts"));
        QFile file(hosts);
        if (!file.open(QIODevice::WriteOnly) || file.write(Hosts) != Hosts.size())
            return 1;
        file.close();
        QStringList arguments = QCoreApplication::arguments();
        const QString self = arguments.takeFirst();
        const QStringList setUp = {QStringLiteral("-rnm"), QStringLiteral("sh"),
                                   QStringLiteral("-ec"),
                                   QStringLiteral("ip link set lo up; ip addr add %1/32 dev lo; "
                                                  "mount --bind \"$0\" /etc/hosts; exec \"$@\"")
                                       .arg(QLatin1String(PublicStandIn)),
                                   hosts};
        QProcess probe;
        probe.start(QStringLiteral("unshare"), setUp + QStringList{QStringLiteral("true")});
        probe.waitForFinished(10000);
        if (probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0) {
            qputenv(InNamespace, "1");
        } else {
            const QByteArray why = probe.error() == QProcess::FailedToStart
                                       ? QByteArray("unshare is not installed")
                                       : probe.readAllStandardError().trimmed();
            qputenv(NoNamespace, why.isEmpty() ? QByteArray("unshare failed") : why);
        }
        QProcess run;
        run.setProcessChannelMode(QProcess::ForwardedChannels);
        if (qEnvironmentVariableIsSet(InNamespace))
            run.start(QStringLiteral("unshare"), setUp + QStringList{self} + arguments);
        else
            run.start(self, arguments);
        run.waitForFinished(-1);
        return run.exitStatus() == QProcess::NormalExit ? run.exitCode() : 1;
    }
    QApplication app(argc, argv);
    tst_pageproxy test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pageproxy.moc"
