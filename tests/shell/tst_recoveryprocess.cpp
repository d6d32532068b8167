// SPDX-License-Identifier: GPL-3.0-or-later
// Unsaved work across a program that is killed or told to end. The test runs this same
// program again as the editing process: it opens a binder in a main window whose binders
// keep recovery snapshots, changes it and waits; the test kills it (SIGKILL) or ends it
// (SIGTERM) and recovers in its own process. The real program is ended with SIGTERM too.
#include "EncryptedFixture.h"
#include "RuntimeDir.h"
#include "TestSupport.h"
#include "documents/BinderSaver.h"
#include "documents/CompanionFiles.h"
#include "documents/EncryptedBinder.h"
#include "documents/RecoveryService.h"
#include "shell/QuitRequests.h"
#include "shell/RecoveryStart.h"
#include "support/ui/MainWindowFixture.h"
#include "transfer/BinderOpener.h"
#include "transfer/PageImport.h"
#include "transfer/RecoveryOpener.h"
#include "window/BinderWindow.h"
#include "window/PageRename.h"
#include "window/PasswordDialogs.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <csignal>

using namespace quillery;
using namespace quillery::test;

namespace {

const char ChildBinder[] = "QUILLERY_RECOVERY_CHILD";
const char ChildImport[] = "QUILLERY_RECOVERY_IMPORT";
const char ChildDelay[] = "QUILLERY_RECOVERY_DELAY";
const char ChildPassphrase[] = "QUILLERY_RECOVERY_PASSPHRASE";

// The changes the editing process makes, also made here to learn what a save would write.
void change(Workspace &workspace, Binder &binder, const QString &importPath)
{
    importFile(workspace, binder, importPath, PageKind::Unknown);
    beginRename(binder, 1);
    finishRename(workspace, binder, 1, QStringLiteral("renamed"));
}

QStringList contentOf(Workspace &workspace, const QString &binderPath)
{
    auto binder = openFile(workspace, binderPath, OpenPurpose::Inspect);
    QStringList content;
    for (int i = 0; binder && i < binder->pageCount(); ++i)
        content << binder->pages().at(i).name + u'|' +
                       QString::fromLatin1(pageData(binder->pages().at(i).key).toHex());
    return content;
}

int runEditingProcess(int argc, char *argv[])
{
    QApplication app(argc, argv);
    BinderFixture f;
    // The window asks for an encrypted binder's passphrase in its dialog, answered here.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<PassphraseDialog *>(widget);
            if (dialog && dialog->isVisible()) {
                dialog->txtPassphrase->setText(qEnvironmentVariable(ChildPassphrase));
                dialog->accept();
            }
        }
    });
    if (qEnvironmentVariableIsSet(ChildPassphrase))
        answer.start(20);
    Window w(f);
    RecoveryService service(RecoveryStore(), qEnvironmentVariableIntValue(ChildDelay));
    w.main.watchBinder = [&service](Binder &binder) {
        service.watch(binder);
    };
    const QuitRequests quit([&] { endWithoutAsking(w.main, service); });
    w.main.openFile(qEnvironmentVariable(ChildBinder));
    change(w.main.workspace(), w.main.activeBinderWindow()->binder(),
           qEnvironmentVariable(ChildImport));
    fputs("ready\n", stdout);
    fflush(stdout);
    return app.exec();
}

struct Run
{
    BinderFixture f;
    QString binder = f.makeBinder("b.qly", {{"one.txt", "first"}, {"two.txt", "second"}});
    QString import = f.file("late.txt", "a late page");
    QString state = f.path("state");
    QStringList expected;
    QProcess process;

    Run()
    {
        removeCompanions(binder); // made by a binder window that is gone
        BinderFixture before;
        QFile::copy(binder, before.path("copy.qly"));
        auto copy = before.open(before.path("copy.qly"));
        change(*before.workspace, *copy, import);
        saveBinderFile(*before.workspace, *copy, before.path("saved.qly"));
        expected = contentOf(*before.workspace, before.path("saved.qly"));
    }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        QDir().mkpath(f.path("home/tmp"));
        env.insert("HOME", f.path("home"));
        env.insert("TMPDIR", f.path("home/tmp"));
        env.insert("XDG_STATE_HOME", state);
        env.insert("XDG_CONFIG_HOME", f.path("home/config"));
        return env;
    }

    void startEditing(int delayMs, const QString &passphrase = QString())
    {
        QProcessEnvironment env = environment();
        if (!passphrase.isEmpty())
            env.insert(ChildPassphrase, passphrase);
        env.insert(ChildBinder, binder);
        env.insert(ChildImport, import);
        env.insert(ChildDelay, QString::number(delayMs));
        process.setProcessEnvironment(env);
        process.start(QCoreApplication::applicationFilePath(), {});
    }

    QStringList snapshots() const
    {
        QStringList found;
        QDirIterator it(state, {"snapshot"}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            found << it.next();
        return found;
    }

    // Waits, two minutes at most, until the condition holds or the process has ended.
    bool waitFor(const std::function<bool()> &condition)
    {
        return QTest::qWaitFor([&] { return condition() || process.state() != QProcess::Running; },
                               120000) &&
               condition();
    }

    // Ends the process with SIGTERM: it exits as asked and lets go of the binder.
    void terminate()
    {
        process.terminate();
        QVERIFY(process.waitForFinished(120000));
        QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
                 process.readAllStandardError().constData());
        QVERIFY(!QFile::exists(lockNotePath(binder)));
        QVERIFY(!QFile::exists(shadowCopyPath(binder)));
    }

    // Recovers in this process and saves as the user would; what the binder then holds.
    QStringList recoverAndSave()
    {
        QStringList problems;
        const QVector<SnapshotEntry> entries =
            RecoveryStore(state + "/quillery/recovery").list(problems);
        if (entries.size() != 1 || !problems.isEmpty())
            return problems << QStringLiteral("%1 snapshots").arg(entries.size());
        RecoveredBinder recovered = recoverBinder(*f.workspace, entries[0], RecoverPurpose::Window);
        if (!recovered.binder || !saveBinder(*f.workspace, *recovered.binder))
            return {QStringLiteral("not recovered")};
        recovered.binder.reset();
        return contentOf(*f.workspace, binder);
    }
};

} // namespace

class tst_recoveryprocess : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void killedAfterTheDelayLosesNothing()
    {
        Run run;
        run.startEditing(50);
        QVERIFY(run.process.waitForStarted());
        QVERIFY2(run.waitFor([&] { return !run.snapshots().isEmpty(); }),
                 run.process.readAllStandardError().constData());
        ::kill(pid_t(run.process.processId()), SIGKILL);
        QVERIFY(run.process.waitForFinished());
        QCOMPARE(run.process.exitStatus(), QProcess::CrashExit);

        QCOMPARE(run.recoverAndSave(), run.expected);
    }

    // An encrypted binder loses no more than a plain one, and no plain byte of it is left
    // anywhere: its snapshot is encrypted, and recovering it asks for the passphrase.
    void killedWithAnEncryptedBinderLosesNothing()
    {
        RuntimeDir runtime;
        REQUIRE_RUNTIME(runtime);
        Run run;
        {
            auto binder = run.f.open(run.binder);
            setPassphrase(*run.f.workspace, *binder, TestPassphrase, KdfLimits::lowest());
            QVERIFY(saveBinderFile(*run.f.workspace, *binder, run.binder));
        }
        removeCompanions(run.binder);
        run.f.temp->deleteRegistered();
        QDir(run.f.path("src")).removeRecursively();
        run.startEditing(50, TestPassphrase);
        QVERIFY(run.process.waitForStarted());
        QVERIFY2(run.waitFor([&] { return !run.snapshots().isEmpty(); }),
                 run.process.readAllStandardError().constData());
        ::kill(pid_t(run.process.processId()), SIGKILL);
        QVERIFY(run.process.waitForFinished());

        for (const QString &folder : {run.state, run.f.path("home"), runtime.path()}) {
            QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QByteArray bytes = readFile(it.next());
                QVERIFY2(!bytes.contains("a late page") && !bytes.contains("second"),
                         qPrintable(it.filePath()));
            }
        }
        run.f.ui.passphrases = {"wrong", "wrong", "wrong"};
        QCOMPARE(run.recoverAndSave(), QStringList{"not recovered"});
        run.f.ui.passphrases = {TestPassphrase, TestPassphrase};
        QCOMPARE(run.recoverAndSave(), run.expected);
        QVERIFY(isEncryptedBinderFile(run.binder));
    }

    void terminatedWritesItsSnapshotAndLetsGo()
    {
        Run run;
        run.startEditing(3600 * 1000);
        QVERIFY(run.process.waitForReadyRead(120000));
        QCOMPARE(run.process.readLine().trimmed(), QByteArray("ready"));
        QVERIFY(run.snapshots().isEmpty());
        run.terminate();

        QCOMPARE(run.recoverAndSave(), run.expected);
    }

    void theProgramEndsCleanlyOnSigterm()
    {
        Run run;
        writeFile(run.f.path("home/config/Tamsin Orde/Quillery.ini"),
                  "[Quillery]\nAuthorName=tester\nRecoveryDelay=0.05\n");
        run.process.setProcessEnvironment(run.environment());
        run.process.start(QUILLERY_APP, {run.binder});
        QVERIFY(run.process.waitForStarted());
        run.waitFor([&] { return QFile::exists(lockNotePath(run.binder)); });
        QVERIFY2(QFile::exists(shadowCopyPath(run.binder)),
                 (run.process.readAll() + run.process.readAllStandardError()).constData());
        run.terminate();
        QVERIFY(run.snapshots().isEmpty()); // nothing was changed
    }
};

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(ChildBinder))
        return runEditingProcess(argc, argv);
    QApplication app(argc, argv);
    tst_recoveryprocess test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recoveryprocess.moc"
