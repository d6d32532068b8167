// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/EditorChoice.h"
#include "options/ExecTemplate.h"
#include "options/ExportName.h"
#include "platform/Settings.h"

#include <QTemporaryDir>
#include <QTest>

using namespace quillery;

class tst_launchrules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exportNamesByKind();
    void exportNamesStayInOneFolder();
    void extensionRowsIgnoreCase();
    void programEditorSplitsAtFirstAndLastDot();
    void templatesBecomeArgumentLists_data();
    void templatesBecomeArgumentLists();
};

void tst_launchrules::exportNamesByKind()
{
    QCOMPARE(editFileName("RTF", "Notes"), "Notes.rtf");
    QCOMPARE(editFileName("RTF", "Notes.RTF"), "Notes.RTF");
    QCOMPARE(editFileName("TXT", "todo"), "todo.txt");
    QCOMPARE(editFileName("TXT", "todo.Txt"), "todo.Txt");
    QCOMPARE(editFileName("HTML", "index.php"), "index.php");
    QCOMPARE(editFileName("HTML", "page"), "page.htm");
    QCOMPARE(editFileName("HTML", "Page.HTML"), "Page.HTML");
    // Only the end decides: "htm" without its dot is no extension.
    QCOMPARE(editFileName("HTML", "xhtm"), "xhtm.htm");
    QCOMPARE(editFileName("PICTURE", "photo.jpg"), "photo.jpg");
    QCOMPARE(editFileName("FILE", "Report.DOC"), "Report.DOC");
}

void tst_launchrules::exportNamesStayInOneFolder()
{
    QCOMPARE(editFileName("FILE", "../../.bashrc"), ".._.._.bashrc");
    QCOMPARE(editFileName("FILE", "a/b\\c"), "a_b_c");
    QCOMPARE(editFileName("FILE", ".."), "_..");
    QCOMPARE(editFileName("SOUND", "."), "_.");
    QCOMPARE(editFileName("FILE", ""), "_");
    QCOMPARE(editFileName("TXT", QString("line\none\ttab") + QChar(0x7f)), "lineonetab.txt");
    QCOMPARE(editFileName("RTF", ".."), "...rtf");
}

void tst_launchrules::extensionRowsIgnoreCase()
{
    QTemporaryDir dir;
    Settings settings(dir.filePath("settings.ini"));
    QCOMPARE(chooseEditor(settings, "RTF", "x"), Settings::RichTextEditor);
    QCOMPARE(chooseEditor(settings, "HTML", "x"), Settings::PlainTextEditor);
    QCOMPARE(chooseEditor(settings, "FILE", "Report.DOC"), Settings::DefaultProgram);
    QCOMPARE(chooseEditor(settings, "OTHER", "x"), QString());

    const QString writer = QString("/usr/bin/writer") + Settings::ProgramSeparator;
    settings.SaveSetting(Settings::Associations, "PEAs", "9");
    settings.SaveSetting(Settings::Associations, "PEAe6", "/usr/bin/hexedit");
    settings.SaveSetting(Settings::Associations, "PEAt7", ".DOC");
    settings.SaveSetting(Settings::Associations, "PEAe7", writer);
    settings.SaveSetting(Settings::Associations, "PEAt8", ".doc");
    settings.SaveSetting(Settings::Associations, "PEAe8", "/usr/bin/second");
    settings.SaveSetting(Settings::Associations, "PEAt9", ".pdf");
    settings.SaveSetting(Settings::Associations, "PEAe9", "/usr/bin/viewer");
    QCOMPARE(chooseEditor(settings, "FILE", "Report.DOC"), writer);
    QCOMPARE(chooseEditor(settings, "FILE", "report.doc"), writer);
    QCOMPARE(chooseEditor(settings, "FILE", "Report.docx"), "/usr/bin/hexedit");
    QCOMPARE(chooseEditor(settings, "FILE", "scan.pdf"), "/usr/bin/viewer"); // the last row
    // A title without a dot is its own extension; extension rows never apply to other kinds.
    QCOMPARE(chooseEditor(settings, "FILE", "doc"), writer);
    QCOMPARE(chooseEditor(settings, "PICTURE", "a.doc"), Settings::DefaultProgram);
}

void tst_launchrules::programEditorSplitsAtFirstAndLastDot()
{
    const QChar dot = Settings::ProgramSeparator;
    const ProgramEditor both = splitProgramEditor("/bin/ed" + QString(dot) + "x" + dot + "/tmp");
    QCOMPARE(both.program, "/bin/ed");
    QCOMPARE(both.startIn, "/tmp");
    const ProgramEditor bare = splitProgramEditor("/bin/ed");
    QCOMPARE(bare.program, "/bin/ed");
    QCOMPARE(bare.startIn, QString());
}

void tst_launchrules::templatesBecomeArgumentLists_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("arguments");
    const QString p = "/tmp/Q/it's \"my\" $(rm) notes.txt";
    QTest::newRow("runs itself") << "%1 --ignored" << QStringList{p};
    QTest::newRow("no placeholder")
        << "gedit --new-window" << QStringList{"gedit", "--new-window", p};
    QTest::newRow("field code") << "gimp %U" << QStringList{"gimp", p};
    QTest::newRow("inside quotes")
        << "\"/opt/my editor/run\" \"%f\"" << QStringList{"/opt/my editor/run", p};
    QTest::newRow("part of an argument") << "app --file=%f" << QStringList{"app", "--file=" + p};
    QTest::newRow("classic") << "notepad \"%1\"" << QStringList{"notepad", p};
    QTest::newRow("escapes in quotes") << "sh \"a\\\"b\" %f" << QStringList{"sh", "a\"b", p};
    QTest::newRow("other codes dropped") << "app %k %f 50%%" << QStringList{"app", p, "50%"};
    QTest::newRow("unclosed quote") << "\"app %f" << QStringList{};
    QTest::newRow("empty") << "  " << QStringList{};
}

void tst_launchrules::templatesBecomeArgumentLists()
{
    QFETCH(QString, command);
    QFETCH(QStringList, arguments);
    QCOMPARE(commandArguments(command, "/tmp/Q/it's \"my\" $(rm) notes.txt"), arguments);
}

QTEST_GUILESS_MAIN(tst_launchrules)
#include "tst_launchrules.moc"
