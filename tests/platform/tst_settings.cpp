// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "platform/Settings.h"
#include "platform/Twips.h"
#include "shell/WindowPlacement.h"

#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

using namespace quillery;

class tst_settings : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_files = 0;

    QString freshFile() { return m_dir.filePath(QStringLiteral("s%1.ini").arg(++m_files)); }

private Q_SLOTS:
    void emptyStoreGivesEveryDefault()
    {
        const Settings settings(freshFile());
        QCOMPARE(settings.authorName(), QString());
        QCOMPARE(settings.openFolder(), QString());
        QCOMPARE(settings.defDocFol(), QString());
        QCOMPARE(settings.jpegQuality(), 75);
        QCOMPARE(settings.associationCount(), 0);
        QCOMPARE(settings.GetSetting(Settings::Main, "Height", "8655"), QString("8655"));

        const QStringList labels = {"Rich Text Page", "Plain Text Page", "HTML Page",
                                    "Picture",        "Sound",           "Default File Action"};
        for (int row = 1; row <= 6; ++row)
            QCOMPARE(Settings::defaultAssociationLabel(row), labels[row - 1]);
        QCOMPARE(Settings::defaultAssociationLabel(7), QString());
        QCOMPARE(settings.associationEditor(1), QString("Quillery Rich Text Editor"));
        QCOMPARE(settings.associationEditor(2), QString("Quillery Plain Text Editor"));
        QCOMPARE(settings.associationEditor(3), QString("Quillery Plain Text Editor"));
        for (int row : {4, 5, 6, 7, 12})
            QCOMPARE(settings.associationEditor(row), QString("Default Program"));
        QCOMPARE(settings.associationLabel(7), QString());
    }

    void theUserFileIsTamsinOrdesAndPerUser()
    {
        QStandardPaths::setTestModeEnabled(true);
        const Settings settings;
        const QString config =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        QVERIFY2(settings.fileName().startsWith(config), qPrintable(settings.fileName()));
        QVERIFY(settings.fileName().endsWith("/Tamsin Orde/Quillery.ini"));
        QStandardPaths::setTestModeEnabled(false);
    }

    void valuesComeBackAsWritten()
    {
        const QString file = freshFile();
        const QStringList values = {" ",     "Orde, Tamsin",   "@Variant(x)", "C:\\path\\",
                                    "a=b;c", "Ünïcödé · 名前", "\"quoted\"",  " padded "};
        {
            Settings settings(file);
            for (int i = 0; i < values.size(); ++i)
                settings.SaveSetting(Settings::Main, QStringLiteral("Key%1").arg(i), values[i]);
            settings.SaveSetting(Settings::Associations, "PEAe7",
                                 "/usr/bin/editor" + QString(Settings::ProgramSeparator));
        }
        const Settings again(file);
        for (int i = 0; i < values.size(); ++i)
            QCOMPARE(again.GetSetting(Settings::Main, QStringLiteral("Key%1").arg(i)), values[i]);
        QCOMPARE(again.associationEditor(7), QString("/usr/bin/editor\u00B7"));

        // A hand-edited file: an unquoted comma makes a list to the INI reader.
        test::writeFile(file, "[Quillery]\nAuthorName=Orde, Tamsin\nJPEGQuality=high\n");
        const Settings edited(file);
        QCOMPARE(edited.authorName(), QString("Orde, Tamsin"));
        QCOMPARE(edited.jpegQuality(), 75);
    }

    void sectionsAreGroupsAndDeleteAlone()
    {
        const QString file = freshFile();
        Settings settings(file);
        settings.setAuthorName("Tamsin");
        settings.SaveSetting(Settings::Associations, "PEAs", "7");
        settings.SaveSetting("Quillery/Page Editing Associations", "PEAt7", ".doc");
        QCOMPARE(settings.associationLabel(7), QString(".doc"));

        // Rows past those stored take their defaults; a damaged count reads as none.
        settings.SaveSetting(Settings::Associations, "PEAe1", "Default Program");
        QCOMPARE(settings.associationEditor(1), QString("Default Program"));
        QCOMPARE(settings.associationEditor(5), QString("Default Program"));
        settings.SaveSetting(Settings::Associations, "PEAs", "4000000000");
        QCOMPARE(settings.associationCount(), 32767);
        settings.SaveSetting(Settings::Associations, "PEAs", "many");
        QCOMPARE(settings.associationCount(), 0);

        settings.DeleteSetting(Settings::Associations);
        settings.sync();
        QCOMPARE(settings.associationLabel(7), QString());
        QCOMPARE(settings.authorName(), QString("Tamsin"));
        QVERIFY(test::readFile(file).contains("[Quillery]"));
    }

    void emptyStorePlacesTheWindowMaximisedAtAQuarter()
    {
        const Settings settings(freshFile());
        QWidget window;
        restorePlacement(window, settings);
        const QRect screen = window.screen()->geometry();
        QCOMPARE(window.size(), QSize(qRound(twipsToPixels(9630, window.logicalDpiX())),
                                      qRound(twipsToPixels(8655, window.logicalDpiY()))));
        QCOMPARE(window.pos(), QPoint(screen.width() / 4, screen.height() / 4));
        QCOMPARE(window.windowState(), Qt::WindowMaximized);
    }

    void minimisedOrMaximisedKeepTheLastNormalSize()
    {
        Settings settings(freshFile());
        QWidget window;
        window.resize(500, 300);
        window.move(30, 40);
        savePlacement(window, settings);
        QCOMPARE(settings.GetSetting(Settings::Main, "WindowState"), QString("0"));
        const QString height = settings.GetSetting(Settings::Main, "Height");
        QCOMPARE(height, QString::number(qRound(pixelsToTwips(300, window.logicalDpiY()))));
        QWidget normal;
        restorePlacement(normal, settings);
        QCOMPARE(normal.geometry(), window.geometry());
        QCOMPARE(normal.windowState(), Qt::WindowNoState);

        window.resize(700, 500);
        window.setWindowState(Qt::WindowMinimized);
        savePlacement(window, settings);
        QCOMPARE(settings.GetSetting(Settings::Main, "WindowState"), QString("0"));
        QCOMPARE(settings.GetSetting(Settings::Main, "Height"), height);

        window.setWindowState(Qt::WindowMaximized);
        savePlacement(window, settings);
        QCOMPARE(settings.GetSetting(Settings::Main, "WindowState"), QString("2"));
        QCOMPARE(settings.GetSetting(Settings::Main, "Height"), height);

        QWidget next;
        restorePlacement(next, settings);
        QCOMPARE(next.windowState(), Qt::WindowMaximized);
        QCOMPARE(next.size(), QSize(500, 300));
    }

    void unusableValuesLeaveTheWindowAlone()
    {
        Settings settings(freshFile());
        settings.SaveSetting(Settings::Main, "Height", "tall");
        settings.SaveSetting(Settings::Main, "Width", "-150");
        settings.SaveSetting(Settings::Main, "Top", "1500");
        settings.SaveSetting(Settings::Main, "Left", "wide");
        settings.SaveSetting(Settings::Main, "WindowState", "7");
        QWidget window;
        window.resize(321, 123);
        window.move(5, 6);
        restorePlacement(window, settings);
        QCOMPARE(window.size(), QSize(321, 123));
        QCOMPARE(window.pos(), QPoint(5, qRound(twipsToPixels(1500, window.logicalDpiY()))));
        QCOMPARE(window.windowState(), Qt::WindowNoState);

        // A placement from a screen that has gone comes back to the default position.
        settings.SaveSetting(Settings::Main, "Left", "9000000");
        settings.SaveSetting(Settings::Main, "Top", "-9000000");
        restorePlacement(window, settings);
        const QRect screen = window.screen()->geometry();
        QCOMPARE(window.pos(), QPoint(screen.width() / 4, screen.height() / 4));
    }
};

QTEST_MAIN(tst_settings)
#include "tst_settings.moc"
