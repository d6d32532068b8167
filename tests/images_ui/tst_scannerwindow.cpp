// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "images/ImageTestTools.h"

#include "images_ui/PicturePreview.h"
#include "images_ui/ScannerWindow.h"
#include "platform/Settings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStandardPaths>

using namespace quillery;
using namespace quillery::test;

namespace {

// A scanner window over the fixture, with its own binder and settings file.
struct Scanner
{
    explicit Scanner(BinderFixture &f)
        : f(f), settings(f.path("settings.ini")), window(*f.workspace, binder, settings)
    {
    }
    template <typename T = QWidget> T *child(const char *name)
    {
        return window.findChild<T *>(QString::fromLatin1(name));
    }
    void click(const char *name) { child<QAbstractButton>(name)->click(); }
    bool showsOptions() { return child("fraJPEG")->isVisibleTo(&window); }
    std::vector<Segment> saveAs(const QString &name)
    {
        f.dialogs.queueSaveFile(f.path(name));
        click("cmdSave");
        return segments(readFile(f.path(name)));
    }

    BinderFixture &f;
    Binder binder;
    Settings settings;
    ScannerWindow window;
};

// A white picture with red, green, blue and black corners (clockwise from the top left
// red, green, black, blue).
QString picture(BinderFixture &f, const QString &name, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(Qt::white);
    image.setPixelColor(0, 0, Qt::red);
    image.setPixelColor(width - 1, 0, Qt::green);
    image.setPixelColor(0, height - 1, Qt::blue);
    image.setPixelColor(width - 1, height - 1, Qt::black);
    image.save(f.path(name));
    return f.path(name);
}

// Presses, drags or lets go of the left button at a point of the widget; where the
// preview's scroll bars then stand.
QPoint mouse(PicturePreview *preview, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, preview->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(preview, &event);
    return {preview->horizontalScrollBar()->value(), preview->verticalScrollBar()->value()};
}

} // namespace

class tst_scannerwindow : public QObject
{
    Q_OBJECT

    QTemporaryDir sane;

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        // Only SANE's test backend, with its two virtual devices.
        writeFile(sane.filePath("dll.conf"), "test\n");
        qputenv("SANE_CONFIG_DIR", QFile::encodeName(sane.path()));
    }

    void acquiredImageBecomesAPicturePage()
    {
        BinderFixture f;
        Scanner s(f);
        BinderAnnouncements heard(s.binder);
        s.click("cmdAcquire");
        const QSize acquired(s.window.image().width(), s.window.image().height());
        QVERIFY(acquired.width() > 900 && acquired.height() > 1100);
        QVERIFY(s.showsOptions() && s.child("fraSave")->isEnabled());

        // Each addition is named after the page count at the time.
        s.click("cmdAddIntoQuillery");
        s.click("cmdAddIntoQuillery");
        QCOMPARE(s.binder.pageCount(), 2);
        for (int n : {1, 2}) {
            const PageRow &row = s.binder.page(n);
            QCOMPARE(row.key.kind.name(), QStringLiteral("PICTURE"));
            QCOMPARE(row.name, QStringLiteral("Page %1.jpg").arg(n));
            const QString copy =
                f.file(QStringLiteral("page%1.jpg").arg(n), pageBytes(s.binder, n));
            QCOMPARE(djpeg(copy).image.size(), acquired);
            QVERIFY(f.temp->registered().contains(f.temp->filePath(row.name)));
        }
        QVERIFY(s.binder.page(1).key.location != s.binder.page(2).key.location);
        QCOMPARE(heard.seen, QStringList({"page 1", "changed true", "page 2"}));
    }

    // An unreadable picture keeps the one shown; a page or a file that cannot be written
    // is reported and changes nothing.
    void failuresLoseNothing()
    {
        BinderFixture f;
        Scanner s(f);
        const QString broken = f.file("broken.jpg", "not a picture");
        f.dialogs.queueOpenFile(picture(f, "a.bmp", 30, 20));
        s.click("cmdOpen");
        s.window.openPictureFile(broken);
        QVERIFY(f.dialogs.takeLast().text.contains(broken));
        QCOMPARE(s.window.image().width(), 30);
        QVERIFY(s.showsOptions() && s.child("fraJPEG")->isEnabled());

        // A folder stands where the page's picture would be written.
        BinderAnnouncements heard(s.binder);
        QVERIFY(QDir().mkpath(f.temp->filePath("Page 1.jpg/x")));
        s.click("cmdAddIntoQuillery");
        QCOMPARE(s.binder.pageCount(), 0);
        QVERIFY(heard.seen.isEmpty());
        QVERIFY(f.dialogs.takeLast().text.contains(f.temp->filePath("Page 1.jpg")));

        const QString target = f.file("old.jpg", "old bytes");
        const QString temp = f.temp->path();
        QVERIFY(QDir().rename(temp, temp + ".away"));
        s.saveAs("old.jpg");
        QVERIFY(QDir().rename(temp + ".away", temp));
        QCOMPARE(readFile(target), QByteArray("old bytes"));
        QVERIFY(f.dialogs.takeLast().text.contains(target));
        QVERIFY(QDir(temp).entryList(QDir::Files).isEmpty()); // no scratch file left
    }

    void turningQualityGreyscaleAndSubSampling()
    {
        BinderFixture f;
        Settings(f.path("settings.ini")).setValue(Settings::Main, "JPEGQuality", "100");
        Scanner s(f);
        s.window.openPictureFile(picture(f, "corners.png", 30, 20));
        const auto check = [&](const char *command, int width, QRgb topLeft, QRgb topRight) {
            s.click(command);
            const QImage image = s.window.image().toQImage().convertToFormat(QImage::Format_RGB32);
            QCOMPARE(image.width(), width);
            QCOMPARE(image.pixel(0, 0), topLeft);
            QCOMPARE(image.pixel(width - 1, 0), topRight);
        };
        const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255),
                   black = qRgb(0, 0, 0);
        check("cmdClockwise", 20, blue, red);
        check("cmdAntiClockwise", 30, red, green);
        check("cmdFlipHori", 30, green, red);
        check("cmdFlipVert", 30, black, blue);

        // What is saved is the image as turned, at the stored quality.
        s.click("cmdClockwise");
        QCOMPARE(findMarker(s.saveAs("q100.jpg"), 0xDB)->body.mid(1, 64), QByteArray(64, 1));
        QCOMPARE(djpeg(f.path("q100.jpg")).image.size(), QSize(20, 30));
        s.child<QScrollBar>("hscQuality")->setValue(40);
        QVERIFY(findMarker(s.saveAs("q40.jpg"), 0xDB)->body.mid(1, 64) != QByteArray(64, 1));

        auto *combo = s.child<QComboBox>("cboSubSample");
        auto *grey = s.child<QCheckBox>("chkGreyscale");
        grey->click();
        QVERIFY(!combo->isEnabled());
        const std::vector<Segment> one = s.saveAs("grey.jpg");
        QCOMPARE(findMarker(one, 0xC0)->body[5], char(1)); // components
        // Unticking brings back the list's choice.
        grey->click();
        QVERIFY(combo->isEnabled());
        QCOMPARE(findMarker(s.saveAs("again.jpg"), 0xC0)->body[7], char(0x22));
        combo->setCurrentIndex(combo->findText("1:4"));
        QCOMPARE(findMarker(s.saveAs("tall.jpg"), 0xC0)->body[7], char(0x14));

        s.click("cmdClose");
        QCOMPARE(s.settings.value(Settings::Main, "JPEGQuality"), QStringLiteral("40"));
    }

    void previewCentresOrScrolls()
    {
        BinderFixture f;
        Scanner s(f);
        s.window.resize(700, 500);
        s.window.show();
        auto *preview = s.child<PicturePreview>("Picture1");
        QScrollBar *across = preview->horizontalScrollBar();
        QScrollBar *down = preview->verticalScrollBar();
        const QRect inside = preview->contentsRect();

        // Smaller than the preview: centred, no scroll bars, dragging does nothing.
        s.window.openPictureFile(picture(f, "small.png", 40, 30));
        QVERIFY(!across->isVisible() && !down->isVisible());
        const QPoint centred(-((inside.width() - 40) / 2), -((inside.height() - 30) / 2));
        QCOMPARE(mouse(preview, QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton), centred);
        QCOMPARE(mouse(preview, QEvent::MouseMove, {10, 5}, Qt::LeftButton), centred);

        // Wide enough for the horizontal bar, whose height then makes it too tall too.
        const int tall = inside.height() - across->sizeHint().height() / 2;
        s.window.openPictureFile(picture(f, "both.png", 3000, tall));
        QVERIFY(across->isVisible() && down->isVisible());
        QCOMPARE(across->maximum(), 3000 - (inside.width() - down->width()));
        QCOMPARE(down->maximum(), tall - (inside.height() - across->height()));
        mouse(preview, QEvent::MouseButtonPress, {100, 20}, Qt::LeftButton);
        QCOMPARE(mouse(preview, QEvent::MouseMove, {60, 18}, Qt::LeftButton), QPoint(40, 2));
        QCOMPARE(mouse(preview, QEvent::MouseMove, {-5000, -5000}, Qt::LeftButton),
                 QPoint(across->maximum(), down->maximum()));
        // What is painted follows the bars: scrolled to the end, the picture's far corner
        // shows in the preview's.
        const QImage shown = preview->grab().toImage();
        const QPoint corner(inside.left() + inside.width() - down->width() - 1,
                            inside.top() + inside.height() - across->height() - 1);
        QCOMPARE(shown.pixelColor(corner), QColor(Qt::black));
    }
};

QTEST_MAIN(tst_scannerwindow)
#include "tst_scannerwindow.moc"
