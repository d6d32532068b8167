// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "TestSupport.h"
#include "documents/PageKind.h"
#include "platform_ui/RichTextBox.h"
#include "web/WebViewer.h"
#include "window/BrowserView.h"
#include "window/PageAddresses.h"
#include "window/PageDisplay.h"
#include "window/ViewerPane.h"

#include <QDesktopServices>
#include <QFile>
#include <QHostAddress>
#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QUdpSocket>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>

using namespace quillery;
using namespace quillery::test;

namespace {

constexpr char Secret[] = "secret-7f3a9c";
const QByteArray OnePixelGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00!\xf9"
                             "\x04\x01\x00\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02"
                             "\x02D\x01\x00;",
                             43);

// What pages report on the console with report(tag, data), as "tag data": the one way a
// page here can report, as the web engine logs a page's console errors under "js".
struct ConsoleLog
{
    ConsoleLog()
    {
        reports.clear();
        previous = qInstallMessageHandler(&ConsoleLog::handle);
    }
    ~ConsoleLog() { qInstallMessageHandler(previous); }

    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &text)
    {
        if (qstrcmp(context.category, "js") == 0 && text.startsWith(u"report "))
            reports << text.mid(7);
        previous(type, context, text);
    }
    static inline QStringList reports;
    static inline QtMessageHandler previous = nullptr;
};

// A stand-in for any service on this computer: it counts whatever reaches it. Pages must
// never reach it, so it never has to answer.
struct Trap
{
    Trap()
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

const QByteArray Report = "function report(tag, data) { console.error('report ' + tag + ' ' + "
                          "String(data)); }\n";

// A page that tries every way we know of to read local files and its own folders, and
// reports whatever it gets; it always reports that it ran.
QByteArray fileReadingPage(const QString &tempPath)
{
    QByteArray page = R"(<html><body><script>@REPORT@
async function tryFetch(tag, url) {
  try { const r = await fetch(url); report(tag, await r.text()); } catch (e) {}
}
function tryXhr(tag, url) {
  try { const x = new XMLHttpRequest(); x.open('GET', url, false); x.send();
        if (x.responseText) report(tag, x.responseText); } catch (e) {}
}
function tryFrame(tag, url) {
  const f = document.createElement('iframe'); f.src = url;
  f.onload = () => { try { report(tag, f.contentDocument.body.innerText); } catch (e) {} };
  document.body.appendChild(f);
}
for (const [tag, url] of [['hostname', 'file:///etc/hostname'],
    ['secret', 'file://@TEMP@/secret.txt'], ['temp', 'file://@TEMP@/'], ['own', './'],
    ['parent', '../'], ['root', '/']]) {
  tryFetch('fetch-' + tag, url); tryXhr('xhr-' + tag, url); tryFrame('frame-' + tag, url);
}
if (window.open('about:blank')) report('window', 1);
report('alive', 1);
</script></body></html>)";
    return page.replace("@REPORT@", Report).replace("@TEMP@", tempPath.toUtf8());
}

// A name other than "localhost" that this computer's hosts file gives a loopback address
// (Debian gives one to the computer's own name), or "" when there is none.
QByteArray loopbackAlias()
{
    QFile hosts(QStringLiteral("/etc/hosts"));
    if (!hosts.open(QIODevice::ReadOnly))
        return {};
    while (!hosts.atEnd()) {
        const QList<QByteArray> fields = hosts.readLine().simplified().split(' ');
        if (fields.size() < 2 || !fields[0].startsWith("127."))
            continue;
        for (const QByteArray &name : fields.mid(1)) {
            if (!name.startsWith('#') && !name.toLower().contains("localhost"))
                return name;
        }
    }
    return {};
}

// A page that tries to reach the trap by every way a page sends something: by literal
// addresses in several spellings and by "localhost", and the second trap by a name that
// resolves to it. It also tries WebRTC in its own frame and in frames of other kinds; a
// peer connection it manages to make is reported.
QByteArray localReachingPage(const Trap &trap, const Trap &named)
{
    const QByteArray tcp = QByteArray::number(trap.tcp.serverPort());
    QByteArrayList bases;
    for (const char *host : {"127.0.0.1", "127.1", "2130706433", "0x7f000001", "localhost",
                             "a.localhost", "[::ffff:127.0.0.1]"})
        bases << "'http://" + QByteArray(host) + ':' + tcp + "/'";
    if (const QByteArray alias = loopbackAlias(); !alias.isEmpty())
        bases << "'http://" + alias + ':' + QByteArray::number(named.tcp.serverPort()) + "/'";
    QByteArray page = R"(<html><head></head><body><iframe name=sink></iframe><script>
for (const base of [@BASES@]) {
  fetch(base + 'fetch', {mode: 'no-cors'}).catch(() => {});
  navigator.sendBeacon(base + 'beacon', 'x');
  new Image().src = base + 'image';
  const script = document.createElement('script'); script.src = base + 'script';
  document.head.appendChild(script);
  for (const rel of ['stylesheet', 'prefetch', 'preconnect']) {
    const link = document.createElement('link'); link.rel = rel; link.href = base + rel;
    document.head.appendChild(link);
  }
  const frame = document.createElement('iframe'); frame.src = base + 'frame';
  document.body.appendChild(frame);
  const form = document.createElement('form'); form.method = 'post';
  form.action = base + 'form'; form.target = 'sink';
  document.body.appendChild(form); form.submit();
  try { new WebSocket(base.replace('http', 'ws') + 'ws'); } catch (e) {}
  try { new EventSource(base + 'events'); } catch (e) {}
}
const makePeer = `function peer(P, tag) { try {
  const pc = new P({iceServers: [{urls: 'stun:127.0.0.1:@UDP@'},
    {urls: 'turn:127.0.0.1:@TCP@?transport=tcp', username: 'u', credential: 'c'}]});
  pc.createDataChannel('x'); pc.createOffer().then(o => pc.setLocalDescription(o));
  console.error('report peer ' + tag);
} catch (e) {} }`;
eval(makePeer);
peer(window.RTCPeerConnection, 'main');
peer(window.webkitRTCPeerConnection, 'webkit');
for (const attr of ['src', 'srcdoc']) {
  const frame = document.createElement('iframe');
  const body = '<script>' + makePeer + '; peer(window.RTCPeerConnection, "' + attr + '")</' + 'script>';
  frame[attr] = attr == 'src' ? 'data:text/html,' + encodeURIComponent(body) : body;
  document.body.appendChild(frame);
}
console.error('report alive 1');
</script></body></html>)";
    return page.replace("@BASES@", bases.join(", "))
        .replace("@TCP@", tcp)
        .replace("@UDP@", QByteArray::number(trap.udp.localPort()));
}

// A page that makes frames by every way we know of and reports each frame whose window has
// peer connections, the moment it can reach it; it always reports that it ran.
const QByteArray FrameMakingPage = R"(<html><body><div id=holder></div><div id=host></div><script>
@REPORT@
function check(tag, win) {
  for (const name of ['RTCPeerConnection', 'webkitRTCPeerConnection'])
    if (win && typeof win[name] == 'function') report('peer', tag + ' ' + name);
}
const appended = document.createElement('iframe');
document.body.appendChild(appended);
check('appended', appended.contentWindow);
check('indexed', window[window.length - 1]);
document.getElementById('holder').innerHTML = '<iframe name=named></iframe>';
check('innerHTML', window.named);
const nested = appended.contentDocument.createElement('iframe');
appended.contentDocument.body.appendChild(nested);
check('nested', nested.contentWindow);
const inner = appended.contentWindow.document.createElement('div');
inner.innerHTML = '<iframe></iframe><object data="about:blank"></object>';
appended.contentDocument.body.appendChild(inner);
check('nested-subtree', appended.contentWindow[appended.contentWindow.length - 1]);
const shadow = document.getElementById('host').attachShadow({mode: 'open'});
shadow.innerHTML = '<iframe></iframe>';
check('shadow', shadow.firstChild.contentWindow);
document.write('<iframe id=written></iframe>');
check('written', document.getElementById('written').contentWindow);
const resrc = document.createElement('iframe');
resrc.name = 'resrcFrame';
document.body.appendChild(resrc);
resrc.src = 'about:blank';
check('resrc', resrc.contentWindow);
resrc.onload = () => { check('resrc-loaded', window['resrcFrame']); report('alive', 1); };
appended.contentDocument.open();
appended.contentDocument.write('<p>rewritten</p>');
appended.contentDocument.close();
check('reopened', appended.contentWindow);
const detached = document.createElement('iframe');
const fragment = document.createDocumentFragment();
fragment.appendChild(detached);
document.body.appendChild(fragment);
check('fragment', detached.contentWindow);
</script></body></html>)";

// Gives a page another kind and name, as a binder made elsewhere may have them.
void retype(Binder &binder, int row, PageKind kind, const QString &name)
{
    PageRow page = binder.pages().at(row);
    page.key.kind = StoredKind(kind);
    page.name = name;
    binder.updatePage(row + 1, page);
}

// Stands in for the desktop's opener: records what the program hands it.
class Opener : public QObject
{
    Q_OBJECT
public:
    explicit Opener(const QStringList &schemes) : m_schemes(schemes)
    {
        for (const QString &scheme : m_schemes)
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~Opener() override
    {
        for (const QString &scheme : m_schemes)
            QDesktopServices::unsetUrlHandler(scheme);
    }
    Q_INVOKABLE void open(const QUrl &url) { opened << url; }

    QList<QUrl> opened;

private:
    QStringList m_schemes;
};

// A desktop where one program opens mail and file share addresses, and nothing else.
void installMailProgram(const QTemporaryDir &dir)
{
    writeFile(dir.filePath("data/applications/mail.desktop"),
              "[Desktop Entry]\nType=Application\nName=Mail Reader\nExec=/bin/true %u\n"
              "MimeType=x-scheme-handler/mailto;x-scheme-handler/smb;\n");
    qputenv("XDG_DATA_HOME", dir.filePath("data").toUtf8());
    qputenv("XDG_DATA_DIRS", dir.filePath("none").toUtf8());
    qputenv("XDG_CONFIG_HOME", dir.filePath("config").toUtf8());
    qputenv("XDG_CONFIG_DIRS", dir.filePath("none").toUtf8());
}

// The viewer, with a file beside the binder that hostile pages try to read, and a binder of
// the given pages, its first page current.
struct Viewer : WebViewer
{
    Viewer(BinderFixture &f, const QList<QPair<QString, QByteArray>> &pages)
        : WebViewer(f), binder(f.open(f.makeBinder("page.qly", pages)))
    {
        writeFile(f.temp->filePath("secret.txt"), Secret);
        binder->setCurrentPosition(1);
    }
    std::unique_ptr<Binder> binder;
};

} // namespace

class tst_viewersafety : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pagesLoadOnlyTheirOwnAndThePublicWeb()
    {
        for (const char *url : {"quillery:/Tmp.htm", "about:blank", "about:srcdoc",
                                "data:text/css,x", "blob:quillery:/1234"})
            QVERIFY2(pageMayLoad(QUrl(QLatin1String(url)), true) &&
                         pageMayLoad(QUrl(QLatin1String(url)), false),
                     url);
        for (const char *url : {"http://example.org/a.png", "https://example.org/"}) {
            QVERIFY2(pageMayLoad(QUrl(QLatin1String(url)), false), url);
            QVERIFY2(!pageMayLoad(QUrl(QLatin1String(url)), true), url);
        }
        for (const char *url : {"http://127.0.0.1/", "http://[::1]:8080/", "ws://example.org/",
                                "file:///etc/passwd", "chrome://crash", "about:settings",
                                "javascript:alert(1)", "filesystem:http://example.org/x"})
            QVERIFY2(!pageMayLoad(QUrl(QLatin1String(url)), false), url);

        QCOMPARE(linkTarget(QUrl("https://example.org/"), false), LinkTarget::Web);
        QCOMPARE(linkTarget(QUrl("https://example.org/"), true), LinkTarget::Offline);
        QCOMPARE(linkTarget(QUrl("mailto:a@b.c"), false), LinkTarget::OtherProgram);
        QCOMPARE(linkTarget(QUrl("smb://example.org/x"), true), LinkTarget::Offline);
        QCOMPARE(linkTarget(QUrl("http://10.0.0.1/"), false), LinkTarget::LocalNetwork);
        for (const char *url :
             {"chrome://inducebrowsercrashforrealz", "javascript:alert(1)", "data:text/html,x",
              "file:///etc/passwd", "quillery:/Tmp.htm", "http:///x", "x"})
            QVERIFY2(linkTarget(QUrl(QLatin1String(url)), false) == LinkTarget::Never, url);

        // An address is shown whole up to 300 characters, and cut short after.
        const QString fits = "https://example.org/" + QString(280, u'a');
        QCOMPARE(shownAddress(QUrl(fits)), fits);
        QCOMPARE(shownAddress(QUrl(fits + "b")), fits + "...");
    }

    void hostilePageReachesNoLocalFile()
    {
        BinderFixture f;
        ConsoleLog console;
        Viewer viewer(f, {{"evil.html", fileReadingPage(f.temp->path())}});
        QVERIFY(viewer.show(*viewer.binder));
        // The channel works, so silence below means nothing was found, not nothing sent.
        QTRY_VERIFY_WITH_TIMEOUT(console.reports.contains("alive 1"), 20000);
        QTest::qWait(1500);
        QCOMPARE(console.reports, QStringList("alive 1"));
        // The browser keeps nothing on disk, and little of what pages fetch in memory.
        const QWebEngineProfile *profile = enginePage(viewer.pane)->profile();
        QVERIFY(profile->isOffTheRecord());
        QCOMPARE(profile->httpCacheType(), QWebEngineProfile::MemoryHttpCache);
        QCOMPARE(profile->httpCacheMaximumSize(), 2 * 1024 * 1024);
    }

    // Working offline, the page's script never runs and it sends nothing at all.
    void pageReachesNothingOnThisComputer()
    {
        for (const bool offline : {false, true}) {
            BinderFixture f;
            ConsoleLog console;
            Trap trap;
            Trap named;
            Viewer viewer(f, {{"evil.html", localReachingPage(trap, named)}});
            viewer.pane.setOffline(offline);
            QVERIFY(viewer.show(*viewer.binder));
            if (!offline)
                QTRY_VERIFY_WITH_TIMEOUT(console.reports.contains("alive 1"), 20000);
            QTest::qWait(offline ? 3000 : 1500);
            QCOMPARE(console.reports, offline ? QStringList() : QStringList("alive 1"));
            QCOMPARE(trap.connections, 0);
            QCOMPARE(trap.datagrams, 0);
            // A name that resolves to this computer is not even connected to.
            QCOMPARE(named.connections, 0);
        }
        // The engine's limits do not stay in the environment of the programs this one starts.
        QCOMPARE(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"), QByteArray());
    }

    // Peer connections are taken from every frame before a page can reach it, including
    // blank frames a script makes, which run nothing of their own.
    void noFrameHasPeerConnections()
    {
        BinderFixture f;
        ConsoleLog console;
        Viewer viewer(f,
                      {{"frames.html", QByteArray(FrameMakingPage).replace("@REPORT@", Report)}});
        QVERIFY(viewer.show(*viewer.binder));
        QTRY_VERIFY_WITH_TIMEOUT(console.reports.contains("alive 1"), 20000);
        QCOMPARE(console.reports, QStringList("alive 1"));
    }

    // A link to javascript: does nothing when clicked, however it is written or disguised.
    void scriptLinksDoNothing()
    {
        BinderFixture f;
        ConsoleLog console;
        const QByteArray page =
            "<script>" + Report +
            "</script><style>a, img, svg, button { display: block; margin: 4px }</style>"
            "<a id=plain href=\"javascript:report('plain', 1)\">plain</a>"
            "<a id=spelt href=\" JaVa&#9;Script:report('spelt', 1)\">spelt</a>"
            "<a href=\"javascript:report('inner', 1)\"><span id=inner>inner</span></a>"
            "<a id=disguised href=\"javascript:report('disguised', 1)\">disguised</a>"
            "<svg width=60 height=20><a href=\"javascript:report('svg', 1)\">"
            "<rect id=svg width=60 height=20 fill=blue /></a></svg>"
            "<img id=area usemap=#m width=40 height=40 src='data:image/gif;base64," +
            OnePixelGif.toBase64() +
            "'><map name=m><area shape=rect coords=0,0,40,40 "
            "href=\"javascript:report('area', 1)\"></map>"
            "<button id=control onclick=\"report('control', 1)\">control</button><script>"
            "Object.setPrototypeOf(document.getElementById('disguised'), "
            "HTMLSpanElement.prototype);</script>";
        Viewer viewer(f, {{"links.html", page}});
        QVERIFY(viewer.show(*viewer.binder));
        for (const char *id : {"plain", "spelt", "inner", "disguised", "svg", "area", "control"})
            viewer.click(id);
        QTRY_VERIFY(console.reports.contains("control 1"));
        QTest::qWait(500);
        QCOMPARE(console.reports, QStringList("control 1"));
    }

    void filePageNamedLikeWebContentIsNeverRun()
    {
        BinderFixture f;
        ConsoleLog console;
        Viewer viewer(f, {{"x.html", fileReadingPage(f.temp->path())}});
        retype(*viewer.binder, 0, PageKind::FILE, QStringLiteral("x.html"));
        QVERIFY(viewer.show(*viewer.binder));
        QString text;
        enginePage(viewer.pane)->toPlainText([&text](const QString &t) { text = t; });
        QTRY_VERIFY(text.contains("Use Edit Page"));
        QVERIFY(text.contains("x.html"));
        QTest::qWait(1500);
        QVERIFY(console.reports.isEmpty());
    }

    // A page sees its own pictures and the binder's style sheets, each only from a page of the
    // kind it is asked as, whatever other pages are named.
    void pagesSeeOnlyTheirOwnResources()
    {
        BinderFixture f;
        Viewer viewer(f, {{"Trip.html", "<meta charset=utf-8><img id=own src=\"Trip.gif\">"
                                        "<img id=other src=Other.gif>"
                                        "<img id=spelt src=\"Trip \xc3\xa9t\xc3\xa9.gif\">"},
                          {"Trip.gif", OnePixelGif},
                          {"Other.gif", OnePixelGif},
                          {"style.txt", "body{}"},
                          {"Trip notes.txt", "t"},
                          {"Trip.svg", "<svg/>"},
                          {"notes.rtf", "{\\rtf1 secret}"},
                          {"private.txt", "secret"},
                          {"other.bin", "secret"},
                          {"Trip \xc3\xa9t\xc3\xa9.gif", OnePixelGif}});
        Binder &binder = *viewer.binder;
        retype(binder, 3, PageKind::TXT, QStringLiteral("style.css"));
        retype(binder, 6, PageKind::RTF, QStringLiteral("notes.css"));
        retype(binder, 7, PageKind::TXT, QStringLiteral("Trip secret.gif"));
        retype(binder, 8, PageKind::FILE, QStringLiteral("Trip file.png"));
        QCOMPARE(binder.page(1).name, QString("Trip"));
        const PageContent content = preparePageDisplay(*f.workspace, binder).content;
        const SchemeReply page = content.answer(placeholderUrl().path().mid(1));
        QCOMPARE(page.mimeType, QByteArray("text/html; charset=utf-8"));
        QVERIFY(page.data.contains("Trip.gif"));
        QCOMPARE(content.answer("TRIP.GIF").data, OnePixelGif);
        QCOMPARE(content.answer("TRIP.GIF").mimeType, QByteArray("image/gif"));
        const SchemeReply style = content.answer("style.css");
        QCOMPARE(style.mimeType, QByteArray("text/css"));
        QCOMPARE(style.data, QByteArray("body{}"));
        // Not this page's pictures, not of the kind asked for, or able to run script.
        for (const char *name : {"Other.gif", "Trip notes.txt", "Trip.svg", "notes.css",
                                 "Trip secret.gif", "Trip file.png"})
            QVERIFY2(!content.resource(QLatin1String(name)), name);
        for (const char *name : {"", "../Trip.gif", "Trip.gif/", "sub/Trip.gif", "Trip"})
            QVERIFY2(content.answer(QString::fromUtf8(name)).status ==
                         SchemeReply::Status::NotFound,
                     name);
        // Nothing of the binder is written into the temporary folder for the browser.
        QVERIFY(!QFile::exists(f.temp->filePath("Trip.gif")));
        QVERIFY(!QFile::exists(f.temp->filePath("style.css")));

        QVERIFY(viewer.show(binder));
        QTRY_COMPARE(viewer.evaluate("document.getElementById('own').naturalWidth").toInt(), 1);
        QCOMPARE(viewer.evaluate("document.getElementById('other').naturalWidth").toInt(), 0);
        // A name with a space and letters outside ASCII comes back as it was asked for.
        QTRY_COMPARE(viewer.evaluate("document.getElementById('spelt').naturalWidth").toInt(), 1);

        // A page without a name begins no picture's name.
        retype(binder, 0, PageKind::HTML, QString());
        const PageContent unnamed = preparePageDisplay(*f.workspace, binder).content;
        QVERIFY(!unnamed.resource("Trip.gif") && !unnamed.resource("Other.gif"));
        QVERIFY(unnamed.resource("style.css"));
    }

    // A link to another program's address is never handed to the desktop by a click: the
    // viewer asks, naming the address and the program, and never offline; an address no
    // program opens is refused without asking.
    void linksToOtherProgramsAskFirst()
    {
        BinderFixture f;
        installMailProgram(f.dir);
        Opener opener({"mailto", "smb", "foo-unknown", "https"});
        Viewer viewer(f, {{"links.html",
                           "<a id=mail href='mailto:someone@example.org'>mail</a><br>"
                           "<a id=share href='smb://files.example.org/share'>share</a><br>"
                           "<a id=unknown href='foo-unknown:bar'>unknown</a><br>"
                           "<button id=script onclick=\"location='smb://files.example.org/x'\">"
                           "script</button><br><a id=web href='https://example.org/'>web</a>"}});
        QVERIFY(viewer.show(*viewer.binder));

        f.dialogs.queueMessage(MsgResult::No);
        viewer.click("mail");
        QTRY_COMPARE(f.dialogs.calls().size(), 1);
        QVERIFY(f.dialogs.lastText().contains("mailto:someone@example.org"));
        QVERIFY(f.dialogs.lastText().contains("Mail Reader"));
        f.dialogs.queueMessage(MsgResult::Yes);
        viewer.click("share");
        QTRY_COMPARE(opener.opened, QList<QUrl>{QUrl("smb://files.example.org/share")});
        viewer.click("unknown");
        QTRY_VERIFY(viewer.pane.notice().contains("foo-unknown:"));
        f.dialogs.queueMessage(MsgResult::No);
        viewer.click("script");
        QTRY_COMPARE(f.dialogs.calls().size(), 3);
        QVERIFY(f.dialogs.lastText().contains("smb://files.example.org/x"));

        viewer.pane.setOffline(true);
        QSignalSpy reloaded(enginePage(viewer.pane), &QWebEnginePage::loadFinished);
        QTRY_VERIFY_WITH_TIMEOUT(!reloaded.isEmpty() && reloaded.last().at(0).toBool(), 20000);
        viewer.click("web");
        QTRY_VERIFY(viewer.pane.notice().contains("https://example.org/"));
        QVERIFY(viewer.pane.notice().contains("Work Offline"));
        // The page stays in view with the notice over it.
        QCOMPARE(viewer.pane.browser()->url(), placeholderUrl());
        QCOMPARE(f.dialogs.calls().size(), 3);
        QCOMPARE(opener.opened.size(), 1);
    }

    // Links in text pages go to the web only, by the rule the browser's links follow: the
    // browser's own addresses (one of which ends the whole program), script and local files are
    // never loaded.
    void textPageLinksFollowOnlyTheWeb()
    {
        BinderFixture f;
        auto binder = f.open(f.makeBinder("notes.qly", {{"notes.txt", "see the links"}}));
        binder->setCurrentPosition(1);
        ViewerPane pane(f.dialogs);
        pane.showPage(preparePageDisplay(*f.workspace, *binder), *binder);
        pane.resize(400, 300);
        pane.show();
        QVERIFY(!pane.followLink(QUrl("chrome://inducebrowsercrashforrealz")));
        QVERIFY(pane.notice().contains("follows only web links"));
        // The notice pushes the page down rather than hiding its first lines.
        const QWidget *notice = pane.findChild<QWidget *>("viewerNotice");
        QVERIFY(notice->height() > 0);
        QTRY_COMPARE(pane.textPane()->geometry().top(), notice->geometry().bottom() + 1);
        pane.setOffline(true);
        QVERIFY(!pane.followLink(QUrl("https://example.org/")));
        QVERIFY(pane.notice().contains("Work Offline"));
        QVERIFY(!pane.hasBrowser());
        QCOMPARE(pane.currentWidget(), pane.textPane());
    }

    // Back from a followed link shows the page again, and the window's caption follows.
    void backFromAFollowedLinkBringsThePageBack()
    {
        BinderFixture f;
        Viewer viewer(f, {{"page.html", "<p>here</p>"}});
        QVERIFY(viewer.show(*viewer.binder));
        QSignalSpy captions(&viewer.pane, &ViewerPane::captionSuffixChanged);
        QSignalSpy inView(&viewer.pane, &ViewerPane::pageInView);
        QVERIFY(viewer.pane.followLink(QUrl("https://example.invalid/away")));
        QTRY_VERIFY_WITH_TIMEOUT(!captions.isEmpty(), 20000);
        QCOMPARE(captions.last().at(0).toString(), QString("away"));
        inView.clear();
        viewer.pane.goBack();
        QTRY_VERIFY_WITH_TIMEOUT(!inView.isEmpty(), 20000);
        QCOMPARE(viewer.pane.browser()->url(), placeholderUrl());

        // An address without a file name names itself.
        captions.clear();
        QVERIFY(viewer.pane.followLink(QUrl("https://example.invalid/")));
        QTRY_VERIFY_WITH_TIMEOUT(!captions.isEmpty(), 20000);
        QCOMPARE(captions.last().at(0).toString(), QString("https://example.invalid/"));
    }

    // A crashed page leaves a message until it is shown again. A page cannot send its own
    // address a form, have the browser save a file, or be given the location, camera or
    // microphone (1 is the code of a refusal). Only a secure page may ask for those: one with a
    // web address as its base stands in for a public web page here.
    void crashedPageSaysSoAndGetsNothingButBeingShown()
    {
        BinderFixture f;
        ConsoleLog console;
        Viewer viewer(f, {{"page.html", "<p id=p>still here</p><form id=send method=post "
                                        "action=page.gif></form>"},
                          {"page.gif", OnePixelGif}});
        QVERIFY(viewer.show(*viewer.binder));
        QWebEnginePage *page = enginePage(viewer.pane);
        // The browser itself refuses the address; the test then goes behind its back.
        viewer.pane.browser()->setUrl(QUrl("chrome://crash"));
        QTRY_VERIFY(viewer.pane.notice().contains("follows only web links"));
        page->setUrl(QUrl("chrome://crash"));
        QTRY_VERIFY_WITH_TIMEOUT(viewer.pane.notice().contains("crashed"), 20000);
        QSignalSpy loaded(page, &QWebEnginePage::loadFinished);
        viewer.pane.refresh();
        QVERIFY(loaded.wait(20000));
        QCOMPARE(viewer.evaluate("document.getElementById('p').textContent").toString(),
                 QString("still here"));
        QVERIFY(viewer.pane.notice().isEmpty());
        const QUrl own = page->url();

        // The page's picture is there to be fetched, not sent a form.
        viewer.evaluate("document.getElementById('send').submit()");
        QVERIFY(loaded.wait(20000));
        QCOMPARE(loaded.last().at(0).toBool(), false);
        page->load(own.resolved(QUrl("page.gif")));
        QVERIFY(loaded.wait(20000));
        QVERIFY(loaded.last().at(0).toBool());

        QTemporaryDir downloads;
        page->profile()->setDownloadPath(downloads.path());
        QObject listener;
        QList<QWebEngineDownloadRequest::DownloadState> states;
        QObject::connect(page->profile(), &QWebEngineProfile::downloadRequested, &listener,
                         [&](QWebEngineDownloadRequest *download) { states << download->state(); });
        page->download(own, QStringLiteral("saved.html"));
        QTRY_COMPARE(states.size(), 1);
        QCOMPARE(states.first(), QWebEngineDownloadRequest::DownloadCancelled);

        page->setHtml("<script>" + QString::fromUtf8(Report) +
                          "navigator.geolocation.getCurrentPosition(() => report('location', 0),"
                          " e => report('location', e.code));</script>",
                      QUrl("https://example.org/"));
        QTRY_COMPARE_WITH_TIMEOUT(console.reports, QStringList("location 1"), 20000);
    }
};

QTEST_MAIN(tst_viewersafety)
#include "tst_viewersafety.moc"
