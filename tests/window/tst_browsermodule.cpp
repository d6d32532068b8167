// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "TestSupport.h"

#include "window/BrowserModule.h"
#include "window/PageDisplay.h"
#include "window/ViewerPane.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

using namespace quillery;
using namespace quillery::test;

namespace {

// Whether the web engine's library is mapped into this process; this test does not link it.
bool webEngineLoaded()
{
    return libraryLoaded("libQt6WebEngineCore");
}

const QByteArray Gif("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00!\xf9\x04\x01"
                     "\x00\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02"
                     "D\x01\x00;",
                     43);

int engineReports = 0;
QtMessageHandler testHandler = nullptr;

// Counts, among the messages that reach the terminal, the engine's account of its set-up
// and its complaints that it has no OpenGL, which it does not need for drawing in software.
void noteEngineReport(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (qstrcmp(context.category, "qt.webenginecontext") == 0 ||
        text.contains(QLatin1String("AA_ShareOpenGLContexts")) ||
        text.contains(QLatin1String("graphics backend")))
        ++engineReports;
    testHandler(type, context, text);
}

// The web engine's zygotes that this process started.
int zygotes()
{
    const QByteArray parent = "\nPPid:\t" + QByteArray::number(QCoreApplication::applicationPid());
    int count = 0;
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile status("/proc/" + pid + "/status");
        QFile command("/proc/" + pid + "/cmdline");
        if (status.open(QIODevice::ReadOnly) && status.readAll().contains(parent + '\n') &&
            command.open(QIODevice::ReadOnly) && command.readAll().contains("--type=zygote"))
            ++count;
    }
    return count;
}

} // namespace

class tst_browsermodule : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // No sound server here, whatever the machine has.
    void initTestCase()
    {
        qputenv("PULSE_SERVER", "unix:/nonexistent/quillery-test");
        // Below whatever the program puts between its messages and the terminal.
        testHandler = qInstallMessageHandler(noteEngineReport);
    }
    void cleanup() { setBrowserModuleFolders({}); }
    void missingOrForeignModuleIsReportedNotFatal();
    void moduleOfAnotherInterfaceIsRefused();
    void viewerSaysWhyItCannotShowAPage();
    void schemeAnswersOnlyThePageAndItsResources();
    void webEngineComesOnlyWithTheFirstBrowser();
    void soundThatCannotPlaySaysWhy();
};

// Neither a missing module nor a file of the right name that is no library may crash or
// leave a widget behind; the reason names what was tried.
void tst_browsermodule::missingOrForeignModuleIsReportedNotFatal()
{
    QTemporaryDir empty;
    setBrowserModuleFolders({empty.path()});
    QWidget parent;
    QString error;
    QCOMPARE(makeBrowserView(&parent, {}, {}, error), nullptr);
    QVERIFY2(error.contains(empty.filePath(browserModuleFileName())), qPrintable(error));

    QTemporaryDir hostile;
    QFile fake(hostile.filePath(browserModuleFileName()));
    QVERIFY(fake.open(QIODevice::WriteOnly));
    fake.write("\x7f"
               "ELF but not really a library");
    fake.close();
    setBrowserModuleFolders({hostile.path()});
    error.clear();
    QCOMPARE(makeBrowserView(&parent, {}, {}, error), nullptr);
    QVERIFY2(error.contains(fake.fileName()), qPrintable(error));
    QVERIFY(parent.children().isEmpty());
    QVERIFY(!webEngineLoaded());
}

// A module left from another build would crash at its first call; it is refused instead,
// saying why, and nothing of it but its version runs.
void tst_browsermodule::moduleOfAnotherInterfaceIsRefused()
{
    QTemporaryDir stale;
    const QString planted = stale.filePath(browserModuleFileName());
    QVERIFY(QFile::copy(QStringLiteral(QUILLERY_STALE_BROWSER_MODULE), planted));
    setBrowserModuleFolders({stale.path()});
    QWidget parent;
    QString error;
    QCOMPARE(makeBrowserView(&parent, {}, {}, error), nullptr);
    QVERIFY2(error.contains(planted), qPrintable(error));
    QVERIFY2(error.contains(
                 QStringLiteral("interface 0, this program needs %1").arg(BrowserInterfaceVersion)),
             qPrintable(error));
    QVERIFY(parent.children().isEmpty());
}

void tst_browsermodule::viewerSaysWhyItCannotShowAPage()
{
    BinderFixture f;
    auto binder = f.open(f.makeBinder("page.qly", {{"page.html", "<p>hello</p>"}}));
    binder->setCurIndex(1);
    QTemporaryDir empty;
    setBrowserModuleFolders({empty.path()});
    ViewerPane viewer(f.dialogs);
    viewer.showPage(preparePageDisplay(*f.workspace, *binder), *binder);
    auto *message = qobject_cast<QLabel *>(viewer.currentWidget());
    QVERIFY(message);
    QVERIFY2(message->text().contains(empty.path()), qPrintable(message->text()));
    QVERIFY(!viewer.hasBrowser());
    // What the window does with the browser still does nothing harmful without one.
    viewer.findInBrowser();
    viewer.refresh();
    viewer.goBack();
    viewer.setOffline(true);
    viewer.blankBrowser();
    QVERIFY(!viewer.hasBrowser());
}

void tst_browsermodule::schemeAnswersOnlyThePageAndItsResources()
{
    BinderFixture f;
    auto binder = f.open(f.makeBinder(
        "trip.qly", {{"Trip.html", "<img src=Trip.gif>"}, {"Trip.gif", Gif}, {"Other.gif", Gif}}));
    binder->setCurIndex(1);
    const PageContent content = preparePageDisplay(*f.workspace, *binder).content;

    const SchemeReply page = content.answer(placeholderUrl().path().mid(1));
    QCOMPARE(page.status, SchemeReply::Status::Found);
    QCOMPARE(page.mimeType, QByteArray("text/html; charset=utf-8"));
    QVERIFY(page.data.contains("Trip.gif"));

    const SchemeReply picture = content.answer(QStringLiteral("TRIP.GIF"));
    QCOMPARE(picture.status, SchemeReply::Status::Found);
    QCOMPARE(picture.mimeType, QByteArray("image/gif"));
    QCOMPARE(picture.data, Gif);

    for (const char *name : {"Other.gif", "", "/", "../Trip.gif", "./Trip.gif", "Trip.gif/",
                             "sub/Trip.gif", "Trip.html", "Trip"})
        QVERIFY2(content.answer(QString::fromUtf8(name)).status == SchemeReply::Status::NotFound,
                 name);
}

// Text pages never load the web engine; the first page that needs the browser loads it
// and the page arrives through the page scheme.
void tst_browsermodule::webEngineComesOnlyWithTheFirstBrowser()
{
    BinderFixture f;
    auto binder = f.open(f.makeBinder(
        "mixed.qly",
        {{"notes.txt", "text"}, {"Trip.html", "<img id=own src=Trip.gif>"}, {"Trip.gif", Gif}}));
    ViewerPane viewer(f.dialogs);
    viewer.resize(400, 300);
    viewer.show();
    binder->setCurIndex(1);
    viewer.showPage(preparePageDisplay(*f.workspace, *binder), *binder);
    QVERIFY(!viewer.hasBrowser());
    QVERIFY(!webEngineLoaded());

    QSignalSpy loads(&viewer, &ViewerPane::browserLoadFinished);
    binder->setCurIndex(2);
    engineReports = 0;
    viewer.showPage(preparePageDisplay(*f.workspace, *binder), *binder);
    QVERIFY(viewer.hasBrowser());
    QVERIFY(webEngineLoaded());
    QCOMPARE(viewer.currentWidget()->objectName(), QString("txtHTML"));
    QTRY_VERIFY_WITH_TIMEOUT(!loads.isEmpty() && loads.last().first().toBool(), 30000);
    // Renderers come from the sandboxed zygote; helpers outside the sandbox need none.
    QCOMPARE(zygotes(), 1);
    // What the engine says of its set-up is for its developers, not for the terminal the
    // user started the program from.
    QCOMPARE(engineReports, 0);
}

void tst_browsermodule::soundThatCannotPlaySaysWhy()
{
    BinderFixture f;
    auto binder = f.open(f.makeBinder("sounds.qly", {{"bell.wav", "RIFF"}}));
    binder->setCurIndex(1);
    ViewerPane viewer(f.dialogs);
    viewer.showPage(preparePageDisplay(*f.workspace, *binder), *binder);
    QVERIFY2(viewer.notice().contains("bell.wav"), qPrintable(viewer.notice()));
    QVERIFY(viewer.notice().contains("no sound output"));
}

QTEST_MAIN(tst_browsermodule)
#include "tst_browsermodule.moc"
