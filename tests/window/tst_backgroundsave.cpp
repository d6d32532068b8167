// SPDX-License-Identifier: GPL-3.0-or-later
// A save writes its file off the window's thread. Meanwhile the windows are painted, but
// keys and file notices wait, so that nothing changes the binder being written.
#include "platform/FileError.h"
#include "window/WindowUi.h"

#include <QLineEdit>
#include <QSocketNotifier>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <qpa/qwindowsysteminterface.h>

#include <unistd.h>

using namespace quillery;

namespace {

class PaintCounter : public QLineEdit
{
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        ++paints;
        QLineEdit::paintEvent(event);
    }
};

} // namespace

class tst_backgroundsave : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void workRunsOffTheWindowsThreadAndFailuresComeBack()
    {
        WindowUi ui({});
        QThread *ranOn = nullptr;
        bool done = false;
        ui.runInBackground(QString(), [&] {
            QThread::msleep(50);
            ranOn = QThread::currentThread();
            done = true;
        });
        QVERIFY(done);
        QVERIFY(ranOn && ranOn != QThread::currentThread());

        // A save that fails must not be taken for one that worked.
        QVERIFY_THROWS_EXCEPTION(FileError, ui.runInBackground(QString(), [] {
            throw FileError(FileError::DiskFull, QStringLiteral("Disk full"));
        }));
    }

    void windowsArePaintedButTakeNoKeysMeanwhile()
    {
        PaintCounter edit;
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        edit.activateWindow();
        edit.setFocus();
        const int paintsBefore = edit.paints;
        int paintsDuring = 0;
        QString textDuring = QStringLiteral("(not looked at)");
        QTimer::singleShot(20, &edit, [&] {
            QWindow *window = edit.window()->windowHandle();
            using Async = QWindowSystemInterface::AsynchronousDelivery;
            QWindowSystemInterface::handleKeyEvent<Async>(window, QEvent::KeyPress, Qt::Key_A,
                                                          Qt::NoModifier, QStringLiteral("a"));
            QWindowSystemInterface::handleKeyEvent<Async>(window, QEvent::KeyRelease, Qt::Key_A,
                                                          Qt::NoModifier, QStringLiteral("a"));
            edit.update();
        });
        QTimer::singleShot(200, &edit, [&] {
            paintsDuring = edit.paints;
            textDuring = edit.text();
        });
        WindowUi ui({});
        ui.runInBackground(QString(), [] { QThread::msleep(400); });
        QVERIFY(paintsDuring > paintsBefore);
        QCOMPARE(textDuring, QString());
        // The key is not lost: it arrives once the save is done.
        QTRY_COMPARE(edit.text(), QStringLiteral("a"));
    }

    void fileNoticesWaitUntilTheWorkIsDone()
    {
        int fds[2];
        QCOMPARE(::pipe(fds), 0);
        QSocketNotifier notifier(fds[0], QSocketNotifier::Read);
        bool noticed = false;
        connect(&notifier, &QSocketNotifier::activated, this, [&] {
            noticed = true;
            notifier.setEnabled(false);
        });
        bool noticedDuring = false;
        QTimer::singleShot(250, this, [&] { noticedDuring = noticed; });
        WindowUi ui({});
        ssize_t written = 0;
        ui.runInBackground(QString(), [&] {
            written = ::write(fds[1], "x", 1);
            QThread::msleep(400);
        });
        QCOMPARE(written, ssize_t(1));
        QVERIFY(!noticedDuring);
        QTRY_VERIFY(noticed);
        ::close(fds[0]);
        ::close(fds[1]);
    }
};

QTEST_MAIN(tst_backgroundsave)
#include "tst_backgroundsave.moc"
