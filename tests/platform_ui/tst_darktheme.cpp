// SPDX-License-Identifier: GPL-3.0-or-later
// A dark desktop palette: pages stay readable on it, and the icons' ink follows it.
#include "platform_ui/InkIcon.h"
#include "platform_ui/PageColours.h"
#include "platform_ui/RichTextBox.h"
#include "support/ui/PaintedColours.h"

#include <QApplication>
#include <QFile>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>

using namespace quillery;
using namespace quillery::test;

namespace {

QByteArray rtf(const char *colours, const char *body)
{
    return QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 DejaVu Sans;}}{\\colortbl;") + colours +
           "}\\pard\\f0\\fs40 " + body + "\\par}";
}

PaintedColours painted(RichTextBox &box)
{
    box.resize(360, 120);
    box.show();
    return paintedColours(*box.viewport());
}

} // namespace

class tst_darktheme : public QObject
{
    Q_OBJECT

    void useTheme(const QPalette &theme) { QApplication::setPalette(theme); }

private Q_SLOTS:
    void initTestCase() { QApplication::setStyle(QStyleFactory::create("Fusion")); }
    void init() { useTheme(QApplication::style()->standardPalette()); }

    void aPageThatSetsNoColoursTakesTheTheme()
    {
        useTheme(darkPalette());
        RichTextBox box;
        box.setRtf(rtf("", "Plain words on the theme"));
        PaintedColours shown = painted(box);
        QCOMPARE(shown.background, DarkBase);
        QVERIFY(shown.reads());

        box.setText(QStringLiteral("A plain text page"));
        shown = painted(box);
        QCOMPARE(shown.background, DarkBase);
        QVERIFY(shown.reads());

        useTheme(QApplication::style()->standardPalette());
        RichTextBox light;
        light.setRtf(rtf("", "Plain words on a light theme"));
        shown = painted(light);
        QCOMPARE(shown.background, QApplication::palette().color(QPalette::Base));
        QVERIFY(shown.reads());
    }

    void coloursWrittenForALightPageAreShownOnOne()
    {
        useTheme(darkPalette());
        RichTextBox box;
        // Black text, and automatic text on a yellow highlight, would vanish on the dark page.
        for (const QByteArray &page :
             {rtf("\\red0\\green0\\blue0;", "\\cf1 Black words\\cf0  and automatic ones"),
              rtf("\\red255\\green255\\blue0;", "\\highlight1 Marked words"),
              rtf("\\red31\\green78\\blue121;", "\\cf1 Dark blue heading")}) {
            box.setRtf(page);
            const PaintedColours shown = painted(box);
            QCOMPARE(shown.background, QColor(Qt::white));
            QVERIFY2(shown.reads(), page.constData());
        }

        // Colours that read on the theme leave it alone.
        box.setRtf(rtf("\\red255\\green220\\blue80;", "\\cf1 Gold words"));
        QCOMPARE(painted(box).background, DarkBase);

        // Black chosen in the editor on a dark page brings the light page at once.
        box.setText(QStringLiteral("Typed words"));
        box.setSelectionStart(0);
        box.setSelectionLength(5);
        box.setSelectionColour(basicColourFromName(QStringLiteral("Black")).value());
        QCOMPARE(painted(box).background, QColor(Qt::white));
        box.setSelectionColour(SystemWindowText);
        QCOMPARE(painted(box).background, DarkBase);
    }

    void aBackgroundOfThePagesOwnGetsAutomaticTextThatReads()
    {
        RichTextBox box;
        box.setRtf(rtf("", "Automatic words"));
        const ColourCode navy = basicColourFromName(QStringLiteral("Navy")).value();
        const ColourCode white = basicColourFromName(QStringLiteral("White")).value();

        box.setBackColour(navy);
        PaintedColours shown = painted(box);
        QCOMPARE(shown.background, colourFromCode(navy));
        QVERIFY(shown.reads());

        useTheme(darkPalette());
        box.setBackColour(white);
        shown = painted(box);
        QCOMPARE(shown.background, QColor(Qt::white));
        QVERIFY(shown.reads());
    }

    void iconInkFollowsTheTheme()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath("icon.svg"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\">"
                   "<rect x=\"0\" y=\"0\" width=\"16\" height=\"32\" fill=\"#1f2630\"/>"
                   "<rect x=\"16\" y=\"0\" width=\"16\" height=\"32\" fill=\"#c0392b\"/>"
                   "</svg>");
        file.close();
        const QIcon icon = inkIcon(file.fileName());
        const auto ink = [&icon](QIcon::Mode mode) {
            const QImage image = icon.pixmap(QSize(32, 32), 1.0, mode).toImage();
            return QPair<QColor, QColor>(image.pixelColor(8, 16), image.pixelColor(24, 16));
        };
        const QColor red(0xc0, 0x39, 0x2b);
        useTheme(darkPalette());
        QCOMPARE(ink(QIcon::Normal), qMakePair(DarkText, red));
        const QColor greyed = darkPalette().color(QPalette::Disabled, QPalette::ButtonText);
        QCOMPARE(ink(QIcon::Disabled).first, greyed);
        useTheme(QApplication::style()->standardPalette());
        QCOMPARE(ink(QIcon::Normal).first, QApplication::palette().color(QPalette::ButtonText));
        QVERIFY(inkIcon(dir.filePath("missing.svg")).isNull());
    }

    void contrastIsMeasuredAsWcagDoes()
    {
        QCOMPARE(contrastRatio(Qt::black, Qt::white), 21.0);
        QCOMPARE(contrastRatio(Qt::white, Qt::black), 21.0);
        QCOMPARE(contrastRatio(QColor(0x77, 0x77, 0x77), QColor(0x77, 0x77, 0x77)), 1.0);
        // #777 on white is the usual example just short of 4.5.
        QVERIFY(qAbs(contrastRatio(QColor(0x77, 0x77, 0x77), Qt::white) - 4.48) < 0.01);
    }
};

QTEST_MAIN(tst_darktheme)
#include "tst_darktheme.moc"
