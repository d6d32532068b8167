// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileDetails.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>

using namespace quillery;

namespace {

constexpr time_t someSecond = 1700000000;

bool setTimes(const QString &path, long modifiedNanoseconds)
{
    const timespec times[2] = {{someSecond, 0}, {someSecond, modifiedNanoseconds}};
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}

} // namespace

class tst_filedetails : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fileModifiedSeesEveryWriteTheClockSees()
    {
        QTemporaryDir temp;
        const QString file = QDir(temp.path()).filePath("page.txt");
        test::writeFile(file, "first");
        QVERIFY(setTimes(file, 100));
        const QString before = fileModifiedText(file);
        // The nanoseconds follow the seconds.
        QVERIFY2(before.contains("20" + QLocale::system().decimalPoint() + "000000100 "),
                 qPrintable(before));

        // Within the same second, only the nanoseconds tell.
        test::writeFile(file, "other");
        QVERIFY(setTimes(file, 200));
        const QString sameSecond = fileModifiedText(file);
        QVERIFY(sameSecond != before);

        // Same time stamp, but the size changed.
        test::writeFile(file, "longer text");
        QVERIFY(setTimes(file, 200));
        QVERIFY(fileModifiedText(file) != sameSecond);
    }
};

QTEST_GUILESS_MAIN(tst_filedetails)
#include "tst_filedetails.moc"
