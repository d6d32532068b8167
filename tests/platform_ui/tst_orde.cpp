// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform_ui/Orde.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

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

class tst_orde : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fileModifiedSeesEveryWriteTheClockSees()
    {
        QTemporaryDir temp;
        const QString file = QDir(temp.path()).filePath("page.txt");
        test::writeFile(file, "first");
        QVERIFY(setTimes(file, 100));
        const QString before = Orde::FileModified(file);
        // The nanoseconds follow the seconds.
        QVERIFY2(before.contains("20" + QLocale::system().decimalPoint() + "000000100 "),
                 qPrintable(before));

        // Within the same second, only the nanoseconds tell.
        test::writeFile(file, "other");
        QVERIFY(setTimes(file, 200));
        const QString sameSecond = Orde::FileModified(file);
        QVERIFY(sameSecond != before);

        // Same time stamp, but the size changed.
        test::writeFile(file, "longer text");
        QVERIFY(setTimes(file, 200));
        QVERIFY(Orde::FileModified(file) != sameSecond);
    }

    void topmostWindowsStayShown()
    {
        QWidget window;
        window.show();
        Orde::SetTopmost(&window, true);
        QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window.isVisible());
    }
};

QTEST_MAIN(tst_orde)
#include "tst_orde.moc"
