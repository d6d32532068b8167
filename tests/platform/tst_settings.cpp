// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "platform/Settings.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace quillery;

class tst_settings : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_files = 0;

    QString freshFile() { return m_dir.filePath(QStringLiteral("s%1.ini").arg(++m_files)); }

private Q_SLOTS:
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

    void defaultsSectionsAndDeletingOne()
    {
        const QString file = freshFile();
        Settings settings(file);
        QCOMPARE(settings.authorName(), QString());
        QCOMPARE(settings.associationCount(), 0);
        QCOMPARE(settings.GetSetting(Settings::Main, "Height", "8655"), QString("8655"));
        QCOMPARE(settings.associationEditor(1), QString("Quillery Rich Text Editor"));
        QCOMPARE(settings.associationEditor(3), QString("Quillery Plain Text Editor"));
        QCOMPARE(settings.associationLabel(7), QString());

        settings.setAuthorName("Tamsin");
        settings.SaveSetting(Settings::Associations, "PEAs", "7");
        settings.SaveSetting("Quillery/Page Editing Associations", "PEAt7", ".doc");
        QCOMPARE(settings.associationLabel(7), QString(".doc"));

        // Rows past those stored take their defaults; a damaged count reads as none.
        settings.SaveSetting(Settings::Associations, "PEAe1", "Default Program");
        QCOMPARE(settings.associationEditor(1), QString("Default Program"));
        QCOMPARE(settings.associationEditor(12), QString("Default Program"));
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
};

QTEST_GUILESS_MAIN(tst_settings)
#include "tst_settings.moc"
