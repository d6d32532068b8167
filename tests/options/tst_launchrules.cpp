// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "options/Associations.h"
#include "options/EditorChoice.h"
#include "options/ExecTemplate.h"
#include "platform/RegString.h"
#include "platform/Settings.h"
#include "platform/XdgDirs.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace quillery;

class tst_launchrules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void extensionRowsIgnoreCase()
    {
        QTemporaryDir dir;
        Settings settings(dir.filePath("settings.ini"));
        QCOMPARE(chooseEditor(settings, PageKind::Unknown, "x"), QString());

        const QString writer = QString("/usr/bin/writer") + Settings::ProgramSeparator;
        settings.setValue(Settings::Associations, "PEAs", "9");
        settings.setValue(Settings::Associations, "PEAe6", "/usr/bin/hexedit");
        settings.setValue(Settings::Associations, "PEAt7", ".DOC");
        settings.setValue(Settings::Associations, "PEAe7", writer);
        settings.setValue(Settings::Associations, "PEAt8", ".doc");
        settings.setValue(Settings::Associations, "PEAe8", "/usr/bin/second");
        settings.setValue(Settings::Associations, "PEAt9", ".pdf");
        settings.setValue(Settings::Associations, "PEAe9", "/usr/bin/viewer");
        QCOMPARE(chooseEditor(settings, PageKind::FILE, "report.doc"), writer);
        QCOMPARE(chooseEditor(settings, PageKind::FILE, "Report.docx"), "/usr/bin/hexedit");
        QCOMPARE(chooseEditor(settings, PageKind::FILE, "scan.pdf"), "/usr/bin/viewer"); // last row
        // A title without a dot is its own extension; extension rows never apply to other kinds.
        QCOMPARE(chooseEditor(settings, PageKind::FILE, "doc"), writer);
        QCOMPARE(chooseEditor(settings, PageKind::PICTURE, "a.doc"), Settings::DefaultProgram);
    }

    // Rows are read back as saved, the last one too, and a shorter list leaves no row of
    // the longer one behind.
    void associationsReadBackAsSaved()
    {
        QTemporaryDir dir;
        Settings settings(dir.filePath("settings.ini"));
        QList<Association> rows = loadAssociations(settings);
        QCOMPARE(rows.size(), Settings::KindRows);
        rows.append(Association{".doc", "/usr/bin/writer"});
        rows.append(Association{".pdf", "/usr/bin/viewer"});
        saveAssociations(settings, rows);
        QCOMPARE(loadAssociations(settings), rows);
        QCOMPARE(chooseEditor(settings, PageKind::FILE, "scan.pdf"), "/usr/bin/viewer");
        rows.removeLast();
        saveAssociations(settings, rows);
        QCOMPARE(loadAssociations(settings), rows);
        QCOMPARE(chooseEditor(settings, PageKind::FILE, "scan.pdf"),
                 chooseEditor(settings, PageKind::FILE, "scan.bin"));
    }

    void programEditorSplitsAtFirstAndLastDot()
    {
        const QChar dot = Settings::ProgramSeparator;
        const ProgramEditor both =
            splitProgramEditor("/bin/ed" + QString(dot) + "x" + dot + "/tmp");
        QCOMPARE(both.program, "/bin/ed");
        QCOMPARE(both.startIn, "/tmp");
        QCOMPARE(splitProgramEditor("/bin/ed").startIn, QString());
    }

    void templatesBecomeArgumentLists_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("arguments");
        const QString p = "/tmp/Q/it's \"my\" $(rm) notes.txt";
        const QString sq = "'/tmp/Q/it'\\''s \"my\" $(rm) notes.txt'";
        QTest::newRow("runs itself") << "%1 --ignored" << QStringList{p};
        QTest::newRow("no placeholder")
            << "gedit --new-window" << QStringList{"gedit", "--new-window", p};
        QTest::newRow("field code") << "gimp %U" << QStringList{"gimp", p};
        QTest::newRow("quoted program")
            << "\"/opt/my editor/run\" %F" << QStringList{"/opt/my editor/run", p};
        // Inside quotes a name is one shell word, whatever it holds.
        QTest::newRow("shell script") << "sh -c \"edit %f && echo %u\""
                                      << QStringList{"sh", "-c", "edit " + sq + " && echo " + sq};
        QTest::newRow("escapes in quotes")
            << "sh \"a\\\"b\\$c\\`d\\\\e\\nf\" %f" << QStringList{"sh", "a\"b$c`d\\e\\nf", p};
        QTest::newRow("empty argument kept") << "app \"\" %f" << QStringList{"app", "", p};
        QTest::newRow("other codes dropped") << "app %k %f 50%%" << QStringList{"app", p, "50%"};
        QTest::newRow("unclosed quote") << "\"app %f" << QStringList{};
        QTest::newRow("empty") << "  " << QStringList{};
    }

    void templatesBecomeArgumentLists()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, arguments);
        QCOMPARE(commandArguments(command, "/tmp/Q/it's \"my\" $(rm) notes.txt"), arguments);
    }

    // The default program's desktop entry, as Edit Page finds and runs it, with a page name
    // that would run commands if a shell ever read it as it is.
    void hostileNamesStayOneWordForTheDefaultProgram()
    {
        QTemporaryDir root;
        XdgDirs dirs;
        dirs.configHome = root.filePath("config");
        dirs.dataHome = root.filePath("data");
        test::writeFile(dirs.configHome + "/mimeapps.list",
                        "[Default Applications]\ntext/plain=hostile.desktop\n");
        QTemporaryDir work;
        const QString name = "notes;touch X;$(touch Y)`touch Z`'q\"w\\ \n z.txt";
        test::writeFile(work.filePath(name), "hello|");

        // Inside the quoted script every file code becomes one shell word.
        test::writeFile(dirs.dataHome + "/applications/hostile.desktop",
                        "[Desktop Entry]\nType=Application\nName=Hostile\n"
                        "Exec=sh -c \"cat %f %F %u %U\"\n");
        const QString command =
            readFileTypeKey(ClassesRoot, "text/plain\\shell\\Open\\command", QString(), dirs);
        const QStringList arguments = commandArguments(command, work.filePath(name));
        QVERIFY2(!arguments.isEmpty(), qPrintable(command));
        QProcess process;
        process.setWorkingDirectory(work.path());
        process.start(arguments.first(), arguments.mid(1));
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.readAllStandardOutput(), QByteArray("hello|hello|hello|hello|"));
        QCOMPARE(QDir(work.path()).entryList(QDir::Files), QStringList{name});
    }
};

QTEST_GUILESS_MAIN(tst_launchrules)
#include "tst_launchrules.moc"
