// SPDX-License-Identifier: GPL-3.0-or-later
// The page proxy, tried with the real browser in a network namespace of the test's own: only
// loopback, a hosts file of the test's own, and a stand-in for a public server on an address
// of the internet that no packet can leave the namespace for.
#include "BinderFixture.h"
#include "documents/Binder.h"
#include "documents/BinderFormat.h"
#include "web/WebViewer.h"
#include "window/PageDisplay.h"
#include "window/PageProxy.h"
#include "window/ProxyRequest.h"
#include "window/RemoteContent.h"

#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
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

QByteArray basicAuthorization(const ProxyAccess &access)
{
    return "Basic " + (access.user + u':' + access.secret).toUtf8().toBase64();
}

// A request of the engine's kind, as the proxy is sent it.
QByteArray proxyRequest(const QByteArray &url, const QByteArray &authorization)
{
    QByteArray head = "GET " + url + " HTTP/1.1\r\nHost: x\r\n";
    if (!authorization.isEmpty())
        head += "Proxy-Authorization: " + authorization + "\r\n";
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
        if (qEnvironmentVariableIsSet(NoNamespace) &&
            QByteArray(QTest::currentTestFunction()).startsWith("network"))
            QSKIP(
                QByteArray("no network namespace of its own: " + qgetenv(NoNamespace)).constData());
    }

    // By every name and kind of request, a page reaches nothing on this computer, and not
    // even a connection is opened; the proxy's refusal is what the page shows instead.
    void networkNamesOfThisComputerReachNothing()
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
            viewer.pane.setRemoteContent(RemoteContent::Always);
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
    void networkPublicServersAreReachedThroughTheProxy()
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
        viewer.pane.setRemoteContent(RemoteContent::Always);
        QVERIFY(viewer.show(*binder));
        QTRY_COMPARE(viewer.evaluate("document.getElementById('pic').naturalWidth").toInt(), 1);
        QVERIFY(server.received.contains("GET /pic.gif HTTP/1.1"));
        // The start of a TLS handshake, through the tunnel.
        QTRY_VERIFY(server.received.contains("\x16\x03"));
        QVERIFY(!server.received.toLower().contains("proxy-"));
    }

    // A page loads nothing from the network until the user allows it, for the page or its
    // binder; the bar that asks pushes the page down. A page that goes to the web, on its own
    // or by a link, waits the same way, and goes there once allowed.
    void networkRemoteContentWaitsForTheUser()
    {
        Listener server{QHostAddress(QString::fromLatin1(PublicStandIn)), true};
        const QByteArray site = "http://public.example:" + server.port();
        const QByteArray picture = "<p>top</p><img id=pic src='" + site + "/pic.gif'>";
        BinderFixture f;
        auto binder = f.open(
            f.makeBinder("remote.qly", {{"1.html", picture},
                                        {"2.html", "<script>setTimeout(() => location.href = '" +
                                                       site + "/away', 200)</script>"},
                                        {"3.html", "<a id=go href='" + site + "/go'>go</a>"}}));
        WebViewer viewer(f);
        RemoteContentBar *bar = viewer.pane.remoteContentBar();
        QSignalSpy forBinder(&viewer.pane, &ViewerPane::remoteContentAllowedForBinder);
        const auto picWidth = [&viewer] {
            return viewer.evaluate("document.getElementById('pic').naturalWidth").toInt();
        };
        const auto show = [&](int position, RemoteContent choice) {
            binder->setCurrentPosition(position);
            viewer.pane.setRemoteContent(choice);
            return viewer.show(*binder);
        };
        const auto allow = [bar](const char *button) {
            bar->findChild<QPushButton *>(QLatin1String(button))->click();
        };

        QVERIFY(show(1, RemoteContent::Ask));
        QTRY_COMPARE(bar->text(), QString("This page wants to load content from public.example."));
        QWidget *page = viewer.pane.browser()->widget();
        QCOMPARE(page->y(), bar->height());
        QCOMPARE(page->height(), viewer.pane.height() - bar->height());
        QCOMPARE(server.connections, 0);
        allow("cmdAllowOnce");
        QTRY_COMPARE(picWidth(), 1);
        QVERIFY(bar->isHidden());
        QCOMPARE(page->y(), 0);
        QCOMPARE(forBinder.size(), 0);

        // Once is for the page shown only.
        const int connections = server.connections;
        QVERIFY(show(2, RemoteContent::Ask));
        QTRY_VERIFY(!bar->text().isEmpty());
        QTest::qWait(300);
        QCOMPARE(enginePage(viewer.pane)->url(), placeholderUrl());
        QCOMPARE(server.connections, connections);
        allow("cmdAllowBinder");
        QCOMPARE(forBinder.size(), 1);
        QTRY_VERIFY(server.received.contains("GET /away HTTP/1.1"));

        QVERIFY(show(3, RemoteContent::Ask));
        viewer.click("go");
        QTRY_VERIFY(!bar->text().isEmpty());
        QVERIFY(!server.received.contains("GET /go HTTP/1.1"));
        allow("cmdAllowOnce");
        QTRY_VERIFY(server.received.contains("GET /go HTTP/1.1"));

        // Never asks nothing and loads nothing, whatever the binder allows, and says why a
        // link is not followed.
        binder->setRecord(RecordKey::RemoteContent, "Allow");
        const int before = server.connections;
        QVERIFY(show(1, RemoteContent::Never));
        QVERIFY(show(3, RemoteContent::Never));
        viewer.click("go");
        QTRY_VERIFY(viewer.pane.notice().contains("pages load nothing from the network"));
        QVERIFY(bar->text().isEmpty());
        QCOMPARE(server.connections, before);
        QVERIFY(show(1, RemoteContent::Always));
        QTRY_COMPARE(picWidth(), 1);
        QVERIFY(bar->text().isEmpty());
    }

    // Allowed for a binder, its pages load without asking; allowed once, only that page.
    void remoteContentDecisions()
    {
        InfoRecords plain;
        InfoRecords allowed;
        allowed.write(RecordKey::RemoteContent, "Allow");
        InfoRecords other;
        other.write(RecordKey::RemoteContent, "allow");
        for (const bool once : {false, true}) {
            QCOMPARE(remoteContentAllowed(RemoteContent::Ask, plain, once), once);
            QVERIFY(remoteContentAllowed(RemoteContent::Ask, allowed, once));
            QCOMPARE(remoteContentAllowed(RemoteContent::Ask, other, once), once);
            QVERIFY(remoteContentAllowed(RemoteContent::Always, plain, once));
            QVERIFY(!remoteContentAllowed(RemoteContent::Never, allowed, once));
        }
        for (const char *url :
             {"http://a.example/", "https://a.example/", "ws://a.example/", "WSS://a.example/"})
            QVERIFY2(isRemoteAddress(QUrl(QLatin1String(url))), url);
        for (const char *url : {"quillery:/x.gif", "data:text/plain,x", "about:blank",
                                "blob:quillery:/1", "file:///etc/passwd"})
            QVERIFY2(!isRemoteAddress(QUrl(QLatin1String(url))), url);

        // The bar names a few sites, counts the rest, and cuts a long name short.
        QWidget parent;
        RemoteContentBar bar(&parent);
        for (const char *host :
             {"a.example", "b.example", "a.example", "c.example", "d.example", "e.example"})
            bar.addHost(QLatin1String(host));
        QCOMPARE(bar.text(), QString("This page wants to load content from a.example, "
                                     "b.example, c.example and 2 other sites."));
        bar.clear();
        QVERIFY(bar.text().isEmpty());
        bar.addHost(QString(500, u'x'));
        QVERIFY(bar.text().contains(QString(77, u'x') + "..."));
        QVERIFY(!bar.text().contains(QString(78, u'x')));
    }

    // Only the browser, which is told the secret, may use the proxy.
    void networkProxyServesOnlyThoseWithItsSecret()
    {
        Listener server{QHostAddress(QString::fromLatin1(PublicStandIn)), true};
        Listener trap(QHostAddress::LocalHost, false);
        PageProxy proxy;
        const ProxyAccess &access = proxy.access();
        QVERIFY(access.port != 0);
        QVERIFY(access.secret.size() >= 40);
        const QByteArray target = "http://public.example:" + server.port() + "/pic.gif";
        const QByteArray right = basicAuthorization(access);
        QByteArray oneBitOff = right;
        oneBitOff[6] = char(oneBitOff[6] ^ 1);
        for (const QByteArray &wrong : {QByteArray(), oneBitOff, right.chopped(1)})
            QVERIFY2(
                proxyAnswer(access.port, proxyRequest(target, wrong)).startsWith("HTTP/1.1 407 "),
                wrong);
        QCOMPARE(server.connections, 0);
        QVERIFY(proxyAnswer(access.port, proxyRequest(target, right)).endsWith(OnePixelGif));
        QCOMPARE(server.connections, 1);
        QVERIFY(proxyAnswer(access.port, proxyRequest("http://local.example:" + trap.port(), right))
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
