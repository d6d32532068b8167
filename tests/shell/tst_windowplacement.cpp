// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Settings.h"
#include "platform/Twips.h"
#include "shell/WindowPlacement.h"

#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

using namespace quillery;

class tst_windowplacement : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_files = 0;

    QString freshFile() { return m_dir.filePath(QStringLiteral("s%1.ini").arg(++m_files)); }

private Q_SLOTS:
    void minimisedOrMaximisedKeepTheLastNormalSize()
    {
        Settings settings(freshFile());
        QWidget window;
        window.resize(500, 300);
        window.move(30, 40);
        savePlacement(window, settings);
        QCOMPARE(settings.value(Settings::Main, "WindowState"), QString("0"));
        const QString height = settings.value(Settings::Main, "Height");
        QCOMPARE(height, QString::number(qRound(pixelsToTwips(300, window.logicalDpiY()))));
        QWidget normal;
        restorePlacement(normal, settings);
        QCOMPARE(normal.geometry(), window.geometry());
        QCOMPARE(normal.windowState(), Qt::WindowNoState);

        window.resize(700, 500);
        window.setWindowState(Qt::WindowMinimized);
        savePlacement(window, settings);
        QCOMPARE(settings.value(Settings::Main, "WindowState"), QString("0"));
        QCOMPARE(settings.value(Settings::Main, "Height"), height);

        window.setWindowState(Qt::WindowMaximized);
        savePlacement(window, settings);
        QCOMPARE(settings.value(Settings::Main, "WindowState"), QString("2"));
        QCOMPARE(settings.value(Settings::Main, "Height"), height);

        QWidget next;
        restorePlacement(next, settings);
        QCOMPARE(next.windowState(), Qt::WindowMaximized);
        QCOMPARE(next.size(), QSize(500, 300));
    }

    void unusableValuesLeaveTheWindowAlone()
    {
        Settings settings(freshFile());
        settings.setValue(Settings::Main, "Height", "tall");
        settings.setValue(Settings::Main, "Width", "-150");
        settings.setValue(Settings::Main, "Top", "1500");
        settings.setValue(Settings::Main, "Left", "wide");
        settings.setValue(Settings::Main, "WindowState", "7");
        QWidget window;
        window.resize(321, 123);
        window.move(5, 6);
        restorePlacement(window, settings);
        QCOMPARE(window.size(), QSize(321, 123));
        QCOMPARE(window.pos(), QPoint(5, qRound(twipsToPixels(1500, window.logicalDpiY()))));
        QCOMPARE(window.windowState(), Qt::WindowNoState);

        // A placement from a screen that has gone comes back to the default position.
        settings.setValue(Settings::Main, "Left", "9000000");
        settings.setValue(Settings::Main, "Top", "-9000000");
        restorePlacement(window, settings);
        const QRect screen = window.screen()->geometry();
        QCOMPARE(window.pos(), QPoint(screen.width() / 4, screen.height() / 4));
    }
};

QTEST_MAIN(tst_windowplacement)
#include "tst_windowplacement.moc"
