// SPDX-License-Identifier: GPL-3.0-or-later
// The program on a Wayland desktop, natively: the test starts weston's headless compositor
// on a socket of its own and runs this same program inside it as the driver, made as the
// program makes its application. It is skipped, saying why, where weston or Qt's Wayland
// plugin is missing or the compositor cannot start.
#include "TestSupport.h"
#include "documents/Binder.h"
#include "platform_ui/RichTextBox.h"
#include "shell/ProgramApplication.h"
#include "support/ui/MainWindowFixture.h"
#include "window/BinderWindow.h"
#include "window/BrowserView.h"
#include "window/ViewerPane.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace quillery;
using namespace quillery::test;

namespace {

const char DriverVariable[] = "QUILLERY_WAYLAND_DRIVER";
const QString Socket = QStringLiteral("quillery-test");

} // namespace

// Runs outside the compositor: starts it and the driver.
class tst_wayland : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void theProgramRunsNativelyOnWayland()
    {
        const QString weston = QStandardPaths::findExecutable("weston");
        if (weston.isEmpty())
            QSKIP("weston is not installed (Debian: weston), so no Wayland compositor can start");
        const QString plugin =
            QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms/libqwayland-generic.so";
        if (!QFile::exists(plugin))
            QSKIP("Qt's Wayland platform plugin is not installed (Debian: qt6-wayland)");

        // Wayland sockets live in the runtime folder, which must be the user's alone.
        QTemporaryDir runtime;
        QVERIFY(QFile::setPermissions(runtime.path(),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_RUNTIME_DIR", runtime.path());
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");

        QProcess compositor;
        compositor.setProcessEnvironment(environment);
        compositor.setProcessChannelMode(QProcess::MergedChannels);
        compositor.start(weston, {"--backend=headless-backend.so", "--socket=" + Socket,
                                  "--idle-time=0", "--no-config"});
        const QString socketPath = runtime.filePath(Socket);
        const bool up = QTest::qWaitFor(
            [&] { return QFile::exists(socketPath) || compositor.state() == QProcess::NotRunning; },
            20000);
        if (!up || !QFile::exists(socketPath)) {
            compositor.kill();
            compositor.waitForFinished();
            QSKIP(qPrintable("weston's headless compositor did not start: " +
                             QString::fromLocal8Bit(compositor.readAll()).trimmed()));
        }

        environment.insert("WAYLAND_DISPLAY", Socket);
        environment.insert("QT_QPA_PLATFORM", "wayland");
        environment = withoutGraphicsChoices(environment);
        environment.remove("QT_LOGGING_RULES");
        environment.insert("QTWEBENGINE_DISABLE_SANDBOX", "1");
        environment.insert(DriverVariable, "1");
        const ProgramRun driver =
            runProgram(QCoreApplication::applicationFilePath(), {}, {}, environment);
        compositor.terminate();
        if (!compositor.waitForFinished(5000))
            compositor.kill();
        const QString said = driver.out + driver.err;
        QVERIFY2(driver.code == 0, qPrintable(said));
        // Having no OpenGL is what the program asked for, not news for the terminal.
        QVERIFY2(!said.contains("client buffer integration"), qPrintable(said));
    }
};

// Runs inside the compositor.
class tst_waylanddriver : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void aBinderWorksOnWayland()
    {
        QCOMPARE(QGuiApplication::platformName(), QString("wayland"));
        BinderFixture f;
        Window w(f);
        QVERIFY(QTest::qWaitForWindowExposed(&w.main));
        const QString path = f.makeBinder(
            "wayland.qly", {{"rich.rtf", "{\\rtf1\\ansi {\\b Bold} words}"},
                            {"page.htm", "<html><body><h1>On Wayland</h1></body></html>"}});
        w.main.openFile(path);
        BinderWindow *window = w.main.activeBinderWindow();
        QVERIFY(window);
        Binder &binder = window->binder();
        ViewerPane *viewer = window->viewer();

        binder.setCurrentPosition(1);
        QTRY_VERIFY(viewer->textPane()->isVisible());
        QVERIFY(viewer->textPane()->toPlainText().contains("Bold words"));

        // The HTML page loads in the browser.
        binder.setCurrentPosition(2);
        QTRY_VERIFY_WITH_TIMEOUT(viewer->browser(), 30000);
        QWidget *browser = viewer->browser()->widget();
        QSignalSpy loaded(browser, SIGNAL(loadFinished(bool)));
        QVERIFY(loaded.wait(30000));
        QVERIFY(loaded.last().at(0).toBool());
        QTRY_VERIFY(browser->isVisible());

        // A menu opens as a popup of the main window, and closes.
        QMenu *file = w.main.menuBar()->actions().at(0)->menu();
        file->popup(w.main.mapToGlobal(QPoint(20, 20)));
        QVERIFY(QTest::qWaitForWindowExposed(file));
        file->close();

        QCOMPARE(loadedOpenGlDriver(), QByteArray());
        // The programs this one starts choose their own OpenGL.
        QVERIFY(!qEnvironmentVariableIsSet("QT_WAYLAND_CLIENT_BUFFER_INTEGRATION"));
    }
};

int main(int argc, char *argv[])
{
    const std::unique_ptr<QApplication> app = qEnvironmentVariableIsSet(DriverVariable)
                                                  ? makeProgramApplication(argc, argv)
                                                  : std::make_unique<QApplication>(argc, argv);
    if (qEnvironmentVariableIsSet(DriverVariable)) {
        tst_waylanddriver driver;
        return QTest::qExec(&driver, argc, argv);
    }
    tst_wayland test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_wayland.moc"
