// SPDX-License-Identifier: GPL-3.0-or-later
// The viewer on a dark desktop: each kind of text page reads, whatever colours it sets.
#include "BinderFixture.h"
#include "documents/Binder.h"
#include "platform_ui/RichTextBox.h"
#include "support/ui/PaintedColours.h"
#include "web/WebViewer.h"
#include "window/PageDisplay.h"

#include <QApplication>
#include <QStyleFactory>
#include <QTest>
#include <QWebEnginePage>

using namespace quillery;
using namespace quillery::test;

class tst_darkviewer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QApplication::setStyle(QStyleFactory::create("Fusion"));
        QApplication::setPalette(darkPalette());
    }

    void textPagesReadOnTheDarkPalette()
    {
        BinderFixture f;
        auto binder = f.open(f.makeBinder(
            "dark.qly",
            {{"auto.rtf", "{\\rtf1\\ansi\\fs40 Automatic words\\par}"},
             {"black.rtf",
              "{\\rtf1\\ansi{\\colortbl;\\red0\\green0\\blue0;}\\fs40\\cf1 Black\\par}"},
             {"plain.txt", "Plain words"}}));
        WebViewer viewer(f);
        RichTextBox &text = *viewer.pane.textPane();
        const auto shown = [&](int position) {
            binder->setCurrentPosition(position);
            viewer.pane.showPage(preparePageDisplay(*f.workspace, *binder), *binder);
            return paintedColours(*text.viewport());
        };
        PaintedColours page = shown(1);
        QCOMPARE(page.background, DarkBase);
        QVERIFY(page.reads());
        // Black text was written for a light page.
        page = shown(2);
        QCOMPARE(page.background, QColor(Qt::white));
        QVERIFY(page.reads());
        page = shown(3);
        QCOMPARE(page.background, DarkBase);
        QVERIFY(page.reads());

        // A binder whose plain text is black by its own default format.
        binder->editRecords([](InfoRecords &records) { records.write("TXTColour", "0"); });
        page = shown(3);
        QCOMPARE(page.background, QColor(Qt::white));
        QVERIFY(page.reads());
    }

    // As in a web browser: a page that sets no colours is black on white, whatever the
    // desktop's palette, never the palette's light text on a white page or black on dark.
    void anHtmlPageWithoutColoursIsBlackOnWhite()
    {
        BinderFixture f;
        auto binder = f.open(f.makeBinder("html.qly", {{"plain.html", "<p>Words</p>"}}));
        WebViewer viewer(f);
        binder->setCurrentPosition(1);
        QVERIFY(viewer.show(*binder));
        QCOMPARE(enginePage(viewer.pane)->backgroundColor(), QColor(Qt::white));
        const QVariantList colours =
            viewer
                .evaluate("[getComputedStyle(document.body).color,"
                          " getComputedStyle(document.documentElement).backgroundColor,"
                          " getComputedStyle(document.body).backgroundColor]")
                .toList();
        QCOMPARE(colours, QVariantList({"rgb(0, 0, 0)", "rgba(0, 0, 0, 0)", "rgba(0, 0, 0, 0)"}));
    }
};

QTEST_MAIN(tst_darkviewer)
#include "tst_darkviewer.moc"
