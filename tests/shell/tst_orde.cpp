#include "shell/GeneralDate.h"
#include "shell/Orde.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QWidget>

#include <fcntl.h>
#include <sys/stat.h>

using namespace quillery;

namespace {

constexpr time_t someSecond = 1700000000;

// Sets a file's access and modification times to the nanosecond.
bool setTimes(const QString &path, timespec accessed, timespec modified)
{
    const timespec times[2] = {accessed, modified};
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}

bool setModified(const QString &path, long nanoseconds)
{
    return setTimes(path, {someSecond, 0}, {someSecond, nanoseconds});
}

} // namespace

class tst_orde : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void filesAndFoldersAreToldApart()
    {
        QTemporaryDir temp;
        const QDir dir(temp.path());
        const QString file = dir.filePath("a.txt");
        test::writeFile(file, "x");
        QVERIFY(QFile::link(file, dir.filePath("link")));

        QVERIFY(Orde::IsFile(file));
        QVERIFY(Orde::IsFile(dir.filePath("link")));
        QVERIFY(!Orde::IsFile(temp.path()));
        QVERIFY(!Orde::IsFile(dir.filePath("missing")));
        QVERIFY(!Orde::IsFile(QString()));

        QVERIFY(Orde::IsFolder(temp.path()));
        QVERIFY(!Orde::IsFolder(file));
        QVERIFY(!Orde::IsFolder(dir.filePath("missing")));
        QVERIFY(!Orde::IsFolder(QString()));
    }

    void colourNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint32>("value");
        QTest::newRow("red is the low byte") << "Red" << 0x0000FF;
        QTest::newRow("blue is the high byte") << "Blue" << 0xFF0000;
        QTest::newRow("navy") << "Navy" << 0x800000;
        QTest::newRow("olive") << "Olive" << 0x008080;
        QTest::newRow("teal") << "Teal" << 0x808000;
        QTest::newRow("grey") << "Grey" << 0x808080;
        QTest::newRow("gray") << "gray" << 0x808080;
        QTest::newRow("silver") << "Silver" << 0xC0C0C0;
        QTest::newRow("any case") << "fUCHSIA" << 0xFF00FF;
        QTest::newRow("black") << "Black" << 0;
    }

    void colourNames()
    {
        QFETCH(QString, name);
        QFETCH(qint32, value);
        QCOMPARE(Orde::ColourFromName(name), std::optional<qint32>(value));
    }

    void allSixteenColourNamesAreDistinct()
    {
        const QStringList names = {"Black", "Maroon",  "Green",  "Olive", "Navy", "Purple",
                                   "Teal",  "Grey",    "Silver", "Red",   "Lime", "Yellow",
                                   "Blue",  "Fuchsia", "Aqua",   "White"};
        QSet<qint32> values;
        for (const QString &name : names) {
            const std::optional<qint32> value = Orde::ColourFromName(name);
            QVERIFY2(value, qPrintable(name));
            QCOMPARE(*value & ~0xFFFFFF, 0);
            values.insert(*value);
        }
        QCOMPARE(values.size(), 16);
        QVERIFY(!Orde::ColourFromName("Orange"));
        QVERIFY(!Orde::ColourFromName(QString()));
    }

    void shortNameIsTheCanonicalPath()
    {
        QTemporaryDir temp;
        const QDir dir(temp.path());
        const QString file = dir.filePath("long file name.text");
        test::writeFile(file, "x");
        QVERIFY(QFile::link(file, dir.filePath("alias")));
        const QString canonical = QFileInfo(file).canonicalFilePath();
        QCOMPARE(Orde::ShortName(dir.filePath("alias")), canonical);
        QCOMPARE(Orde::ShortName(temp.path() + "/./sub/../long file name.text"), canonical);
    }

    void fileModifiedFollowsEveryWrite()
    {
        QTemporaryDir temp;
        const QString file = QDir(temp.path()).filePath("page.txt");
        test::writeFile(file, "first");
        QVERIFY(setModified(file, 100));
        const QString before = Orde::FileModified(file);
        QVERIFY(!before.isEmpty());
        QCOMPARE(Orde::FileModified(file), before);

        // Another write within the same second, same size: only the nanoseconds differ.
        test::writeFile(file, "other");
        QVERIFY(setModified(file, 200));
        const QString sameSecond = Orde::FileModified(file);
        QVERIFY(sameSecond != before);

        // A write the time stamp cannot see still changes the size.
        test::writeFile(file, "longer text");
        QVERIFY(setModified(file, 200));
        QVERIFY(Orde::FileModified(file) != sameSecond);
    }

    void rewritingTheSameBytesUnseenByTheClockKeepsTheText()
    {
        QTemporaryDir temp;
        const QString file = QDir(temp.path()).filePath("page.txt");
        test::writeFile(file, "content");
        QVERIFY(setModified(file, 5));
        const QString before = Orde::FileModified(file);
        test::writeFile(file, "content");
        QVERIFY(setModified(file, 5));
        QCOMPARE(Orde::FileModified(file), before);
    }

    void twoQuickWritesOfTheSameSizeDiffer()
    {
        QTemporaryDir temp;
        const QString file = QDir(temp.path()).filePath("page.txt");
        test::writeFile(file, "a");
        const QString first = Orde::FileModified(file);
        // Longer than the kernel's time stamp tick, far shorter than a second.
        QThread::msleep(30);
        test::writeFile(file, "b");
        QVERIFY(Orde::FileModified(file) != first);
    }

    void fileTimesAreGeneralDates()
    {
        QTemporaryDir temp;
        const QString file = QDir(temp.path()).filePath("page.txt");
        test::writeFile(file, "x");
        QVERIFY(setTimes(file, {someSecond, 0}, {someSecond + 60, 0}));
        QCOMPARE(Orde::FileAccessed(file), generalDate(QDateTime::fromSecsSinceEpoch(someSecond)));
        const QDate day = QDateTime::fromSecsSinceEpoch(someSecond + 60).date();
        QVERIFY(Orde::FileModified(file).startsWith(
            QLocale::system().toString(day, QLocale::ShortFormat)));
        QVERIFY(!Orde::FileCreated(file).isEmpty());
    }

    void preciseDatesCarryTheNanoseconds()
    {
        const QDateTime when = QDateTime::fromSecsSinceEpoch(someSecond);
        const QString one = generalDatePrecise(when, 1);
        QVERIFY2(one.contains("000000001"), qPrintable(one));
        QVERIFY(generalDatePrecise(when, 999999999).contains("999999999"));
        QVERIFY(one != generalDatePrecise(when, 2));
        QVERIFY(one != generalDate(when));
    }

    void topmostWindowsStayShown()
    {
        QWidget window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        Orde::SetTopmost(&window, true);
        QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window.isVisible());
        Orde::SetTopmost(&window, false);
        QVERIFY(!window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window.isVisible());

        QWidget hidden;
        Orde::SetTopmost(&hidden, true);
        QVERIFY(!hidden.isVisible());
        Orde::SetTopmost(nullptr, true);
    }
};

QTEST_MAIN(tst_orde)
#include "tst_orde.moc"
