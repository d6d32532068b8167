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
        QCOMPARE(getext("name."), QString("."));
        QCOMPARE(getext(".bashrc"), QString(".bashrc"));
    }

    void FileFormat_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("trimmed and replaced") << " a/b:c? "
                                              << "a_b;c!";
        QTest::newRow("every unsafe character") << "\\/<>*\"?:|"
                                                << "__()x''!;\u00A6";
        QTest::newRow("only spaces are trimmed") << "\tname "
                                                 << "\tname";
        QTest::newRow("page name with colon") << "Plans: Q3"
                                              << "Plans; Q3";
        QTest::newRow("tmp ending") << "Notes.TMP"
                                    << "notes_.tmp";
        QTest::newRow("every tmp turned") << "A.tmp.Tmp"
                                          << "a_.tmp_.tmp";
        QTest::newRow("tmp inside only") << "x.tmp.txt"
                                         << "x.tmp.txt";
        QTest::newRow("nul cannot cut the name") << QString::fromLatin1("a\0b", 3) << "a_b";
        QTest::newRow("empty") << ""
                               << "";
    }

    void FileFormat()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(quillery::FileFormat(name, false), expected);
    }

    void longNamesKeepTheirEnd()
    {
        const QString name = QString(300, u'a') + "-end.txt";
        const QString result = quillery::FileFormat(name, false);
        QCOMPARE(result.size(), 250);
        QVERIFY(result.endsWith("-end.txt"));

        // Linux counts bytes, not characters: a long name in another script is cut to
        // fit, and never in the middle of a character.
        const QString greek = QString(200, QChar(0x03B1)) + ".txt";
        const QString cut = quillery::FileFormat(greek, false);
        QVERIFY(cut.toUtf8().size() <= 250);
        QVERIFY(cut.endsWith(".txt"));
        const QString emoji = QString::fromUtf8("\xF0\x9F\x93\x9D").repeated(130);
        const QString tail = quillery::FileFormat(emoji, false);
        QVERIFY(!tail.isEmpty());
        QVERIFY(!tail.at(0).isLowSurrogate());
        QVERIFY(tail.toUtf8().size() <= 250);
    }

    void inTempMakesTheNameUnique()
    {
        QTemporaryDir temp;
        QVERIFY(temp.isValid());
        const QDir dir(temp.path());
        QCOMPARE(quillery::FileFormat("style.css", true, temp.path()), QString("style.css"));

        test::writeFile(dir.filePath("style.css"), "a");
        test::writeFile(dir.filePath("style1.css"), "b");
        QCOMPARE(quillery::FileFormat("style.css", true, temp.path()), QString("style2.css"));
        QVERIFY(!dir.exists("style1.css"));
        QVERIFY(dir.exists("style.css"));

        // Every numbered copy met on the way is removed, and the first number that was
        // free before the search is the answer, not one the search just freed.
        test::writeFile(dir.filePath("style1.css"), "b");
        test::writeFile(dir.filePath("style2.css"), "c");
        QCOMPARE(quillery::FileFormat("style.css", true, temp.path()), QString("style3.css"));
        QVERIFY(!dir.exists("style1.css"));
        QVERIFY(!dir.exists("style2.css"));
    }

    void inTempTreatsFoldersAndLinksAsTaken()
    {
        QTemporaryDir temp;
        const QDir dir(temp.path());
        QVERIFY(dir.mkdir("notes"));
        QVERIFY(QFile::link(dir.filePath("nowhere"), dir.filePath("notes1")));
        QVERIFY(dir.mkdir("notes2"));
        QCOMPARE(quillery::FileFormat("notes", true, temp.path()), QString("notes3"));
        QVERIFY(QFileInfo(dir.filePath("notes2")).isDir());
    }

    void inTempAppliesTheOtherRulesFirst()
    {
        QTemporaryDir temp;
        test::writeFile(QDir(temp.path()).filePath("a_b.txt"), "x");
        QCOMPARE(quillery::FileFormat(" a/b.txt", true, temp.path()), QString("a_b1.txt"));
    }

    void Env2Str_data()
    {
        qputenv("QUILLERY_TEST_A", "alpha");
        qputenv("QUILLERY_TEST_B", "beta");
        qunsetenv("QUILLERY_TEST_UNSET");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("home") << "%HOME%/x" << qEnvironmentVariable("HOME") + "/x";
        QTest::newRow("percentages") << "50% or 60%"
                                     << "50% or 60%";
        QTest::newRow("unset") << "%QUILLERY_TEST_UNSET%x"
                               << "x";
        QTest::newRow("every occurrence") << "%QUILLERY_TEST_A%-%QUILLERY_TEST_A%"
                                          << "alpha-alpha";
        QTest::newRow("adjacent") << "%QUILLERY_TEST_A%%QUILLERY_TEST_B%"
                                  << "alphabeta";
        QTest::newRow("after a spaced span") << "5% of %QUILLERY_TEST_B%!"
                                             << "5% of beta!";
        QTest::newRow("single percent") << "100%"
                                        << "100%";
        QTest::newRow("no percent") << "plain"
                                    << "plain";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("field code stays") << "editor %f"
                                          << "editor %f";
    }

    void Env2Str()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(quillery::Env2Str(text), expected);
    }
};

QTEST_GUILESS_MAIN(tst_filenames)
#include "tst_filenames.moc"
