// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Colours.h"

#include <QPalette>
#include <QTest>

using namespace quillery;

class tst_colours : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // 0x00BBGGRR: red in the low byte; system colours follow the palette.
    void redGreenBlueOrSystemColours()
    {
        QCOMPARE(colourFromCode(0x123456), QColor(0x56, 0x34, 0x12));
        QCOMPARE(codeFromColour(QColor(0x56, 0x34, 0x12)), ColourCode(0x123456));
        QPalette palette;
        palette.setColor(QPalette::Base, QColor(1, 2, 3));
        QCOMPARE(colourFromCode(SystemWindowBackground, palette), QColor(1, 2, 3));
    }

    // The sixteen HTML names, stored as 0x00BBGGRR like any other colour.
    void basicColourNames()
    {
        QCOMPARE(quillery::basicColourNames().size(), 16);
        QCOMPARE(basicColourFromName("navy"), std::optional(ColourCode(0x800000)));
        QCOMPARE(basicColourFromName("Gray"), basicColourFromName("GREY"));
        QCOMPARE(basicColourFromName("Orange"), std::optional<ColourCode>());
        for (const QString &name : quillery::basicColourNames())
            QCOMPARE(colourName(*basicColourFromName(name)), name);
        QCOMPARE(colourName(0x123456), QString("#563412"));
        QCOMPARE(colourName(SystemWindowText), systemColourName(SystemWindowText));
    }

    void storedText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<ColourCode>>("code");
        QTest::newRow("window background, signed")
            << "-2147483643" << std::optional(SystemWindowBackground);
        QTest::newRow("window text, unsigned") << "2147483656" << std::optional(SystemWindowText);
        QTest::newRow("hex form") << "&H80000005&" << std::optional(SystemWindowBackground);
        QTest::newRow("plain colour") << " 255 " << std::optional(ColourCode(255));
        QTest::newRow("not a number") << "red" << std::optional<ColourCode>();
        QTest::newRow("out of range") << "4294967296" << std::optional<ColourCode>();
    }

    void storedText()
    {
        QFETCH(QString, text);
        QFETCH(std::optional<ColourCode>, code);
        QCOMPARE(parseColourCode(text), code);
    }
};

QTEST_MAIN(tst_colours)
#include "tst_colours.moc"
