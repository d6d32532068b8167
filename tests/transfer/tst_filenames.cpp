// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/FileNames.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace quillery;

class tst_filenames : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void getextTakesTheLastDot()
    {
        QCOMPARE(getext("report.final.doc"), QString(".doc"));
        QCOMPARE(getext("README"), QString());
    }

    void pageNamesBecomeFileNames()
    {
        const std::pair<QString, QString> cases[] = {
            {" a/b:c? ", "a_b;c!"},      {"\\<>*\"|", "_()x''\u00A6"},
            {"\tname ", "\tname"},       {"   ", ""},
            {"Notes.TMP", "notes_.tmp"}, {"A.tmp.Tmp", "a_.tmp_.tmp"},
            {"x.tmp.txt", "x.tmp.txt"},  {QString::fromLatin1("a\0b", 3), "a_b"},
        };
        for (const auto &[name, expected] : cases)
            QCOMPARE(FileFormat(name, false), expected);
    }

    void longNamesKeepTheirEndAndFitTheFileSystem()
    {
        const QString ascii = FileFormat(QString(300, u'a') + "-end.txt", false);
        QCOMPARE(ascii.size(), 250);
        QVERIFY(ascii.endsWith("-end.txt"));
        // Linux counts bytes: multi-byte names are cut further, never inside a character.
        const QString emoji =
            FileFormat(QString::fromUtf8("\xF0\x9F\x93\x9D").repeated(130), false);
        QVERIFY(emoji.toUtf8().size() <= 250);
        QVERIFY(!emoji.isEmpty() && !emoji.at(0).isLowSurrogate());
    }

    void inTempMakesTheNameUnique()
    {
        QTemporaryDir temp;
        const QDir dir(temp.path());
        QCOMPARE(FileFormat("style.css", true, temp.path()), QString("style.css"));
        test::writeFile(dir.filePath("style.css"), "a");
        test::writeFile(dir.filePath("style1.css"), "b");
        QCOMPARE(FileFormat("style.css", true, temp.path()), QString("style2.css"));
        QVERIFY(!dir.exists("style1.css"));
        QVERIFY(dir.exists("style.css"));

        // Folders and dangling links hold their names too, and are left alone.
        QVERIFY(dir.mkdir("notes"));
        QVERIFY(QFile::link(dir.filePath("nowhere"), dir.filePath("notes1")));
        QCOMPARE(FileFormat(" notes", true, temp.path()), QString("notes2"));
        QVERIFY(QFileInfo(dir.filePath("notes")).isDir());
    }

    void exportedTextAndHtmlPagesGetTheirExtension()
    {
        const struct
        {
            PageKind kind;
            QString name;
            QString expected;
        } cases[] = {
            {PageKind::RTF, "Notes", "Notes.rtf"},
            {PageKind::RTF, "Notes.RTF", "Notes.RTF"},
            {PageKind::RTF, "Notes.txt", "Notes.txt.rtf"},
            {PageKind::RTF, "rtf", "rtf.rtf"},
            {PageKind::TXT, "read.me", "read.me.txt"},
            {PageKind::TXT, "LOG.Txt", "LOG.Txt"},
            {PageKind::HTML, "index.php", "index.php"},
            {PageKind::HTML, "Trip.HTML", "Trip.HTML"},
            {PageKind::HTML, "page", "page.htm"},
            {PageKind::HTML, "htm", "htm.htm"}, // the extension needs its dot
            {PageKind::HTML, "old.asp", "old.asp.htm"},
            {PageKind::PICTURE, "photo", "photo"},
            {PageKind::SOUND, "song", "song"},
            {PageKind::FILE, "Report", "Report"},
            {PageKind::Unknown, "odd", "odd"},
        };
        for (const auto &c : cases)
            QCOMPARE(exportFileName(c.name, c.kind), c.expected);
    }

    void environmentReferencesExpand()
    {
        qputenv("QUILLERY_TEST_A", "alpha");
        qunsetenv("QUILLERY_TEST_UNSET");
        const std::pair<QString, QString> cases[] = {
            {"%HOME%/x", qEnvironmentVariable("HOME") + "/x"},
            {"50% or 60%", "50% or 60%"},
            {"%QUILLERY_TEST_UNSET%x", "x"},
            {"%QUILLERY_TEST_A%-%QUILLERY_TEST_A%", "alpha-alpha"},
            {"5% of %QUILLERY_TEST_A%!", "5% of alpha!"},
            {"editor %f", "editor %f"},
        };
        for (const auto &[text, expected] : cases)
            QCOMPARE(Env2Str(text), expected);
    }
};

QTEST_GUILESS_MAIN(tst_filenames)
#include "tst_filenames.moc"
