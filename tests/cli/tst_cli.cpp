#include "BinderFixture.h"
#include "TestSupport.h"
#include "documents/BinderSaver.h"
#include "documents/CompanionFiles.h"
#include "documents/NewBinder.h"
#include "transfer/PageImport.h"

#include <QProcess>
#include <QTest>

using namespace quillery;
using namespace quillery::test;

namespace {

struct Run
{
    int code;
    QString out;
    QString err;
};

Run cli(const QStringList &args)
{
    QProcess process;
    process.start(QUILLERY_CLI, args);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

class tst_cli : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void createAddListExtractInfo();
    void extractNamesFilesByKind();
    void checkNamesEveryFault();
    void passwordsAndUsage();
    void helpVersionAndUnknownOptions();
    void binderHeldByThisProcessIsNotChanged();
};

void tst_cli::createAddListExtractInfo()
{
    BinderFixture f;
    const QString a = f.file("a.txt", "alpha");
    const QString b = f.file("same/a.txt", "beta");
    const QString pic = f.file("p q.png", "PNG");
    const QString binder = f.path("made.qly");
    QCOMPARE(cli({"create", binder, a, pic}).code, 0);
    QCOMPARE(cli({"create", binder}).code, 1); // never replaces a file
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
    QVERIFY(info.out.startsWith("Title=New File 1\n"));
    QVERIFY(info.out.contains("\nPage3=a\n"));
    QVERIFY(info.out.contains("\nPages=3\n"));
}

void tst_cli::extractNamesFilesByKind()
{
    BinderFixture f;
    const std::pair<QString, PageKind> pages[] = {
        {"Notes", PageKind::RTF},      {"Notes.RTF", PageKind::RTF}, {"list", PageKind::TXT},
        {"index.php", PageKind::HTML}, {"page", PageKind::HTML},     {"photo", PageKind::PICTURE},
        {"tune", PageKind::SOUND},     {"data", PageKind::FILE},     {"Notes", PageKind::RTF},
        {"   ", PageKind::TXT},        {"../up", PageKind::HTML},
    };
    Binder binder;
    NewFile(*f.workspace, binder, false);
    for (const auto &[name, kind] : pages)
        QVERIFY(
            ImportFile(*f.workspace, binder, f.file("src/" + name, name.toUtf8()), PageKind(kind)));
    // Import takes a text page's name up to its last dot; these are the names to test.
    for (int i = 0; i < binder.pageCount(); ++i) {
        PageRow row = binder.pages.at(i);
        row.name = pages[i].first;
        binder.pages.replace(i, row);
    }
    const QString path = f.path("kinds.qly");
    QVERIFY(SavFile(*f.workspace, binder, path));

    const Run run = cli({"extract", path, f.path("out")});
    QCOMPARE(run.code, 0);
    QStringList written = QDir(f.path("out")).entryList(QDir::Files | QDir::Hidden);
    written.sort();
    QCOMPARE(written,
             QStringList({".._up.htm", "Notes.RTF", "Notes.rtf", "Notes1.rtf", "data", "index.php",
                          "list.txt", "page.htm", "page.txt", "photo", "tune"}));
    QCOMPARE(readFile(f.path("out/Notes1.rtf")), QByteArray("Notes"));
    QCOMPARE(readFile(f.path("out/page.txt")), QByteArray("   "));
    QVERIFY(!QFile::exists(f.path("up.htm")));
}

void tst_cli::checkNamesEveryFault()
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

    const Run damaged = cli({"list", f.path("bad.qly")});
    QCOMPARE(damaged.code, 1);
    QVERIFY(damaged.err.contains(f.path("bad.qly")));
}

void tst_cli::passwordsAndUsage()
{
    BinderFixture f;
    const QString locked = f.makeBinder("locked.qly", {{"a.txt", "alpha"}}, "Open Sesame");
    QCOMPARE(cli({"list", locked}).code, 2);
    QCOMPARE(cli({"--password", "open sesame", "list", locked}).code, 2);
    const Run right = cli({"--password", "Open Sesame", "info", locked});
    QCOMPARE(right.code, 0);
    QVERIFY(!right.out.contains("Data="));
    QCOMPARE(cli({"frobnicate"}).code, 64);
    QCOMPARE(cli({"list"}).code, 64);
}

void tst_cli::helpVersionAndUnknownOptions()
{
    const Run help = cli({"--help"});
    QCOMPARE(help.code, 0);
    QVERIFY(help.out.contains("Exit codes"));
    QVERIFY(help.out.contains("\".htm\""));
    QCOMPARE(help.err, QString());

    const Run version = cli({"--version", "list"});
    QCOMPARE(version.code, 0);
    QCOMPARE(version.out, QString("quillery-cli " QUILLERY_VERSION "\n"));

    const Run unknown = cli({"--frobnicate", "list", "x.qly"});
    QCOMPARE(unknown.code, 64);
    QCOMPARE(unknown.err.section('\n', 0, 0), QString("quillery-cli: unknown option --frobnicate"));
    QVERIFY(unknown.err.contains("Usage: quillery-cli"));
    QCOMPARE(unknown.out, QString());
}

void tst_cli::binderHeldByThisProcessIsNotChanged()
{
    BinderFixture f;
    const QString path = f.makeBinder("held.qly", {{"a.txt", "alpha"}});
    auto binder = f.open(path);
    QVERIFY(binder);
    const QByteArray before = readFile(path);
    const QByteArray note = readFile(lockNotePath(path));

    const Run add = cli({"add", path, f.file("b.txt", "beta")});
    QCOMPARE(add.code, 1);
    QVERIFY2(add.err.contains("File in Use by tester"), qPrintable(add.err));
    QCOMPARE(add.err.count("File in Use"), 1);
    QCOMPARE(readFile(path), before);
    QCOMPARE(readFile(lockNotePath(path)), note);
    QVERIFY(QFile::exists(shadowCopyPath(path)));
    QCOMPARE(cli({"list", path}).out, QString("1\tTXT\t5\ta\n"));
}

QTEST_GUILESS_MAIN(tst_cli)
#include "tst_cli.moc"
