// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "TestSupport.h"

#include "window/BrowserModule.h"
#include "window/PageDisplay.h"
#include "window/ViewerPane.h"

#include <QDir>
#include <QFile>
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

    // Neither a missing module, nor a file of its name that is no library, nor a module left
    // from another build (which would crash at its first call) may crash or leave a widget
    // behind; the reason names what was tried, and nothing of a module but its version runs.
    void unusableModuleIsReportedNotFatal()
    {
        QTemporaryDir empty, hostile, stale;
        writeFile(hostile.filePath(browserModuleFileName()), "\x7f"
                                                             "ELF but not really a library");
        QVERIFY(QFile::copy(QStringLiteral(QUILLERY_STALE_BROWSER_MODULE),
                            stale.filePath(browserModuleFileName())));
        for (const QTemporaryDir *folder : {&empty, &hostile, &stale}) {
            setBrowserModuleFolders({folder->path()});
            QWidget parent;
            QString error;
            QCOMPARE(makeBrowserView(&parent, {}, {}, error), nullptr);
            QVERIFY2(error.contains(folder->filePath(browserModuleFileName())), qPrintable(error));
            QVERIFY(parent.children().isEmpty());
            if (folder == &stale)
                QVERIFY2(error.contains(QStringLiteral("interface 0, this program needs %1")
                                            .arg(BrowserInterfaceVersion)),
                         qPrintable(error));
        }
        QVERIFY(!webEngineLoaded());
    }

    // Text pages never load the web engine, nor does preloading without the module; the first
    // page that needs the browser loads it and arrives through the page scheme. A browser made
    // of parts preloaded ahead shows its own window's page through that window's scheme source
    // and address rule, as the first still shows its own.
    void webEngineComesOnlyWithTheFirstBrowser()
    {
        BinderFixture f;
        auto binder = f.open(f.makeBinder("mixed.qly", {{"notes.txt", "text"},
                                                        {"Trip.html", "<img id=own src=Trip.gif>"},
                                                        {"Trip.gif", Gif},
                                                        {"Two.html", "<p>two</p>"}}));
        const auto show = [&](ViewerPane &viewer, int position) {
            QSignalSpy loads(&viewer, &ViewerPane::browserLoadFinished);
            binder->setCurrentPosition(position);
            viewer.showPage(preparePageDisplay(*f.workspace, *binder), *binder);
            QCOMPARE(viewer.currentWidget()->objectName(), QString("txtHTML"));
            QTRY_VERIFY_WITH_TIMEOUT(!loads.isEmpty(), 30000);
            QVERIFY2(loads.last().first().toBool(), "the page did not load");
        };
        ViewerPane viewer(f.dialogs);
        viewer.resize(400, 300);
        viewer.show();
        binder->setCurrentPosition(1);
        viewer.showPage(preparePageDisplay(*f.workspace, *binder), *binder);
        QTemporaryDir empty;
        setBrowserModuleFolders({empty.path()});
        preloadBrowser();
        setBrowserModuleFolders({});
        QVERIFY(!viewer.hasBrowser());
        QVERIFY(!webEngineLoaded());

        engineReports = 0;
        show(viewer, 2);
        QVERIFY(webEngineLoaded());
        // Renderers come from the sandboxed zygote; helpers outside the sandbox need none.
        QCOMPARE(zygotes(), 1);
        // What the engine says of its set-up is for its developers, not for the terminal the
        // user started the program from.
        QCOMPARE(engineReports, 0);

        preloadBrowser();
        ViewerPane second(f.dialogs);
        second.resize(400, 300);
        second.show();
        show(second, 4);
        show(viewer, 4);
    }
};

QTEST_MAIN(tst_browsermodule)
#include "tst_browsermodule.moc"
