// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArchiveSupport.h"
#include "BinderFixture.h"
#include "TestSupport.h"
#include "documents/BinderSaver.h"
#include "documents/CompanionFiles.h"
#include "documents/LumpArchive.h"
#include "documents/NewBinder.h"
#include "platform/ConsoleText.h"
#include "transfer/PageImport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <pwd.h>
#include <unistd.h>

using namespace quillery;
using namespace quillery::test;

namespace {

using Run = ProgramRun;

// Runs the tool as a user whose settings are in configHome (none when empty).
Run cli(const QStringList &args, const QByteArray &input = QByteArray(),
        const QString &configHome = QString())
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", configHome.isEmpty() ? "/nonexistent" : configHome);
    // As a script run from cron or over ssh has it: no desktop session.
    environment.remove("XDG_RUNTIME_DIR");
    return runProgram(QUILLERY_CLI, args, input, environment);
}

// A binder whose pages carry the given names, whatever a file could be called (import would
// take a text page's name up to its last dot), and kinds (text when not given); page i
// holds the number i.
QString binderWithNames(BinderFixture &f, const QString &binderName, const QStringList &names,
                        const QList<PageKind> &kinds = {})
{
    Binder binder;
    NewFile(*f.workspace, binder, false);
    for (int i = 0; i < names.size(); ++i) {
        const QString source = f.file(QStringLiteral("src/p%1").arg(i), QByteArray::number(i));
        if (!ImportFile(*f.workspace, binder, source, kinds.value(i, PageKind::TXT)))
            return QString();
        PageRow row = binder.pages.at(i);
        row.name = names.at(i);
        binder.pages.replace(i, row);
    }
    const QString path = f.path(binderName);
    return SavFile(*f.workspace, binder, path) ? path : QString();
}

} // namespace

class tst_cli : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void createAddListExtractInfo()
    {
        BinderFixture f;
        const QString a = f.file("a.txt", "alpha");
        const QString b = f.file("same/a.txt", "beta");
        const QString pic = f.file("p q.png", "PNG");
        const QString binder = f.path("made.qly");
        QCOMPARE(cli({"create", binder, a, pic}).code, 0);
        QCOMPARE(cli({"create", binder}).code, 1); // never replaces a file
        QCOMPARE(cli({"create", f.path("none.qly"), f.path("missing.txt")}).code, 1);
        QVERIFY(!QFile::exists(f.path("none.qly")));
        QCOMPARE(cli({"add", binder, b}).code, 0);
        QVERIFY(!QFile::exists(lockNotePath(binder)));
        QVERIFY(!QFile::exists(shadowCopyPath(binder)));

        const Run list = cli({"list", binder});
        QCOMPARE(list.code, 0);
        QCOMPARE(list.out, QString("1\tTXT\t5\ta\n2\tPICTURE\t3\tp q.png\n3\tTXT\t4\ta\n"));

        QCOMPARE(cli({"extract", binder, f.path("out")}).code, 0);
        QCOMPARE(readFile(f.path("out/a.txt")), QByteArray("alpha"));
        QCOMPARE(readFile(f.path("out/a1.txt")), QByteArray("beta"));
        QCOMPARE(readFile(f.path("out/p q.png")), QByteArray("PNG"));

        const Run info = cli({"info", binder});
        QVERIFY2(info.out.startsWith("Title=made\n"), qPrintable(info.out));
        QVERIFY(info.out.contains("\nPage3=a\n"));
        QVERIFY(info.out.contains("\nPages=3\n"));
    }

    void extractNamesFilesByKind()
    {
        BinderFixture f;
        // How each kind is named is the file names' own test; here, that extract uses it.
        const QString path = binderWithNames(
            f, "kinds.qly", {"Notes", "index.php", "photo", "Notes", "   ", "../up"},
            {PageKind::RTF, PageKind::HTML, PageKind::PICTURE, PageKind::RTF, PageKind::TXT,
             PageKind::HTML});
        const Run run = cli({"extract", path, f.path("out")});
        QCOMPARE(run.code, 0);
        QStringList written = QDir(f.path("out")).entryList(QDir::Files | QDir::Hidden);
        written.sort();
        QCOMPARE(written, QStringList({"Notes.rtf", "Notes1.rtf", "_.._up.htm", "index.php",
                                       "page.txt", "photo"}));
        QCOMPARE(readFile(f.path("out/Notes1.rtf")), QByteArray("3"));
        QCOMPARE(readFile(f.path("out/page.txt")), QByteArray("4"));

        // A page that cannot be written, as on a full disk, is named and leaves no part of it
        // behind; the other pages still come out.
        const QString mixed = f.makeBinder(
            "mixed.qly", {{"big.txt", QByteArray(64 * 1024, 'b')}, {"small.txt", "s"}});
        Run full;
        {
            FileSizeLimit limit(16 * 1024);
            full = cli({"extract", mixed, f.path("full")});
        }
        QCOMPARE(full.code, 1);
        QVERIFY2(full.err.contains("big.txt"), qPrintable(full.err));
        QCOMPARE(QDir(f.path("full")).entryList(QDir::Files), QStringList({"small.txt"}));
    }

    void checkNamesEveryFault()
    {
        BinderFixture f;
        const QString good = f.makeBinder("good.qly", {{"a.txt", "alpha"}, {"b.txt", "beta"}});
        const Run sound = cli({"check", good});
        QCOMPARE(sound.code, 0);
        QCOMPARE(sound.out, QString());

        // Claim a third page, push lump 3 past the end of the file and rename a kind.
        QByteArray bytes = readFile(good);
        bytes.replace("Pages=2", "Pages=3");
        const qsizetype dir = bytes.size() - 3 * 16;
        bytes[dir + 2 * 16 + 4] = char(0x7f);
        bytes.replace(dir + 16 + 8, 3, "XYZ");
        writeFile(f.path("bad.qly"), bytes);
        const Run bad = cli({"check", f.path("bad.qly")});
        QCOMPARE(bad.code, 1);
        QVERIFY2(bad.out.contains("lump 3"), qPrintable(bad.out));
        QVERIFY(bad.out.contains("unknown kind \"XYZ\""));
        QVERIFY(bad.out.contains("says 3 pages but the file has 2"));
        writeFile(f.path("short.qly"), bytes.replace("Pages=3", "Pages=1"));
        QVERIFY(
            cli({"check", f.path("short.qly")}).out.contains("says 1 pages but the file has 2"));

        const Run damaged = cli({"list", f.path("bad.qly")});
        QCOMPARE(damaged.code, 1);
        QVERIFY(damaged.err.contains(f.path("bad.qly")));
    }

    void passwordsHelpAndUsage()
    {
        BinderFixture f;
        const QString locked = f.makeBinder("locked.qly", {{"a.txt", "alpha"}}, "Open Sesame");
        QCOMPARE(cli({"list", locked}).code, 2);
        QCOMPARE(cli({"--password", "open sesame", "list", locked}).code, 2);
        const Run right = cli({"--password", "Open Sesame", "info", locked});
        QCOMPARE(right.code, 0);
        QVERIFY(!right.out.contains("Data="));
        // Kept for scripts, but never without saying what it costs.
        QCOMPARE(right.err,
                 QString("quillery-cli: warning: --password shows the password to other users of "
                         "this machine (in process lists); give it with --password-file FILE, or "
                         "--password-file - to read standard input\n"));
        QCOMPARE(cli({"--password-file", f.file("pw", "Open Sesame\n"), "list", locked}).code, 0);
        QCOMPARE(cli({"--password-file", "-", "list", locked}, "Open Sesame\n").code, 0);
        const Run wrong = cli({"--password-file", "-", "list", locked}, "nope\n");
        QCOMPARE(wrong.code, 2);
        QCOMPARE(wrong.err, locked + ": the password is wrong\n");
        QCOMPARE(cli({"--password-file", f.path("missing"), "list", locked}).code, 1);

        const Run help = cli({"--help"});
        QCOMPARE(help.code, 0);
        QVERIFY(help.out.contains("Exit codes"));
        QVERIFY(help.out.contains("other users"));
        QCOMPARE(help.err, QString());
        const Run version = cli({"--version", "list"});
        QCOMPARE(version.code, 0);
        QCOMPARE(version.out, QString("quillery-cli " QUILLERY_VERSION "\n"));
        const Run unknown = cli({"--frobnicate", "list", "x.qly"});
        QCOMPARE(unknown.code, 64);
        QCOMPARE(unknown.err.section('\n', 0, 0),
                 QString("quillery-cli: unknown option --frobnicate"));
        QVERIFY(unknown.err.contains("Usage: quillery-cli"));
        QCOMPARE(unknown.out, QString());
        QCOMPARE(cli({"frobnicate"}).code, 64);
        QCOMPARE(cli({"list"}).code, 64);
        const Run count = cli({"list", locked, "extra"});
        QCOMPARE(count.code, 64);
        QCOMPARE(count.err, QString("usage: quillery-cli list BINDER.qly\n"));
    }

    void binderHeldByThisProcessIsNotChanged()
    {
        BinderFixture f;
        const QString path = f.makeBinder("held.qly", {{"a.txt", "alpha"}});
        auto binder = f.open(path);
        QVERIFY(binder);
        const QByteArray before = readFile(path);
        const QByteArray note = readFile(lockNotePath(path));

        const Run add = cli({"add", path, f.file("b.txt", "beta")});
        QCOMPARE(add.code, 1);
        QCOMPARE(add.err, path + ": is in use by tester; nothing was added\n");
        QCOMPARE(readFile(path), before);
        QCOMPARE(readFile(lockNotePath(path)), note);
        QVERIFY(QFile::exists(shadowCopyPath(path)));
        QCOMPARE(cli({"list", path}).out, QString("1\tTXT\t5\ta\n"));

        // Nor is one that opens read-only, here since its lock note cannot be written.
        const QString blocked = f.makeBinder("blocked.qly", {{"a.txt", "alpha"}});
        removeCompanions(blocked);
        QVERIFY(QDir().mkpath(lockNotePath(blocked)));
        const QByteArray unchanged = readFile(blocked);
        QCOMPARE(cli({"add", blocked, f.file("c.txt", "gamma")}).code, 1);
        QCOMPARE(readFile(blocked), unchanged);
    }

    void outputNeverFollowsLinksAndFitsLongNames()
    {
        BinderFixture f;
        const QString longName = QString(300, u'x') + ".txt";
        const QString path = binderWithNames(f, "names.qly", {"a.txt", "a.txt", "a.txt", longName});
        QVERIFY(!path.isEmpty());
        QVERIFY(QDir().mkpath(f.path("out")));
        // A dangling link where the first page would go: its target must never appear.
        QVERIFY(QFile::link(f.path("victim"), f.path("out/a.txt")));
        QFile::setPermissions(f.path("out"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const Run run = cli({"extract", path, f.path("out")});
        QCOMPARE(run.code, 0);
        QVERIFY(!QFile::exists(f.path("victim")));
        QVERIFY(QFileInfo(f.path("out/a.txt")).isSymLink());
        QCOMPARE(readFile(f.path("out/a1.txt")), QByteArray("0"));
        QCOMPARE(readFile(f.path("out/a2.txt")), QByteArray("1"));
        QCOMPARE(readFile(f.path("out/a3.txt")), QByteArray("2"));
        const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        const QFileInfo longFile(lines.last());
        QVERIFY(longFile.fileName().endsWith(".txt"));
        QVERIFY(longFile.fileName().toUtf8().size() <= 255);
        QCOMPARE(readFile(lines.last()), QByteArray("3"));

        // create never writes through a link either, dangling or not.
        QVERIFY(QFile::link(f.path("victim.qly"), f.path("made.qly")));
        QCOMPARE(cli({"create", f.path("made.qly")}).code, 1);
        QVERIFY(!QFile::exists(f.path("victim.qly")));
    }

    void hostileNamesCannotForgeOutput()
    {
        BinderFixture f;
        const QString path = binderWithNames(
            f, "forge.qly", {"evil\n2\tTXT\t5\tforged", "bell\x07\x1b[2J", "not\\x0a\x7f"});
        QVERIFY(!path.isEmpty());
        const Run list = cli({"list", path});
        QCOMPARE(list.code, 0);
        QCOMPARE(list.out.count('\n'), 3);
        QVERIFY(list.out.contains("evil\\x0a2\\x09TXT"));
        QVERIFY(list.out.contains("not\\\\x0a\\x7f\n"));
        QVERIFY(!list.out.contains(QChar(0x1b)) && !list.out.contains(QChar(0x07)));
        QCOMPARE(cli({"search", path, "0"}).out,
                 QString("1\tTXT\tevil\\x0a2\\x09TXT\\x095\\x09forged\n"));
        const Run extract = cli({"extract", path, f.path("out")});
        QCOMPARE(extract.code, 0);
        QCOMPARE(extract.out.count('\n'), 3);
        // Written without the controls; printed as written.
        QVERIFY2(QFile::exists(f.path("out/evil2TXT5forged.txt")), qPrintable(extract.out));
        QVERIFY(QFile::exists(f.path("out/bell[2J.txt")));

        const Run search = cli({"search", path, "1"});
        QCOMPARE(search.code, 0);
        QCOMPARE(search.out, QString("2\tTXT\tbell\\x07\\x1b[2J\n"));

        // A kind is a lump's name, which the file sets too.
        QByteArray bytes = readFile(path);
        const qsizetype kind = bytes.lastIndexOf("TXT");
        bytes.replace(kind, 3, "T\nX");
        writeFile(f.path("kind.qly"), bytes);
        const Run check = cli({"check", f.path("kind.qly")});
        QCOMPARE(check.code, 1);
        QVERIFY2(check.out.contains("unknown kind \"T\\x0aX\""), qPrintable(check.out));
        QCOMPARE(check.out.count('\n'), 1);
        const Run listed = cli({"list", f.path("kind.qly")});
        QCOMPARE(listed.out.count('\n'), 3);
    }

    void nonRegularFilesAreRefusedAtOnce()
    {
        BinderFixture f;
        const QString fifo = f.path("pipe.qly");
        QCOMPARE(QProcess::execute("mkfifo", {fifo}), 0);
        for (const char *command : {"list", "info", "check"}) {
            const Run run = cli({QString::fromLatin1(command), fifo});
            QCOMPARE(run.code, 1);
            QVERIFY2(run.err.contains("pipe.qly") || run.out.contains("pipe.qly"),
                     qPrintable(run.err));
        }
        QCOMPARE(cli({"add", fifo, f.file("a.txt", "a")}).code, 1);
        // A page file that is a FIFO is refused as well.
        const QString good = f.makeBinder("good.qly", {{"a.txt", "a"}});
        QCOMPARE(QProcess::execute("mkfifo", {f.path("page.txt")}), 0);
        QCOMPARE(cli({"add", good, f.path("page.txt")}).code, 1);
    }

    void infoReadsLumpOneAndCheckCapsFaults()
    {
        BinderFixture f;
        // Lump 1 is what opening reads, whatever another lump is called.
        writeArchive(f.path("decoy.qly"), {{"RECORDS", QByteArray("Title=Real\nPages=2\n")},
                                           {"QUILLERY", QByteArray("Title=Decoy\n")},
                                           {"TXT", QByteArray("x")}});
        const Run info = cli({"info", f.path("decoy.qly")});
        QCOMPARE(info.code, 0);
        QVERIFY2(info.out.contains("Title=Real") && !info.out.contains("Decoy"),
                 qPrintable(info.out));

        // Thousands of bad entries give a few lines per kind of fault, not thousands.
        NamedLumps many(5000, {"BOGUS", QByteArray()});
        many[0] = {"QUILLERY", QByteArray("Title=t\nPages=4999\n")};
        writeArchive(f.path("many.qly"), many);
        const Run check = cli({"check", f.path("many.qly")});
        QCOMPARE(check.code, 1);
        QVERIFY2(check.out.count('\n') < 100, qPrintable(check.out.left(500)));
        QVERIFY(check.out.contains("more faults like the one above"));
    }

    void createTitlesAndAuthorsEachBinder()
    {
        BinderFixture f;
        const auto recordsOf = [](const QString &binder) {
            return cli({"info", binder}).out.split('\n');
        };
        QCOMPARE(cli({"create", f.path("minutes.2024.qly")}, {}, f.path("none")).code, 0);
        QStringList records = recordsOf(f.path("minutes.2024.qly"));
        QVERIFY2(records.contains("Title=minutes.2024"), qPrintable(records.join('|')));
        const passwd *user = getpwuid(getuid());
        QVERIFY(user);
        QVERIFY(records.contains("Author=" + QString::fromLocal8Bit(user->pw_name)));

        // The program's author name, when it has one, as the program would store it.
        writeFile(f.path("config/Tamsin Orde/Quillery.ini"), "[Quillery]\nAuthorName=Ann Smith\n");
        QCOMPARE(cli({"create", f.path("a.qly"), f.file("p.txt", "x")}, {}, f.path("config")).code,
                 0);
        QVERIFY(recordsOf(f.path("a.qly")).contains("Author=Ann Smith"));

        const Run named = cli(
            {"create", f.path("b.qly"), "--title", "Q3 Plans", f.path("p.txt"), "--author", "Bo"},
            {}, f.path("config"));
        QCOMPARE(named.code, 0);
        records = recordsOf(f.path("b.qly"));
        QVERIFY(records.contains("Title=Q3 Plans") && records.contains("Author=Bo"));
        QVERIFY(records.contains("Pages=1"));

        const Run missing = cli({"create", f.path("c.qly"), "--title"});
        QCOMPARE(missing.code, 64);
        QCOMPARE(missing.err, QString("quillery-cli create: --title takes a title\n"));
        QVERIFY(!QFile::exists(f.path("c.qly")));
    }

    // Every fault is one line naming the file or the option, in the tool's own words.
    void messagesSuitScripts()
    {
        BinderFixture f;
        const QString good = f.makeBinder("good.qly", {{"a.txt", "alpha"}});
        const Run missing = cli({"list", f.path("missing.qly")});
        QCOMPARE(missing.code, 1);
        QCOMPARE(missing.err.count('\n'), 1);
        QVERIFY2(missing.err.startsWith(f.path("missing.qly") + ": "), qPrintable(missing.err));
        QVERIFY(!missing.err.contains("An error occurred") && !missing.err.contains(", 53"));

        const Run import = cli({"add", good, f.path("nothing.txt")});
        QCOMPARE(import.code, 1);
        QCOMPARE(import.err.count('\n'), 1);
        QVERIFY2(import.err.startsWith(f.path("nothing.txt") + ": "), qPrintable(import.err));

        const Run printed = cli({"print", good, f.path("text.pdf")});
        QCOMPARE(printed.code, 0);
        QCOMPARE(printed.err, QString());
        const Run pages = cli({"print", good, f.path("out.pdf"), "--pages", "0"});
        QCOMPARE(pages.code, 64);
        QCOMPARE(pages.err, QString("quillery-cli print: --pages takes pages numbered from 1, in a "
                                    "list such as 1,4-6, not \"0\"\n"));
        const Run quality =
            cli({"jpeg", f.file("in.ppm", "P6 1 1 255\nabc"), f.path("o.jpg"), "--quality", "0"});
        QCOMPARE(quality.code, 64);
    }

    // Written twice, a record keeps its first place and its last value, as opening reads it.
    void infoKeepsEachRecordOnceInItsPlace()
    {
        BinderFixture f;
        LumpArchive archive("QLY4");
        archive.setLumpCount(1);
        archive.setLumpName(1, "QUILLERY");
        archive.setLumpData(1, QByteArray("Title=first\r\nPages=0\nx=1\nTitle=last\nbad line\n"
                                          "Other=123\nNote=a\\nb\\\\c\n"));
        archive.WriteArchive(f.path("twice.qly"));
        const Run info = cli({"info", f.path("twice.qly")});
        QCOMPARE(info.code, 0);
        QCOMPARE(info.out, QString("Title=last\nPages=0\nx=1\nOther=123\nNote=a\\\\nb\\\\\\\\c\n"));
    }

    // The edges of each range of controls, and their neighbours, which are printed as they are.
    void printedTextEscapesEveryControl()
    {
        const std::pair<char16_t, QString> cases[] = {
            {0x00, "\\x00"},     {0x1f, "\\x1f"},     {0x20, " "},     {0x7e, "~"},
            {0x7f, "\\x7f"},     {0x80, "\\x80"},     {0x9f, "\\x9f"}, {0xa0, QString(QChar(0xa0))},
            {0x2028, "\\x2028"}, {0x2029, "\\x2029"}, {u'\\', "\\\\"},
        };
        for (const auto &[code, printed] : cases)
            QCOMPARE(consoleText("a" + QString(QChar(code)) + "b"), "a" + printed + "b");
    }
};

QTEST_GUILESS_MAIN(tst_cli)
#include "tst_cli.moc"
