// SPDX-License-Identifier: GPL-3.0-or-later
// The program as a screen reader meets it, through AT-SPI: on a session bus of its own
// (dbus-run-session), with the accessibility bus started, an X server and a window manager,
// the real program is walked by screenreader.py (pyatspi) in the binder window, the editor
// and both pages of Options, and fails on any shown control without a name; then Save is
// pressed through AT-SPI alone, and the binder on disk holds the change.
#include "BinderFixture.h"
#include "StoredPages.h"
#include "TestSupport.h"
#include "XDesktop.h"

#include <QApplication>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTest>

using namespace quillery;
using namespace quillery::test;

namespace {

const char BusVariable[] = "QUILLERY_SCREENREADER_BUS";
const char DriverVariable[] = "QUILLERY_SCREENREADER_DRIVER";
const QString BusLauncher = QStringLiteral("/usr/libexec/at-spi-bus-launcher");
const QString Python = QStringLiteral("/usr/bin/python3");

// Why the walk cannot be made here; empty when it can.
QString missingTools()
{
    if (QStandardPaths::findExecutable("dbus-run-session").isEmpty())
        return "dbus-run-session is not installed (scripts/setup installs dbus-daemon)";
    if (!QFileInfo(BusLauncher).isExecutable())
        return BusLauncher + " is not installed (scripts/setup installs at-spi2-core)";
    const ProgramRun run = runProgram(Python, {"-c", "import pyatspi"});
    if (run.code != 0)
        return "pyatspi cannot be imported (scripts/setup installs python3-pyatspi): " + run.err;
    return XDesktop::missingTools();
}

// What screenreader.py answers; empty when it finds nothing wrong.
QString screenReader(const QStringList &args)
{
    const ProgramRun run = runProgram(
        Python,
        QStringList{QStringLiteral(QT_TESTCASE_SOURCEDIR "/shell/screenreader.py")} << args);
    return run.code == 0 ? QString() : run.out + run.err + QString(" (exit %1)").arg(run.code);
}

} // namespace

class tst_screenreader : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyControlNamedAndSaveByScreenReader()
    {
        const QString missing = missingTools();
        if (!missing.isEmpty())
            QSKIP(qPrintable(missing));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(BusVariable, "1");
        const ProgramRun run =
            runProgram(QStandardPaths::findExecutable("dbus-run-session"),
                       {"--", QCoreApplication::applicationFilePath()}, QByteArray(), environment);
        QVERIFY2(run.code == 0, qPrintable(run.out.right(3000) + run.err.right(3000)));
    }
};

// Runs on the X server, on the session bus.
class tst_screenreaderdriver : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void walkAndSave()
    {
        BinderFixture f;
        const QString path =
            f.makeBinder("heard.qly", {{"Notes.rtf", "{\\rtf1 rich}"}, {"Todo.txt", "plain"}});
        QProcess bus;
        bus.start(BusLauncher, {"--launch-immediately"});
        QVERIFY(bus.waitForStarted());
        // Asked to end, the launcher ends the bus it started too.
        const auto stopBus = qScopeGuard([&bus] {
            bus.terminate();
            bus.waitForFinished();
        });
        // Qt speaks to the accessibility bus only when asked for, or when a screen reader
        // runs on the desktop.
        qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
        {
            XDesktop desktop;
            QVERIFY(desktop.startProgram(QUILLERY_APP, path));
            QCOMPARE(screenReader({"has", "list item", "Notes, rich text, page 1 of 2"}),
                     QString());
            QCOMPARE(screenReader({"unnamed"}), QString());

            desktop.keys({"Return"});
            QVERIFY(desktop.waitForWindow("^Rich Text Editor for 'Notes'"));
            QCOMPARE(screenReader({"unnamed"}), QString());
            desktop.keys({"F4"});
            QVERIFY(desktop.waitForNoWindow("Editor for"));
            QVERIFY(desktop.waitForActiveWindow("^Quillery$"));

            desktop.keys({"ctrl+F9"});
            QVERIFY(desktop.waitForWindow("^Options$"));
            QCOMPARE(screenReader({"unnamed"}), QString());
            desktop.keys({"ctrl+Tab"});
            QCOMPARE(screenReader({"has", "push button", "Choose the external application"}),
                     QString());
            QCOMPARE(screenReader({"unnamed"}), QString());
            desktop.keys({"Escape"});
            QVERIFY(desktop.waitForNoWindow("^Options$"));
            QVERIFY(desktop.waitForActiveWindow("^Quillery$"));

            desktop.keys({"F2"});
            desktop.type("Heard");
            desktop.keys({"Return"});
            QCOMPARE(screenReader({"press", "push button", "Save"}), QString());
            QTRY_COMPARE_WITH_TIMEOUT(storedPageNames(*f.workspace, path),
                                      QStringList({"Heard", "Todo"}), 15000);
            desktop.keys({"alt+f", "x"});
            QCOMPARE(desktop.waitForExit(), 0);
        }
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsSet(DriverVariable)) {
        tst_screenreaderdriver driver;
        return QTest::qExec(&driver, argc, argv);
    }
    if (qEnvironmentVariableIsSet(BusVariable)) {
        const QString failure = XDesktop::runUnderXvfb(DriverVariable);
        if (!failure.isEmpty())
            qCritical("%s", qPrintable(failure));
        return failure.isEmpty() ? 0 : 1;
    }
    tst_screenreader test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_screenreader.moc"
