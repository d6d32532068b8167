// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArchiveSupport.h"
#include "BinderFixture.h"
#include "TestSupport.h"
#include "documents/BinderSaver.h"
#include "documents/CompanionFiles.h"
#include "documents/NewBinder.h"
#include "images/ImageTestTools.h"
#include "platform/ConsoleText.h"
#include "transfer/PageImport.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTest>

using namespace quillery;
using namespace quillery::test;

namespace {

// Runs the tool as a user without settings and, as a script run from cron or over ssh has it,
// without a desktop session.
ProgramRun cli(const QStringList &args, const QByteArray &input = QByteArray())
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", "/nonexistent");
    environment.remove("XDG_RUNTIME_DIR");
    return runProgram(QUILLERY_CLI, args, input, environment);
}

// A binder of text pages with the given names, whatever a file could be called (import would
// take a page's name up to its last dot); page i holds the number i.
QString binderWithNames(BinderFixture &f, const QString &binderName, const QStringList &names)
{
    Binder binder;
    makeNewBinder(*f.workspace, binder, false);
    for (int i = 0; i < names.size(); ++i) {
        const QString source = f.file(QStringLiteral("src/p%1").arg(i), QByteArray::number(i));
        if (!importFile(*f.workspace, binder, source, PageKind::TXT))
            return QString();
        PageRow row = binder.pages().at(i);
        row.name = names.at(i);
        binder.updatePage(i + 1, row);
    }
    const QString path = f.path(binderName);
    return saveBinderFile(*f.workspace, binder, path) ? path : QString();
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
        // A fault is one line naming the file, in the tool's own words.
        const ProgramRun failed = cli({"create", f.path("none.qly"), f.path("missing.txt")});
        QCOMPARE(failed.code, 1);
        QCOMPARE(failed.err.count('\n'), 1);
        QVERIFY2(failed.err.startsWith(f.path("missing.txt") + ": "), qPrintable(failed.err));
        QVERIFY(!QFile::exists(f.path("none.qly")));
        QCOMPARE(cli({"add", binder, b}).code, 0);
        QVERIFY(!QFile::exists(lockNotePath(binder)));
        QVERIFY(!QFile::exists(shadowCopyPath(binder)));

        QCOMPARE(cli({"list", binder}).out,
                 QString("1\tTXT\t5\ta\n2\tPICTURE\t3\tp q.png\n3\tTXT\t4\ta\n"));

        QCOMPARE(cli({"extract", binder, f.path("out")}).code, 0);
        QCOMPARE(readFile(f.path("out/a.txt")), QByteArray("alpha"));
        QCOMPARE(readFile(f.path("out/a1.txt")), QByteArray("beta"));

        QVERIFY(cli({"info", binder}).out.startsWith("Title=made\n"));
    }

    void extractLeavesNoPartOfAPageItCannotWrite()
    {
        BinderFixture f;
        // As on a full disk: the page is named, and the other pages still come out.
        const QString mixed = f.makeBinder(
            "mixed.qly", {{"big.txt", QByteArray(64 * 1024, 'b')}, {"small.txt", "s"}});
        const FileSizeLimit fullDisk(16 * 1024);
        const ProgramRun full = cli({"extract", mixed, f.path("full")});
        QCOMPARE(full.code, 1);
        QVERIFY2(full.err.contains("big.txt"), qPrintable(full.err));
        QCOMPARE(QDir(f.path("full")).entryList(QDir::Files), QStringList({"small.txt"}));
    }

    void checkNamesEveryFault()
    {
        BinderFixture f;
        const QString good = f.makeBinder("good.qly", {{"a.txt", "alpha"}, {"b.txt", "beta"}});
        QCOMPARE(cli({"check", good}).code, 0);

        // Claim a third page and push lump 3 past the end of the file.
        QByteArray bytes = readFile(good);
        bytes.replace("Pages=2", "Pages=3");
        bytes[bytes.size() - 16 + 4] = char(0x7f);
        writeFile(f.path("bad.qly"), bytes);
        const ProgramRun bad = cli({"check", f.path("bad.qly")});
        QCOMPARE(bad.code, 1);
        QVERIFY2(bad.out.contains("lump 3"), qPrintable(bad.out));
        QVERIFY(bad.out.contains("says 3 pages but the file has 2"));
        writeFile(f.path("short.qly"), bytes.replace("Pages=3", "Pages=1"));
        QVERIFY(
            cli({"check", f.path("short.qly")}).out.contains("says 1 pages but the file has 2"));

        const ProgramRun damaged = cli({"list", f.path("bad.qly")});
        QCOMPARE(damaged.code, 1);
        QVERIFY2(damaged.err.startsWith(f.path("bad.qly") + ": "), qPrintable(damaged.err));
    }

    void passwordsHelpAndUsage()
    {
        BinderFixture f;
        const QString locked = f.makeBinder("locked.qly", {{"a.txt", "alpha"}}, "Open Sesame");
        QCOMPARE(cli({"--password", "open sesame", "list", locked}).code, 2);
        const ProgramRun right = cli({"--password", "Open Sesame", "info", locked});
        QCOMPARE(right.code, 0);
        QVERIFY(!right.out.contains("Data="));
        // Kept for scripts, but never without saying what it costs.
        QVERIFY(right.err.startsWith("quillery-cli: warning: --password shows the password"));
        QCOMPARE(cli({"--password-file", "-", "list", locked}, "Open Sesame\n").code, 0);

        QCOMPARE(cli({"list", locked, "extra"}).code, 64);
        // A word the tool does not know is named, in one line, not buried in the help.
        for (const QStringList &wrong : {QStringList{"lst", locked}, QStringList{"--pasword"}}) {
            const ProgramRun run = cli(wrong);
            QCOMPARE(run.code, 64);
            QVERIFY2(run.err.contains("unknown") && run.err.contains("'" + wrong.first() + "'"),
                     qPrintable(run.err));
            QCOMPARE(run.err.count('\n'), 1);
        }
    }

    void jpegCodesWhatQtAloneReadsToo()
    {
        // The tool codes PPM files before loading Qt and starts its Qt part for a PNG: the
        // same picture gives the same file either way.
        BinderFixture f;
        const QImage picture = randomPicture(97, 61, 24).toQImage();
        const QString ppm = f.path("in.ppm");
        const QString png = f.path("in.png");
        QVERIFY(picture.save(ppm, "ppm") && picture.save(png, "png"));
        for (const QStringList &options : {QStringList{"--quality", "90"}, QStringList{"--fast"}}) {
            const QString fromPpm = f.path("ppm" + options.last() + ".jpg");
            const QString fromPng = f.path("png" + options.last() + ".jpg");
            QCOMPARE(cli(QStringList{"jpeg", ppm, fromPpm} + options).code, 0);
            QCOMPARE(cli(QStringList{"jpeg", png, fromPng} + options).code, 0);
            QVERIFY(!QImage(fromPpm).isNull());
            QCOMPARE(readFile(fromPng), readFile(fromPpm));
        }
        const ProgramRun wrong = cli({"jpeg", ppm, f.path("x.jpg"), "--fastest"});
        QCOMPARE(wrong.code, 64);
        QVERIFY(wrong.err.contains("--fastest"));
    }

    void binderHeldByThisProcessIsNotChanged()
    {
        BinderFixture f;
        const QString path = f.makeBinder("held.qly", {{"a.txt", "alpha"}});
        auto binder = f.open(path);
        const QByteArray before = readFile(path);
        const QByteArray note = readFile(lockNotePath(path));

        const ProgramRun add = cli({"add", path, f.file("b.txt", "beta")});
        QCOMPARE(add.code, 1);
        QCOMPARE(add.err, path + ": is in use by tester; nothing was added\n");
        QCOMPARE(readFile(path), before);
        QCOMPARE(readFile(lockNotePath(path)), note);

        // Nor is one that opens read-only, here since its lock note cannot be written.
        binder.reset();
        removeCompanions(path);
        QVERIFY(QDir().mkpath(lockNotePath(path)));
        QCOMPARE(cli({"add", path, f.file("c.txt", "gamma")}).code, 1);
        QCOMPARE(readFile(path), before);
    }

    void outputNeverFollowsLinksNorLeavesItsFolder()
    {
        BinderFixture f;
        const QString longName = QString(300, u'x') + ".txt";
        const QString path = binderWithNames(f, "names.qly", {"a.txt", "a.txt", "../up", longName});
        QVERIFY(QDir().mkpath(f.path("out")));
        // A dangling link where the first page would go: its target must never appear.
        QVERIFY(QFile::link(f.path("victim"), f.path("out/a.txt")));
        const ProgramRun run = cli({"extract", path, f.path("out")});
        QCOMPARE(run.code, 0);
        QVERIFY(!QFile::exists(f.path("victim")));
        QCOMPARE(readFile(f.path("out/a1.txt")), QByteArray("0"));
        QCOMPARE(readFile(f.path("out/a2.txt")), QByteArray("1"));
        const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(QFileInfo(lines.at(2)).absolutePath(), f.path("out"));
        QCOMPARE(readFile(lines.at(2)), QByteArray("2"));
        QVERIFY(QFileInfo(lines.last()).fileName().toUtf8().size() <= 255);
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
        QCOMPARE(cli({"list", path}).out, QString("1\tTXT\t1\tevil\\x0a2\\x09TXT\\x095\\x09forged\n"
                                                  "2\tTXT\t1\tbell\\x07\\x1b[2J\n"
                                                  "3\tTXT\t1\tnot\\\\x0a\\x7f\n"));
        QCOMPARE(cli({"search", path, "1"}).out, QString("2\tTXT\tbell\\x07\\x1b[2J\n"));
        QCOMPARE(cli({"search", "--shown", path, "nowhere"}).code, 1);
        QCOMPARE(cli({"extract", path, f.path("out")}).out.count('\n'), 3);

        // A kind is a lump's name, which the file sets too.
        QByteArray bytes = readFile(path);
        bytes.replace(bytes.lastIndexOf("TXT"), 3, "T\nX");
        writeFile(f.path("kind.qly"), bytes);
        const ProgramRun check = cli({"check", f.path("kind.qly")});
        QVERIFY2(check.out.contains("unknown kind \"T\\x0aX\""), qPrintable(check.out));
        QCOMPARE(check.out.count('\n'), 1);
        QCOMPARE(cli({"list", f.path("kind.qly")}).out.count('\n'), 3);
    }

    void nonRegularFilesAreRefusedAtOnce()
    {
        BinderFixture f;
        const QString fifo = f.path("pipe.qly");
        QCOMPARE(QProcess::execute("mkfifo", {fifo}), 0);
        for (const char *command : {"list", "info", "check"}) {
            const ProgramRun run = cli({QString::fromLatin1(command), fifo});
            QCOMPARE(run.code, 1);
            QVERIFY2(run.err.contains("pipe.qly") || run.out.contains("pipe.qly"),
                     qPrintable(run.err));
        }
        const QString good = f.makeBinder("good.qly", {{"a.txt", "a"}});
        QCOMPARE(QProcess::execute("mkfifo", {f.path("page.txt")}), 0);
        QCOMPARE(cli({"add", good, f.path("page.txt")}).code, 1);
    }

    // Lump 1 is what opening reads, whatever another lump is called; written twice, a
    // record keeps its first place and its last value.
    void infoReadsTheRecordsAsOpeningDoes()
    {
        BinderFixture f;
        writeArchive(f.path("decoy.qly"),
                     {{"RECORDS", QByteArray("Title=first\r\nPages=0\nTitle=last\nbad line\n"
                                             "Note=a\\nb\\\\c\n")},
                      {"QUILLERY", QByteArray("Title=Decoy\n")}});
        QCOMPARE(cli({"info", f.path("decoy.qly")}).out,
                 QString("Title=last\nPages=0\nNote=a\\\\nb\\\\\\\\c\n"));
    }

    void checkCapsFaults()
    {
        BinderFixture f;
        // Thousands of bad entries give a few lines per kind of fault, not thousands.
        NamedLumps many(5000, {"BOGUS", QByteArray()});
        many[0] = {"QUILLERY", QByteArray("Title=t\nPages=4999\n")};
        writeArchive(f.path("many.qly"), many);
        const ProgramRun check = cli({"check", f.path("many.qly")});
        QCOMPARE(check.code, 1);
        QVERIFY2(check.out.count('\n') < 100, qPrintable(check.out.left(500)));
        QVERIFY(check.out.contains("more faults like the one above"));
    }

    // Printing lays text out, which needs the GUI application; a password option before the
    // command must not hide which command it is.
    void printAfterPasswordOptions()
    {
        BinderFixture f;
        const QString locked = f.makeBinder("locked.qly", {{"a.txt", "alpha"}}, "Sesame");
        for (const QStringList &options :
             {QStringList{"--password-file", "-"}, QStringList{"--password", "Sesame"}}) {
            const QString pdf = f.path("out.pdf");
            QFile::remove(pdf);
            const ProgramRun run = cli(options + QStringList{"print", locked, pdf}, "Sesame\n");
            QCOMPARE(run.code, 0);
            QVERIFY(readFile(pdf).startsWith("%PDF"));
        }
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

    void salvageWritesANewBinderAndChangesNothingElse()
    {
        BinderFixture f;
        const QString good = f.makeBinder("good.qly", {{"a.txt", "alpha"}, {"b.txt", "bravo"}});
        const QByteArray bytes = readFile(good);
        // Cut inside the directory, after the entry of page 1.
        const QString damaged = f.path("damaged.qly");
        writeFile(damaged, bytes.left(bytes.size() - 10));
        const QString out = f.path("rescued.qly");

        const ProgramRun run = cli({"salvage", damaged, out});
        QCOMPARE(run.code, 1); // a page was lost
        QCOMPARE(run.err, damaged + ": page 2: not in what is left of the directory\n");
        QVERIFY2(run.out.startsWith(out + ": 1 of 2 pages saved"), qPrintable(run.out));
        QCOMPARE(cli({"list", out}).out, QString("1\tTXT\t5\ta\n"));
        QCOMPARE(readFile(damaged), bytes.left(bytes.size() - 10));

        // OUT is never replaced, and must be named as a binder.
        const QByteArray rescued = readFile(out);
        const ProgramRun again = cli({"salvage", good, out});
        QCOMPARE(again.code, 1);
        QVERIFY(again.err.contains("already exists"));
        QCOMPARE(readFile(out), rescued);
        QCOMPARE(cli({"salvage", good, f.path("rescued.txt")}).code, 1);
        QVERIFY(!QFile::exists(f.path("rescued.txt")));
        QCOMPARE(cli({"salvage", good}).code, 64);

        // A sound binder comes back whole.
        QCOMPARE(cli({"salvage", good, f.path("whole.qly")}).code, 0);
        QCOMPARE(cli({"list", f.path("whole.qly")}).out, cli({"list", good}).out);
    }
};

QTEST_GUILESS_MAIN(tst_cli)
#include "tst_cli.moc"
