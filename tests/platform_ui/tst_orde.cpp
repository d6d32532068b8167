// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GeneralDate.h"
#include "platform_ui/Orde.h"

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

bool setTimes(const QString &path, long modifiedNanoseconds, time_t accessed = someSecond)
{
    const timespec times[2] = {{accessed, 0}, {someSecond, modifiedNanoseconds}};
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}

} // namespace

class tst_orde : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void filesAndFoldersAreToldApart()
    {
        QTemporaryDir temp;
        const QString file = QDir(temp.path()).filePath("a.txt");
        test::writeFile(file, "x");
        QVERIFY(Orde::IsFile(file));
        QVERIFY(!Orde::IsFile(temp.path()));
        QVERIFY(Orde::IsFolder(temp.path()));
        QVERIFY(!Orde::IsFolder(file));
    }

    void colourNamesGiveBgrValues()
    {
        const auto colour = [](const char *name) {
            return Orde::ColourFromName(QString::fromLatin1(name)).value_or(-1);
        };
        QCOMPARE(colour("Red"), 0x0000FF);
        QCOMPARE(colour("Navy"), 0x800000);
        QCOMPARE(colour("grey"), 0x808080);
        QCOMPARE(colour("Orange"), -1);
    }

    void shortNameIsTheCanonicalPath()
    {
        QTemporaryDir temp;
        const QString file = QDir(temp.path()).filePath("long file name.text");
        test::writeFile(file, "x");
        QVERIFY(QFile::link(file, temp.path() + "/alias"));
        const QString canonical = QFileInfo(file).canonicalFilePath();
        QCOMPARE(Orde::ShortName(temp.path() + "/alias"), canonical);
        QCOMPARE(Orde::ShortName(temp.path() + "/./sub/../long file name.text"), canonical);
    }

    void fileModifiedSeesEveryWriteTheClockSees()
    {
        QTemporaryDir temp;
        const QString file = QDir(temp.path()).filePath("page.txt");
        test::writeFile(file, "first");
        QVERIFY(setTimes(file, 100));
        const QString before = Orde::FileModified(file);
        QCOMPARE(Orde::FileModified(file), before);
        // The nanoseconds follow the seconds.
        QVERIFY2(before.contains("20" + QLocale::system().decimalPoint() + "000000100 "),
                 qPrintable(before));

        // The same bytes again within the time stamp's resolution: unchanged.
        test::writeFile(file, "first");
        QVERIFY(setTimes(file, 100));
        QCOMPARE(Orde::FileModified(file), before);

        // Within the same second, only the nanoseconds tell.
        test::writeFile(file, "other");
        QVERIFY(setTimes(file, 200));
        const QString sameSecond = Orde::FileModified(file);
        QVERIFY(sameSecond != before);

        // Same time stamp, but the size changed.
        test::writeFile(file, "longer text");
        QVERIFY(setTimes(file, 200));
        QVERIFY(Orde::FileModified(file) != sameSecond);

        // Real writes a moment apart, longer than the kernel's time stamp tick.
        const QString untouched = Orde::FileModified(file);
        QThread::msleep(30);
        test::writeFile(file, "longer tex!");
        QVERIFY(Orde::FileModified(file) != untouched);
    }

    void accessTimeIsAGeneralDate()
    {
        QTemporaryDir temp;
        const QString file = QDir(temp.path()).filePath("page.txt");
        test::writeFile(file, "x");
        QVERIFY(setTimes(file, 0, someSecond - 60));
        QCOMPARE(Orde::FileAccessed(file),
                 generalDate(QDateTime::fromSecsSinceEpoch(someSecond - 60)));
    }

    void topmostWindowsStayShown()
    {
        QWidget window;
        window.show();
        Orde::SetTopmost(&window, true);
        QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window.isVisible());
        Orde::SetTopmost(&window, false);
        QVERIFY(!window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window.isVisible());
    }
};

QTEST_MAIN(tst_orde)
#include "tst_orde.moc"
