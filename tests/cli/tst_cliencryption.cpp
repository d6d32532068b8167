// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "RuntimeDir.h"
#include "TestSupport.h"
#include "documents/EncryptedBinder.h"
#include "platform/FileLock.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QTest>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

using namespace quillery;
using namespace quillery::test;

namespace {

const QByteArray Marker = "okapi-7f3c";

// The tool as a script runs it: without a terminal, so nobody can type at a prompt.
void startCli(QProcess &process, const QStringList &args)
{
    process.setChildProcessModifier([] { ::setsid(); });
    process.start(QUILLERY_CLI, args);
}

ProgramRun cli(const QStringList &args, const QByteArray &input = QByteArray(),
               const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    startCli(process, args);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(120000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// A runtime folder, a plain binder made by the tool, the arguments that give its passphrase,
// and the same binder encrypted.
struct Binders
{
    RuntimeDir runtime;
    BinderFixture f;
    QString plain = f.path("plain.qly");
    QString encrypted = f.path("secret.qly");
    QStringList pass{"--password-file", f.file("passphrase", "correct horse\n")};
    QByteArray plainBytes;
    QByteArray sealed;

    Binders()
    {
        cli({"create", plain, f.file("notes.txt", Marker + " notes"), f.file("pic.png", "PNG")});
        plainBytes = readFile(plain);
        QFile::copy(plain, encrypted);
        cli(pass + QStringList{"encrypt", encrypted, "--kdf", "interactive"});
        sealed = readFile(encrypted);
    }
};

// Starts the tool and kills it once a scratch file matching pattern in folder has bytes;
// false when it ended first.
bool killWhileWriting(
    const QStringList &args, const QDir &folder, const QString &pattern,
    const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess running;
    running.setProcessEnvironment(environment);
    startCli(running, args);
    if (!running.waitForStarted())
        return false;
    bool killed = false;
    while (!killed && running.state() != QProcess::NotRunning) {
        for (const QFileInfo &file : folder.entryInfoList({pattern}, QDir::Hidden | QDir::Files)) {
            if (file.size() > 0) {
                ::kill(pid_t(running.processId()), SIGKILL);
                killed = true;
            }
        }
        running.waitForFinished(1);
    }
    running.waitForFinished();
    return killed && running.exitStatus() == QProcess::CrashExit;
}

} // namespace

class tst_cliencryption : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void encryptReadDecrypt()
    {
        Binders b;
        REQUIRE_RUNTIME(b.runtime);
        QVERIFY(!b.sealed.contains(Marker));

        // Decrypting gives back the very bytes that were encrypted, beside it or in place.
        const QString beside = b.f.path("beside.qly");
        QCOMPARE(cli(b.pass + QStringList{"decrypt", b.encrypted, beside}).code, 0);
        QCOMPARE(readFile(beside), b.plainBytes);
        QCOMPARE(cli(b.pass + QStringList{"decrypt", b.encrypted, beside}).code, 1);
        // A password file written on Windows ends its line with CR LF.
        const QStringList crlf{"--password-file", b.f.file("crlf", "correct horse\r\n")};
        QCOMPARE(cli(crlf + QStringList{"decrypt", b.encrypted, b.f.path("crlf.qly")}).code, 0);
        QCOMPARE(readFile(b.f.path("crlf.qly")), b.plainBytes);
        QCOMPARE(readFile(b.encrypted), b.sealed);
        QCOMPARE(cli(b.pass + QStringList{"decrypt", b.encrypted}).code, 0);
        QCOMPARE(readFile(b.encrypted), b.plainBytes);
    }

    void wrongUseIsRefusedAndChangesNothing()
    {
        Binders b;
        REQUIRE_RUNTIME(b.runtime);

        // A passphrase comes from a file or a terminal, never the command line: --password is
        // warned about as anywhere, and never taken for it.
        ProgramRun run = cli({"--password", "correct horse", "list", b.encrypted});
        QCOMPARE(run.code, 2);
        QVERIFY(run.err.contains(b.encrypted + ": the binder is encrypted"));
        // With no terminal to type at, nothing waits for a passphrase.
        QCOMPARE(cli({"list", b.encrypted}).code, 2);
        run =
            cli({"--password-file", b.f.file("wrong", "incorrect horse"), "decrypt", b.encrypted});
        QCOMPARE(run.code, 2);
        QVERIFY(run.err.contains(b.encrypted));
        // The tool takes one passphrase and does not ask again, so it speaks of no tries left.
        QVERIFY2(run.err.contains("The binder is not opened.") && !run.err.contains("Tries"),
                 qPrintable(run.err));

        run = cli(b.pass + QStringList{"encrypt", b.encrypted});
        QCOMPARE(run.code, 1);
        QCOMPARE(run.err, b.encrypted + ": is encrypted already\n");
        const QString text = b.f.file("text.qly", "not a binder at all");
        // Each level of --kdf is known (the file is refused before a key is made).
        for (const QString &level : QStringList{"interactive", "moderate", "sensitive"})
            QCOMPARE(cli(b.pass + QStringList{"encrypt", text, "--kdf", level}).code, 1);
        QCOMPARE(cli(b.pass + QStringList{"encrypt", b.plain, "--kdf", "lavish"}).code, 64);
        QCOMPARE(cli(b.pass + QStringList{"encrypt", b.plain, b.encrypted}).code, 1);
        QCOMPARE(readFile(b.encrypted), b.sealed);
        QCOMPARE(readFile(b.plain), b.plainBytes);

        // An empty passphrase is refused, from a file or from standard input.
        const QStringList empty{"--password-file", b.f.file("empty", "\n")};
        run = cli(empty + QStringList{"encrypt", b.plain, "--kdf", "interactive"});
        QCOMPARE(run.code, 2);
        QVERIFY(run.err.contains(b.plain + ": the passphrase read with --password-file is empty"));
        run = cli({"--password-file", "-", "encrypt", b.plain, "--kdf", "interactive"}, "");
        QCOMPARE(run.code, 2);
        QVERIFY(run.err.contains("must not be empty"));
        QCOMPARE(readFile(b.plain), b.plainBytes);
        run = cli(empty + QStringList{"decrypt", b.encrypted});
        QCOMPARE(run.code, 2);
        QVERIFY(run.err.contains(b.encrypted + ": the passphrase read with --password-file is"));
        QCOMPARE(readFile(b.encrypted), b.sealed);

        // A binder a window holds is left alone.
        const FileLock held = FileLock::acquire(b.plain);
        QCOMPARE(cli(b.pass + QStringList{"encrypt", b.plain}).code, 1);
        QCOMPARE(readFile(b.plain), b.plainBytes);
    }

    // A run in place that fails half way, here on a damaged chunk, leaves the binder as it
    // was: the file being replaced is never the one given up.
    void aFailedRunInPlaceKeepsTheBinder()
    {
        Binders b;
        REQUIRE_RUNTIME(b.runtime);
        // Large enough for several chunks: the passphrase opens the first, a later one fails.
        const QString big = b.f.file("big.bin", QByteArray(3 << 20, 'b'));
        QCOMPARE(cli(b.pass + QStringList{"add", b.encrypted, big}).code, 0);
        QByteArray damaged = readFile(b.encrypted);
        damaged[damaged.size() - 1] = char(damaged.back() ^ 0x40);
        writeFile(b.encrypted, damaged);
        const ProgramRun run = cli(b.pass + QStringList{"decrypt", b.encrypted});
        QCOMPARE(run.code, 1);
        QVERIFY2(run.err.startsWith(b.encrypted + ": "), qPrintable(run.err));
        QCOMPARE(readFile(b.encrypted), damaged);
        QVERIFY(QDir(b.f.dir.path()).entryList({".secret.qly.*"}, QDir::Hidden).isEmpty());
    }

    // Root shells, su and cron have no runtime folder: the plain copy lives in memory all
    // the same, and nothing is left behind.
    void theToolNeedsNoRuntimeFolder()
    {
        Binders b;
        REQUIRE_RUNTIME(b.runtime);
        QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
        bare.remove("XDG_RUNTIME_DIR");
        bare.insert("TMPDIR", b.f.path("bare-tmp"));
        QVERIFY(QDir().mkdir(b.f.path("bare-tmp")));
        const QString late = b.f.file("late.txt", Marker + " late");
        QCOMPARE(cli(b.pass + QStringList{"add", b.encrypted, late}, {}, bare).code, 0);
        const ProgramRun run = cli(b.pass + QStringList{"list", b.encrypted}, {}, bare);
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out, cli({"list", b.plain}).out + "3\tTXT\t15\tlate\n");
        QVERIFY(!readFile(b.encrypted).contains(Marker));
        QCOMPARE(cli(b.pass + QStringList{"decrypt", b.encrypted}, {}, bare).code, 0);
        QVERIFY(readFile(b.encrypted).contains(Marker + " late"));
        for (const QString &folder : {b.f.path("bare-tmp"), b.runtime.path()})
            QVERIFY(!QDirIterator(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories)
                         .hasNext());
    }

    // A decrypt killed while it writes leaves a partial plain copy that only its owner may
    // read, and the next run over the binder removes it.
    void aKilledDecryptLeavesNothingReadable()
    {
        Binders b;
        REQUIRE_RUNTIME(b.runtime);
        QVERIFY(::chmod(QFile::encodeName(b.encrypted).constData(), 0644) == 0);
        const QString big = b.f.file("big.bin", QByteArray(96 << 20, 'b'));
        QCOMPARE(cli(b.pass + QStringList{"add", b.encrypted, big}).code, 0);
        const QDir folder(b.f.dir.path());
        QVERIFY2(
            killWhileWriting(b.pass + QStringList{"decrypt", b.encrypted}, folder, ".secret.qly.*"),
            "the decrypt ended before it could be killed");
        const QFileInfoList left =
            folder.entryInfoList({".secret.qly.*"}, QDir::Hidden | QDir::Files);
        QCOMPARE(left.size(), 1);
        QCOMPARE(left.first().permissions() &
                     ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser),
                 QFileDevice::Permissions());
        QVERIFY(isEncryptedBinderFile(b.encrypted));

        QCOMPARE(cli(b.pass + QStringList{"decrypt", b.encrypted}).code, 0);
        QVERIFY(folder.entryList({".secret.qly.*"}, QDir::Hidden | QDir::Files).isEmpty());
        QCOMPARE(QFileInfo(b.encrypted).permissions() & QFile::ReadOther, QFile::ReadOther);
        QVERIFY(readFile(b.encrypted).startsWith("QLY4"));
    }

    // Adding keeps a binder encrypted with its key, and a tool killed while it saves leaves
    // the container it had.
    void addingKeepsItEncryptedEvenWhenKilled()
    {
        Binders b;
        REQUIRE_RUNTIME(b.runtime);
        const QString late = b.f.file("late.txt", Marker + " late");
        const QString big = b.f.file("big.bin", QByteArray(64 << 20, 'b'));
        QCOMPARE(cli(b.pass + QStringList{"add", b.encrypted, late, big}).code, 0);
        const QByteArray before = readFile(b.encrypted);
        QVERIFY(!before.contains(Marker));
        QCOMPARE(before.mid(0, 52), b.sealed.mid(0, 52)); // the same key
        QVERIFY(!QFile::exists(b.f.path("$secret.qd")));
        QCOMPARE(QDir(b.runtime.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
        const QString more = b.f.file("more.bin", QByteArray(64 << 20, 'm'));

        // The killed tool cannot remove its scratch folder: it goes with the test's folder.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TMPDIR", b.f.dir.path());
        // The tool is killed once the new container has begun beside the old one.
        QVERIFY2(killWhileWriting(b.pass + QStringList{"add", b.encrypted, more},
                                  QDir(b.f.dir.path()), ".secret.qly.*", environment),
                 "the save ended before it could be killed");

        QCOMPARE(readFile(b.encrypted), before);
        // It is known by its header, whatever its name.
        const QString renamed = b.f.path("holiday.txt");
        QVERIFY(QFile::rename(b.encrypted, renamed));
        QCOMPARE(cli(b.pass + QStringList{"list", renamed}).out,
                 cli({"list", b.plain}).out + "3\tTXT\t15\tlate\n4\tFILE\t67108864\tbig.bin\n");
    }

    // The chunks before a cut pass their check and give back the pages they hold, which
    // are encrypted again: nothing plain reaches the disk.
    void salvageKeepsWhatTheSoundChunksHold()
    {
        RuntimeDir runtime;
        BinderFixture f;
        const QStringList pass{"--password-file", f.file("passphrase", "correct horse\n")};
        QByteArray noise(1500000, '\0');
        for (qsizetype i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 7919) >> 3 ^ i);
        const QString binder = f.path("big.qly");
        QCOMPARE(cli({"create", binder, f.file("notes.txt", Marker),
                      f.file("rich.rtf", "{\\rtf1 " + Marker + "}"),
                      f.file("last.rtf", "{\\rtf1 last}"), f.file("noise.bin", noise)})
                     .code,
                 0);
        QCOMPARE(cli(pass + QStringList{"encrypt", binder, "--kdf", "interactive"}).code, 0);
        const QByteArray sealed = readFile(binder);
        const QString damaged = f.path("cut.qly");
        writeFile(damaged, sealed.left(1200000)); // inside the second chunk of 1 MiB

        const QString out = f.path("rescued.qly");
        QCOMPARE(cli({"salvage", damaged, f.path("nopass.qly")}).code, 2);
        QVERIFY(!QFile::exists(f.path("nopass.qly")));
        const ProgramRun run = cli(pass + QStringList{"salvage", damaged, out});
        QCOMPARE(run.code, 1);
        QVERIFY2(run.err.contains("its encrypted data ends early"), qPrintable(run.err));
        QVERIFY2(run.err.contains("page 4: could not be told apart"), qPrintable(run.err));
        QVERIFY(isEncryptedBinderFile(out));
        QVERIFY(!readFile(out).contains(Marker));
        QCOMPARE(cli(pass + QStringList{"list", out}).out,
                 QString("1\tTXT\t10\tnotes\n2\tRTF\t18\trich\n3\tRTF\t12\tlast\n"));
        QCOMPARE(readFile(damaged), sealed.left(1200000));
    }
};

QTEST_GUILESS_MAIN(tst_cliencryption)
#include "tst_cliencryption.moc"
