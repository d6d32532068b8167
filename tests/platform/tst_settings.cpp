// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "images/ScanOptions.h"
#include "platform/Settings.h"

#include <QTemporaryDir>
#include <QTest>

using namespace quillery;

class tst_settings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void valuesComeBackAsWritten()
    {
        const QTemporaryDir dir;
        const QString file = dir.filePath("settings.ini");
        const QStringList values = {" ",     "Orde, Tamsin",   "@Variant(x)", "C:\\path\\",
                                    "a=b;c", "Ünïcödé · 名前", "\"quoted\"",  " padded "};
        {
            Settings settings(file);
            for (int i = 0; i < values.size(); ++i)
                settings.setValue(Settings::Main, QStringLiteral("Key%1").arg(i), values[i]);
        }
        const Settings again(file);
        for (int i = 0; i < values.size(); ++i)
            QCOMPARE(again.value(Settings::Main, QStringLiteral("Key%1").arg(i)), values[i]);

        // A hand-edited file: an unquoted comma makes a list to the INI reader.
        test::writeFile(file, "[Quillery]\nAuthorName=Orde, Tamsin\nJPEGQuality=high\n");
        const Settings edited(file);
        QCOMPARE(edited.authorName(), QString("Orde, Tamsin"));
        QCOMPARE(jpegQualityFromSetting(edited.value(Settings::Main, "JPEGQuality")),
                 defaultJpegQuality);
    }

    void damagedCountsAndDeletingASection()
    {
        const QTemporaryDir dir;
        const QString file = dir.filePath("settings.ini");
        Settings settings(file);
        settings.setAuthorName("Tamsin");
        settings.setValue(Settings::Associations, "PEAs", "7");
        settings.setValue(Settings::Associations, "PEAt7", ".doc");
        QCOMPARE(settings.associationLabel(7), QString(".doc"));
        settings.removeSection(Settings::Associations);
        QCOMPARE(settings.associationLabel(7), QString());
        QCOMPARE(settings.authorName(), QString("Tamsin"));

        // A count too large is held to what a list can have; a damaged one reads as none.
        settings.setValue(Settings::Associations, "PEAs", "4000000000");
        QCOMPARE(settings.associationCount(), 32767);
        settings.setValue(Settings::Associations, "PEAs", "many");
        QCOMPARE(settings.associationCount(), 0);
    }
};

QTEST_GUILESS_MAIN(tst_settings)
#include "tst_settings.moc"
