// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "documents/Interaction.h"
#include "documents/Workspace.h"
#include "platform/Settings.h"
#include "shell/AuthorName.h"
#include "shell/InstanceLock.h"
#include "shell/Session.h"
#include "shell/Shutdown.h"
#include "shell/Startup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>

using namespace quillery;
using test::readFile;
using test::writeFile;

namespace {

// A program start in a private folder: settings file, scripted dialogs, and hooks that
// log what the main window would have been asked to do.
struct Start
{
    Start() : settings(dir.filePath("settings.ini")), session(settings, dialogs, tmp()) {}

    QString tmp() const { return dir.filePath("tmp"); }
    QString inTmp(const QString &name) const { return tmp() + '/' + name; }

    std::function<void()> note(const QString &what)
    {
        return [this, what] {
            log << what;
        };
    }

    StartupHooks hooks()
    {
        StartupHooks h{note("splash"),  {}, note("new"), {}, note("placement"), note("recent"),
                       note("recovery")};
        // Records how many dialogs had been shown when the splash was closed.
        h.closeSplash = [this] {
            log << QStringLiteral("close@%1").arg(dialogs.calls().size());
        };
        h.openFile = [this](const QString &path) {
            log << "open " + path;
        };
        return h;
    }

    // As the program does: the main window with its workspace comes between the halves.
    bool run(const QStringList &arguments = {})
    {
        if (!beginStartup(session, hooks()))
            return false;
        workspace = std::make_unique<Workspace>(*session.temp, dialogs, ui);
        finishStartup(session, *workspace, arguments, hooks());
        return true;
    }

    void stop() { runShutdown(session, {note("save placement"), note("unload")}); }

    QTemporaryDir dir;
    Settings settings;
    ScriptedDialogs dialogs;
    Interaction ui;
    Session session;
    std::unique_ptr<Workspace> workspace;
    QStringList log;
};

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// Files a previous run may have left, and the clipboard files that must outlive it.
void leaveOldFiles(const Start &start)
{
    for (const QString &name : QStringList{"QLa1b2c3.tmp", "Tmp.htm", "notes.rtf", "ClipInfo.tmp",
                                           "ClipData.tmp", "MyClipX.tmp"})
        writeFile(start.inTmp(name), "old");
    writeFile(start.inTmp("keep/inside.txt"), "sub-folders are not ours to clean");
}

} // namespace

class tst_startup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstStartAsksForTheAuthorOnce()
    {
        Start start;
        QVERIFY(start.run());
        // Unsaved work is offered before the command line opens anything.
        QCOMPARE(start.log,
                 QStringList({"splash", "close@0", "recovery", "new", "placement", "recent"}));
        // Cancelled: a single space, which is a name, so the question is not repeated.
        QCOMPARE(start.settings.authorName(), QString(" "));

        start.dialogs.clear();
        start.log.clear();
        Session again(start.settings, start.dialogs, start.tmp());
        QVERIFY(beginStartup(again, start.hooks()));
        QVERIFY(start.dialogs.calls().isEmpty());
        QVERIFY(!start.log.contains("close@0"));

        Start named;
        named.settings.setDefaultDocFolder("/docs");
        named.dialogs.queueInput(QString("Tamsin Orde"));
        QVERIFY(named.run());
        QCOMPARE(named.settings.authorName(), QString("Tamsin Orde"));
        QCOMPARE(named.workspace->authorName, QString("Tamsin Orde"));
        QCOMPARE(named.workspace->defaultDocFolder, QString("/docs"));

        // Changed later to nothing, the name stays as it was.
        named.dialogs.queueInput(QString());
        QCOMPARE(askAuthorName(named.settings, named.dialogs), std::nullopt);
        QCOMPARE(named.settings.authorName(), QString("Tamsin Orde"));
    }

    void theFirstInstanceCleansAllButTheClipboard()
    {
        Start start;
        start.settings.setAuthorName("T");
        leaveOldFiles(start);
        const QString outside = start.dir.filePath("outside.txt");
        writeFile(outside, "not in the folder");
        QVERIFY(QFile::link(outside, start.inTmp("link.txt")));

        QVERIFY(start.run());
        QVERIFY(start.session.instances.isFirst());
        QCOMPARE(filesIn(start.tmp()),
                 QStringList({"ClipData.tmp", "ClipInfo.tmp", "Instances.lock", "Tmp.htm"}));
        QCOMPARE(readFile(start.inTmp("Tmp.htm")), QByteArray("<html></html>\n"));
        QVERIFY(QFileInfo::exists(start.inTmp("keep/inside.txt")));
        QCOMPARE(readFile(outside), QByteArray("not in the folder"));
    }

    void aSecondInstanceCleansNothing()
    {
        Start start;
        start.settings.setAuthorName("T");
        QDir().mkpath(start.tmp());
        InstanceLock first = InstanceLock::join(start.tmp());
        first.shareFolder();
        leaveOldFiles(start);

        QVERIFY(start.run());
        QVERIFY(!start.session.instances.isFirst());
        QVERIFY(QFileInfo::exists(start.inTmp("QLa1b2c3.tmp")));
        // Its own blank page is still written, and left for the other at shut-down.
        QCOMPARE(readFile(start.inTmp("Tmp.htm")), QByteArray("<html></html>\n"));
        start.stop();
        QVERIFY(QFileInfo::exists(start.inTmp("Tmp.htm")));
        QVERIFY(first.leave());
    }

    void instancesWaitWhileTheFirstCleans()
    {
        QTemporaryDir dir;
        InstanceLock first = InstanceLock::join(dir.path());
        QVERIFY(first.isFirst());

        std::atomic<bool> joined = false;
        InstanceLock second;
        std::thread starting([&] {
            second = InstanceLock::join(dir.path());
            joined = true;
        });
        QTest::qWait(200);
        QVERIFY(!joined);
        first.shareFolder();
        starting.join();
        QVERIFY(!second.isFirst());

        int lastOuts = 0;
        QVERIFY(!first.leave([&] { ++lastOuts; }));
        QVERIFY(second.leave([&] { ++lastOuts; }));
        QCOMPARE(lastOuts, 1);
        QVERIFY(!QFileInfo::exists(dir.filePath(InstanceLock::FileName)));
        QVERIFY(InstanceLock::join(dir.path()).isFirst());
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("opened");   // relative to the folder; "" for none
        QTest::addColumn<QString>("notFound"); // the message's file text; "" for none
        const auto row = [](const char *name, const QStringList &arguments, const char *opened,
                            const char *notFound) {
            QTest::newRow(name) << arguments << QString::fromUtf8(opened)
                                << QString::fromUtf8(notFound);
        };
        row("none", {}, "", "");
        row("quoted", {"\"@/my binder.qly\""}, "my binder.qly", "");
        row("relative", {"my binder.qly"}, "my binder.qly", "");
        row("split by the shell", {"@/my", "binder.qly"}, "my binder.qly", "");
        row("quote in the name", {"@/say \"hi\".txt"}, "say \"hi\".txt", "");
        row("missing", {"\"@/gone.qly\""}, "", "\"@/gone.qly\"");
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, opened);
        QFETCH(QString, notFound);
        Start start;
        const QString dir = start.dir.path();
        for (const QString &name : QStringList{"my binder.qly", "say \"hi\".txt"})
            writeFile(start.dir.filePath(name), "x");
        for (QString &argument : arguments)
            argument.replace("@", dir);
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir);
        openCommandLine(arguments, start.dialogs, start.hooks());
        QDir::setCurrent(previous);

        if (!opened.isEmpty())
            QCOMPARE(start.log, QStringList({"open " + start.dir.filePath(opened)}));
        else if (notFound.isEmpty())
            QCOMPARE(start.log, QStringList({"new"}));
        else
            QCOMPARE(start.log, QStringList({"close@0", "new"}));
        QCOMPARE(start.dialogs.calls().size(), notFound.isEmpty() ? 0 : 1);
        if (!notFound.isEmpty())
            QCOMPARE(start.dialogs.lastText(),
                     "Could not find the file '" + notFound.replace("@", dir) + "'");
    }

    void anUnsafeTempFolderIsNotUsed()
    {
        Start start;
        start.settings.setAuthorName("T");
        const QString elsewhere = start.dir.filePath("elsewhere");
        writeFile(elsewhere + "/precious.txt", "someone's");
        QVERIFY(QFile::link(elsewhere, start.tmp()));

        QVERIFY(start.run());
        const QString used = start.session.temp->path();
        QVERIFY2(used.startsWith(start.tmp() + "-"), qPrintable(used));
        QCOMPARE(QFileInfo(used).permissions() & (QFile::ReadOther | QFile::ReadGroup),
                 QFileDevice::Permissions());
        QCOMPARE(readFile(elsewhere + "/precious.txt"), QByteArray("someone's"));
        QVERIFY(start.dialogs.lastText().contains(used));
        QVERIFY(QFileInfo::exists(used + "/Tmp.htm"));
    }

    void withNoTempFolderAtAllTheProgramStops()
    {
        Start start;
        start.settings.setAuthorName("T");
        writeFile(start.dir.filePath("file"), "a file, not a folder");
        Session session(start.settings, start.dialogs, start.dir.filePath("file/tmp"));
        QVERIFY(!beginStartup(session, start.hooks()));
        QCOMPARE(start.log, QStringList({"splash", "close@0"}));
        QCOMPARE(start.dialogs.calls().last().icon, MsgIcon::Critical);
        QVERIFY(!session.temp);
    }

    void shutdownTidiesUpAfterThisRun()
    {
        Start start;
        start.settings.setAuthorName("T");
        QVERIFY(start.run());
        TempFolder &temp = *start.session.temp;
        const QString page = temp.createFile();
        temp.registerFile(page);
        start.log.clear();
        start.stop();
        QCOMPARE(start.log, QStringList({"save placement", "unload"}));
        QVERIFY(!QFileInfo::exists(page));
        QVERIFY(!QFileInfo::exists(start.tmp()));

        // The clipboard keeps the folder.
        Start clipped;
        clipped.settings.setAuthorName("T");
        QVERIFY(clipped.run());
        writeFile(clipped.inTmp("ClipInfo.tmp"), "page");
        clipped.stop();
        QCOMPARE(filesIn(clipped.tmp()), QStringList({"ClipInfo.tmp"}));
    }
};

QTEST_MAIN(tst_startup)
#include "tst_startup.moc"
