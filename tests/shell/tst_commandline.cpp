// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "shell/CommandLine.h"

#include <QTest>

using namespace quillery;

namespace {

using test::ProgramRun;

// Runs the program where no window system can be reached: an answer that needs none
// must come back anyway, and anything that tries to open a window fails.
ProgramRun program(const QStringList &args)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.insert("QT_QPA_PLATFORM", "xcb");
    return test::runProgram(QUILLERY_APP, args, {}, environment);
}

} // namespace

class tst_commandline : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void helpAndVersionNeedNoDisplay()
    {
        const ProgramRun help = program({"--help", "binder.qly"});
        QCOMPARE(help.code, 0);
        QVERIFY2(help.out.startsWith("Usage: ") && help.out.contains("[file]"),
                 qPrintable(help.out));
        QCOMPARE(help.err, QString());
        const ProgramRun version = program({"--version"});
        QCOMPARE(version.code, 0);
        QCOMPARE(version.out, QString("Quillery " QUILLERY_VERSION "\n"));
    }

    void unknownOptionsAreRefusedWithTheUsage()
    {
        const ProgramRun wrong = program({"--frobnicate", "binder.qly"});
        QCOMPARE(wrong.code, 64);
        QVERIFY2(wrong.err.section('\n', 0, 0).endsWith(": Unknown option 'frobnicate'."),
                 qPrintable(wrong.err));
        QVERIFY(wrong.err.section('\n', 1).startsWith("Usage: "));
        QCOMPARE(wrong.out, QString());
    }

    void everythingElseNamesTheFileToOpen()
    {
        using Action = CommandLineRequest::Action;
        const CommandLineRequest plain = readCommandLine({"quillery", "my", "notes.qly"});
        QCOMPARE(plain.action, Action::Start);
        QCOMPARE(plain.words, QStringList({"my", "notes.qly"}));
        // After "--" a name may begin with a dash.
        const CommandLineRequest dashed = readCommandLine({"quillery", "--", "-x.qly"});
        QCOMPARE(dashed.action, Action::Start);
        QCOMPARE(dashed.words, QStringList({"-x.qly"}));
        QCOMPARE(readCommandLine({"quillery", "-x.qly"}).action, Action::Wrong);
        QCOMPARE(readCommandLine({"quillery", "a.qly", "--version"}).action, Action::Version);
    }
};

QTEST_GUILESS_MAIN(tst_commandline)
#include "tst_commandline.moc"
