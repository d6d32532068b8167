// SPDX-License-Identifier: GPL-3.0-or-later
// The main window on an X server with OpenGL, as on a desktop: the first web page the
// viewer shows must not make the main window's native window anew, or a dialog open at
// that moment keeps a link to the dead window and drops behind a main window that then
// ignores the user, whether the views draw in software or, as Qt sets them up, through
// OpenGL. Made as the program makes its application, it shows the page without loading the
// OpenGL driver at all. The test runs this same program again under xvfb-run
// as the driver; it is skipped, saying why, where xvfb-run is missing.
#include "TestSupport.h"
#include "documents/Binder.h"
#include "shell/ProgramApplication.h"
#include "support/ui/MainWindowFixture.h"
#include "window/BinderWindow.h"
#include "window/BrowserView.h"
#include "window/ViewerPane.h"

#include <QApplication>
#include <QDialog>
#include <QProcessEnvironment>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QWindow>

using namespace quillery;
using namespace quillery::test;

namespace {

const char DriverVariable[] = "QUILLERY_X11_DRIVER";
// The driver's application is made as the program makes its own.
const char AsTheProgram[] = "program";
// The driver asks for Qt's own set-up of the web views, which draw through OpenGL.
const char WithQtDefaults[] = "defaults";

void runDriver(const QString &kind)
{
    const QString xvfbRun = QStandardPaths::findExecutable("xvfb-run");
    if (xvfbRun.isEmpty())
        QSKIP("xvfb-run is not installed (Debian: xvfb), so no X server can start");
    QProcessEnvironment environment =
        withoutGraphicsChoices(QProcessEnvironment::systemEnvironment());
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("QTWEBENGINE_DISABLE_SANDBOX", "1");
    environment.insert("QT_LOGGING_RULES", "qt.webenginecontext=false");
    if (kind == WithQtDefaults)
        environment.insert("QUILLERY_BROWSER_DEFAULTS", "1");
    environment.insert(DriverVariable, kind);
    const ProgramRun run = runProgram(
        xvfbRun, {"-a", "-s", "-screen 0 1280x900x24", QCoreApplication::applicationFilePath()}, {},
        environment);
    QVERIFY2(run.code == 0, qPrintable(run.out.right(2000) + run.err.right(2000)));
}

} // namespace

// Runs outside the X server: starts it with the driver.
class tst_x11window : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void theFirstWebPageKeepsTheMainWindow() { runDriver("1"); }
    void theProgramShowsWebPagesWithoutOpenGl() { runDriver(AsTheProgram); }
    void theWindowStaysWithViewsDrawnThroughOpenGl() { runDriver(WithQtDefaults); }
};

// Runs on the X server.
class tst_x11windowdriver : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void aDialogStaysAboveItsWindowWhenTheFirstWebPageShows()
    {
        QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
        BinderFixture f;
        Window w(f);
        QVERIFY(QTest::qWaitForWindowExposed(&w.main));
        w.main.openFile(f.makeBinder(
            "web.qly", {{"note.txt", "plain"}, {"page.htm", "<html><body>web</body></html>"}}));
        BinderWindow *window = w.main.activeBinderWindow();
        QVERIFY(window);
        const WId native = w.main.winId();
        QWindow *const handle = w.main.windowHandle();

        QDialog dialog(&w.main);
        dialog.open();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowHandle()->transientParent(), handle);

        window->binder().setCurrentPosition(2);
        QTRY_VERIFY_WITH_TIMEOUT(window->viewer()->browser(), 30000);
        QSignalSpy loaded(window->viewer()->browser()->widget(), SIGNAL(loadFinished(bool)));
        QVERIFY(loaded.wait(30000));
        QTRY_VERIFY(window->viewer()->browser()->widget()->isVisible());

        QCOMPARE(w.main.winId(), native);
        QCOMPARE(w.main.windowHandle(), handle);
        QCOMPARE(dialog.windowHandle()->transientParent(), handle);
        QVERIFY(dialog.isVisible());

        if (qgetenv(DriverVariable) == AsTheProgram) {
            QCOMPARE(loadedOpenGlDriver(), QByteArray());
            // The programs this one starts choose their own OpenGL.
            QVERIFY(!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"));
        }
    }
};

int main(int argc, char *argv[])
{
    const std::unique_ptr<QApplication> app = qgetenv(DriverVariable) == AsTheProgram
                                                  ? makeProgramApplication(argc, argv)
                                                  : std::make_unique<QApplication>(argc, argv);
    if (qEnvironmentVariableIsSet(DriverVariable)) {
        tst_x11windowdriver driver;
        return QTest::qExec(&driver, argc, argv);
    }
    tst_x11window test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_x11window.moc"
