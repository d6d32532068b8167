#include "BinderFixture.h"
#include "ImageTestTools.h"
#include "TestSupport.h"

#include "documents/Binder.h"
#include "images/PicturePreview.h"
#include "images/frmTWAINJPEG.h"
#include "platform/Twain.h"
#include "shell/MainToolbar.h"
#include "shell/Settings.h"
#include "shell/frmMain.h"
#include "window/PageListView.h"
#include "window/frmMDI.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

using namespace quillery;
using namespace quillery::test;

namespace {

const QString Pictures =
    QStringLiteral("Pictures (*.bmp;*.dib;*.gif;*.jpg;*.jpeg)|*.bmp;*.dib;*.gif;"
                   "*.jpg;*.jpeg|All files (*.*)|*.*");

// A scanner window over the fixture, with its own binder and settings file.
struct Scanner
{
    explicit Scanner(BinderFixture &f)
        : settings(f.path(QStringLiteral("settings.ini"))), window(*f.workspace, binder, settings)
    {
    }

    template <typename T = QWidget> T *child(const char *name)
    {
        T *found = window.findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    void click(const char *name) { child<QAbstractButton>(name)->click(); }
    bool showsOptions() { return child("fraJPEG")->isVisibleTo(&window); }

    Binder binder;
    Settings settings;
    frmTWAINJPEG window;
};

// A picture file of the given size whose four corners have their own colours.
QString pictureFile(BinderFixture &f, const QString &name, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(Qt::white);
    image.setPixelColor(0, 0, Qt::red);
    image.setPixelColor(width - 1, 0, Qt::green);
    image.setPixelColor(0, height - 1, Qt::blue);
    image.setPixelColor(width - 1, height - 1, Qt::black);
    const QString path = f.path(name);
    if (!image.save(path))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QColor corner(const cImage &image, int x, int y)
{
    const RgbQuad q = image.pixel(x, y);
    return QColor(q.red, q.green, q.blue);
}

std::vector<Segment> savedSegments(Scanner &s, BinderFixture &f, const QString &name)
{
    f.dialogs.queueSaveFile(f.path(name));
    s.click("cmdSave");
    return segments(readFile(f.path(name)));
}

void sendMouse(QWidget *widget, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void drag(QWidget *widget, QPoint from, QPoint to)
{
    sendMouse(widget, QEvent::MouseButtonPress, from, Qt::LeftButton);
    sendMouse(widget, QEvent::MouseMove, to, Qt::LeftButton);
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
        writeFile(sane.filePath(QStringLiteral("dll.conf")), "test\n");
        qputenv("SANE_CONFIG_DIR", QFile::encodeName(sane.path()));
    }

    void cleanup() { setTwainSourceChooser({}); }

    void acquiredImageBecomesAPicturePage()
    {
        BinderFixture f;
        Scanner s(f);
        QString offered;
        setTwainSourceChooser([&](QWidget *, const QList<TwainSource> &sources, int) {
            for (int i = 0; i < sources.size(); ++i) {
                offered += sources[i].name + u' ';
                if (sources[i].name == u"test:1")
                    return i;
            }
            return -1;
        });
        s.click("cmdSelectSource");
        QCOMPARE(offered, QStringLiteral("test:0 test:1 "));
        QVERIFY(!s.showsOptions());

        s.click("cmdAcquire");
        QVERIFY(QFile::exists(f.temp->filePath(QStringLiteral("twain.bmp"))));
        const QSize acquired(s.window.image().Width(), s.window.image().Height());
        QVERIFY(acquired.width() > 900 && acquired.height() > 1100);
        QVERIFY(s.showsOptions());
        QVERIFY(s.child("fraSave")->isVisibleTo(&s.window));

        // Each addition is named after the page count at the time.
        s.click("cmdAddIntoQuillery");
        s.click("cmdAddIntoQuillery");
        QCOMPARE(s.binder.pageCount(), 2);
        for (int n : {1, 2}) {
            const PageRow &row = s.binder.page(n);
            QCOMPARE(row.key.kind, QStringLiteral("PICTURE"));
            QCOMPARE(row.name, QStringLiteral("Page %1.jpg").arg(n));
            const QString copy = f.path(QStringLiteral("page%1.jpg").arg(n));
            writeFile(copy, GetLumpString(s.binder, QString::number(n)));
            const Decoded decoded = djpeg(copy);
            QVERIFY2(decoded.ok, qPrintable(decoded.errors));
            QCOMPARE(decoded.image.size(), acquired);
            QVERIFY(f.temp->registered().contains(f.temp->filePath(row.name)));
        }
        QVERIFY(s.binder.page(1).key.location != s.binder.page(2).key.location);
        QCOMPARE(s.binder.CurIndex, 2);
        QCOMPARE(f.ui.pageHooks, QStringList({"show 1", "check 1", "show 2", "check 2"}));
        QVERIFY(f.dialogs.calls().isEmpty());
    }

    void addingThatFailsAddsNothing()
    {
        BinderFixture f;
        Scanner s(f);
        s.window.OpenImage(pictureFile(f, QStringLiteral("small.png"), 8, 8));
        // Something that is not a file stands where the page's picture is written.
        QVERIFY(QDir().mkpath(f.temp->filePath(QStringLiteral("Page 1.jpg/x"))));
        s.click("cmdAddIntoQuillery");
        QCOMPARE(s.binder.pageCount(), 0);
        const DialogCall report = f.dialogs.calls().last();
        QCOMPARE(report.title, QStringLiteral("Save Image Error"));
        QCOMPARE(report.icon, MsgIcon::Critical);
        QVERIFY(report.text.startsWith("An error occurred when trying to save the file '" +
                                       f.temp->filePath(QStringLiteral("Page 1.jpg")) + "' - "));
        QVERIFY(f.ui.pageHooks.isEmpty());
    }

    void openingPictures()
    {
        BinderFixture f;
        Scanner s(f);
        QCOMPARE(s.window.windowTitle(), QStringLiteral("Scanner/Camera Image (TWAIN)"));
        s.click("cmdOpen"); // cancelled
        QCOMPARE(f.dialogs.calls().size(), 1);
        QCOMPARE(f.dialogs.calls()[0].file.title, QStringLiteral("Open an Image"));
        QCOMPARE(f.dialogs.calls()[0].file.filter, Pictures);
        QVERIFY(!s.showsOptions());

        // With no image yet, an unreadable file leaves nothing to save.
        const QString broken = f.file(QStringLiteral("broken.jpg"), "not a picture");
        f.dialogs.queueOpenFile(broken);
        s.click("cmdOpen");
        const DialogCall error = f.dialogs.calls().last();
        QCOMPARE(error.title, QStringLiteral("File Load Error"));
        QCOMPARE(error.icon, MsgIcon::Exclamation);
        QCOMPARE(error.text, "Cannot load picture file\n\"" + broken + "\"");
        QVERIFY(!s.showsOptions());

        f.dialogs.queueOpenFile(pictureFile(f, QStringLiteral("a.bmp"), 30, 20));
        s.click("cmdOpen");
        QVERIFY(s.showsOptions() && s.child("fraJPEG")->isEnabled());
        s.window.OpenImage(broken);
        QCOMPARE(f.dialogs.calls().last().title, QStringLiteral("File Load Error"));
        QCOMPARE(s.window.image().Width(), 30);
        QVERIFY(s.showsOptions());
    }

    void turningAndMirroring()
    {
        BinderFixture f;
        Scanner s(f);
        s.window.OpenImage(pictureFile(f, QStringLiteral("corners.png"), 30, 20));
        const auto check = [&](const char *command, int width, QColor topLeft, QColor topRight) {
            s.click(command);
            const cImage &image = s.window.image();
            QCOMPARE(image.Width(), width);
            QCOMPARE(corner(image, 0, 0), topLeft);
            QCOMPARE(corner(image, image.Width() - 1, 0), topRight);
        };
        // Source corners: red top left, green top right, blue bottom left, black bottom right.
        check("cmdClockwise", 20, Qt::blue, Qt::red);
        check("cmdAntiClockwise", 30, Qt::red, Qt::green);
        check("cmdAntiClockwise", 20, Qt::green, Qt::black);
        check("cmdClockwise", 30, Qt::red, Qt::green);
        check("cmdFlipHori", 30, Qt::green, Qt::red);
        check("cmdFlipVert", 30, Qt::black, Qt::blue);

        s.click("cmdClockwise");
        QVERIFY(!savedSegments(s, f, QStringLiteral("turned.jpg")).empty());
        const Decoded decoded = djpeg(f.path(QStringLiteral("turned.jpg")));
        QVERIFY2(decoded.ok, qPrintable(decoded.errors));
        QCOMPARE(decoded.image.size(), QSize(20, 30));
    }

    void qualityIsReadAndRemembered()
    {
        BinderFixture f;
        {
            Scanner s(f);
            s.settings.SaveSetting(Settings::Main, QStringLiteral("JPEGQuality"), "abc");
        }
        {
            Scanner s(f);
            QCOMPARE(s.child<QLabel>("lblQuality")->text(), QStringLiteral("&Quality: 75"));
            s.settings.SaveSetting(Settings::Main, QStringLiteral("JPEGQuality"), "100");
        }
        Scanner s(f);
        QCOMPARE(s.child<QLabel>("lblQuality")->text(), QStringLiteral("&Quality: 100"));
        s.window.OpenImage(pictureFile(f, QStringLiteral("q.png"), 16, 16));
        const std::vector<Segment> best = savedSegments(s, f, QStringLiteral("q100.jpg"));
        QVERIFY(findMarker(best, 0xDB));
        QCOMPARE(findMarker(best, 0xDB)->body.mid(1, 64), QByteArray(64, 1));

        s.child<QScrollBar>("hscQuality")->setValue(40);
        QCOMPARE(s.child<QLabel>("lblQuality")->text(), QStringLiteral("&Quality: 40"));
        const std::vector<Segment> smaller = savedSegments(s, f, QStringLiteral("q40.jpg"));
        QVERIFY(findMarker(smaller, 0xDB)->body.mid(1, 64) != QByteArray(64, 1));
        s.click("cmdClose");
        QCOMPARE(s.settings.GetSetting(Settings::Main, QStringLiteral("JPEGQuality")),
                 QStringLiteral("40"));
    }

    void greyscaleAndSubSampling()
    {
        BinderFixture f;
        Scanner s(f);
        s.window.OpenImage(pictureFile(f, QStringLiteral("c.png"), 16, 16));
        auto *combo = s.child<QComboBox>("cboSubSample");
        QCOMPARE(combo->currentText(), QStringLiteral("2:2  [Default]"));
        QCOMPARE(findMarker(savedSegments(s, f, "default.jpg"), 0xC0)->body[7], char(0x22));

        s.child<QCheckBox>("chkGreyscale")->click();
        QVERIFY(!combo->isEnabled());
        const std::vector<Segment> grey = savedSegments(s, f, "grey.jpg");
        QCOMPARE(findMarker(grey, 0xC0)->body[5], char(1));
        QCOMPARE(countMarkers(grey, 0xDB), 1);

        // Unticking brings back the list's choice, which a new choice then replaces.
        s.child<QCheckBox>("chkGreyscale")->click();
        QVERIFY(combo->isEnabled());
        QCOMPARE(findMarker(savedSegments(s, f, "again.jpg"), 0xC0)->body[7], char(0x22));
        combo->setCurrentIndex(combo->findText(QStringLiteral("1:4")));
        const Segment *sof = findMarker(savedSegments(s, f, "tall.jpg"), 0xC0);
        QCOMPARE(sof->body[5], char(3));
        QCOMPARE(sof->body[7], char(0x14));
    }

    void savingAs()
    {
        BinderFixture f;
        Scanner s(f);
        s.window.OpenImage(pictureFile(f, QStringLiteral("s.png"), 24, 12));
        s.click("cmdSave"); // cancelled
        QCOMPARE(f.dialogs.calls().size(), 1);
        QCOMPARE(f.dialogs.calls()[0].file.title, QStringLiteral("Save Image"));
        QCOMPARE(f.dialogs.calls()[0].file.filter,
                 QStringLiteral("JPEG File (*.jpg)|*.jpg|All files (*.*)|*.*"));

        // An existing file is replaced.
        const QString target = f.file(QStringLiteral("old.jpg"), "old bytes");
        f.dialogs.queueSaveFile(target);
        s.click("cmdSave");
        QCOMPARE(readFile(target).left(2), QByteArray("\xFF\xD8"));
        QVERIFY(djpeg(target).ok);
        QCOMPARE(f.dialogs.calls().size(), 2);

        // A save that fails leaves the file there as it was.
        writeFile(target, "old bytes");
        const QString scratch = f.temp->path();
        QVERIFY(QDir().rename(scratch, scratch + QStringLiteral(".away")));
        f.dialogs.queueSaveFile(target);
        s.click("cmdSave");
        QVERIFY(QDir().rename(scratch + QStringLiteral(".away"), scratch));
        QCOMPARE(readFile(target), QByteArray("old bytes"));
        DialogCall error = f.dialogs.takeLast();
        QCOMPARE(error.title, QStringLiteral("Save Image Error"));
        QCOMPARE(error.icon, MsgIcon::Critical);
        QVERIFY(error.text.startsWith("An error occurred when trying to save the file '" + target +
                                      "' - "));

        const QString nowhere = f.path(QStringLiteral("missing/new.jpg"));
        f.dialogs.queueSaveFile(nowhere);
        s.click("cmdSave");
        error = f.dialogs.takeLast();
        QCOMPARE(error.title, QStringLiteral("Save Image Error"));
        QVERIFY(error.text.startsWith("An error occurred when trying to save the file '" + nowhere +
                                      "' - "));
        QVERIFY(QDir(f.temp->path()).entryList(QDir::Files).isEmpty()); // no scratch left
    }

    void previewCentresOrScrolls()
    {
        BinderFixture f;
        Scanner s(f);
        s.window.resize(700, 500);
        s.window.show();
        auto *preview = s.child<PicturePreview>("Picture1");
        QScrollBar *across = preview->HScroll1();
        QScrollBar *down = preview->VScroll1();
        const QRect inside = preview->contentsRect();

        // Smaller than the preview: centred, no scroll bars, dragging does nothing.
        s.window.OpenImage(pictureFile(f, QStringLiteral("small.png"), 40, 30));
        QVERIFY(!across->isVisible() && !down->isVisible());
        QCOMPARE(across->value(), -((inside.width() - 40) / 2));
        QCOMPARE(down->value(), -((inside.height() - 30) / 2));
        const QPoint centred(across->value(), down->value());
        drag(preview, QPoint(50, 50), QPoint(10, 5));
        QCOMPARE(QPoint(across->value(), down->value()), centred);
        QVERIFY(!preview->testAttribute(Qt::WA_SetCursor));
        sendMouse(preview, QEvent::MouseButtonRelease, QPoint(10, 5), Qt::NoButton);

        // Wider only: the horizontal bar, its height taken from the visible area.
        s.window.OpenImage(pictureFile(f, QStringLiteral("wide.png"), 3000, 40));
        QVERIFY(across->isVisible() && !down->isVisible());
        QCOMPARE(across->maximum(), 3000 - inside.width());
        drag(preview, QPoint(100, 20), QPoint(60, 0));
        QCOMPARE(preview->cursor().shape(), Qt::SizeHorCursor);
        QCOMPARE(across->value(), 40);
        sendMouse(preview, QEvent::MouseButtonRelease, QPoint(60, 0), Qt::NoButton);
        QVERIFY(!preview->testAttribute(Qt::WA_SetCursor));

        // Taller than the visible height left by the horizontal bar: both bars.
        const int tall = inside.height() - across->height() / 2;
        s.window.OpenImage(pictureFile(f, QStringLiteral("both.png"), 3000, tall));
        QVERIFY(across->isVisible() && down->isVisible());
        QCOMPARE(across->maximum(), 3000 - (inside.width() - down->width()));
        QCOMPARE(down->maximum(), tall - (inside.height() - across->height()));
        drag(preview, QPoint(10, 10), QPoint(200, 200)); // past the start: held at 0
        QCOMPARE(preview->cursor().shape(), Qt::SizeAllCursor);
        QCOMPARE(QPoint(across->value(), down->value()), QPoint(0, 0));
        sendMouse(preview, QEvent::MouseMove, QPoint(-5000, -5000), Qt::LeftButton);
        QCOMPARE(QPoint(across->value(), down->value()),
                 QPoint(across->maximum(), down->maximum()));
    }

    void shownFromTheBinderWindowAndToolbar()
    {
        BinderFixture f;
        Settings settings(f.path(QStringLiteral("settings.ini")));
        frmMain main(*f.temp, f.dialogs, settings);
        main.show();
        main.mnuNew_Click();
        frmMDI *binderWindow = main.activeBinderWindow();
        const int before = binderWindow->binder().pageCount(); // a new binder's first page
        const QString picture = pictureFile(f, QStringLiteral("p.png"), 20, 10);

        QStringList shown;
        const auto scanWhenShown = [&] {
            QTimer::singleShot(0, [&] {
                auto *window = qobject_cast<frmTWAINJPEG *>(QApplication::activeModalWidget());
                if (!window)
                    return;
                shown << window->windowTitle();
                window->OpenImage(picture);
                window->findChild<QAbstractButton *>(QStringLiteral("cmdAddIntoQuillery"))->click();
                window->findChild<QAbstractButton *>(QStringLiteral("cmdClose"))->click();
            });
        };
        scanWhenShown();
        binderWindow->menus()["mnuImportTWAIN"]->trigger();
        scanWhenShown();
        binderWindow->menus()["mnuPNTWAIN"]->trigger();
        scanWhenShown();
        Q_EMIT main.toolbar()->buttonClicked(MainToolbar::AddPage, MainToolbar::AddScanner);

        QCOMPARE(shown, QStringList(3, QStringLiteral("Scanner/Camera Image (TWAIN)")));
        const int last = before + 3;
        QCOMPARE(binderWindow->binder().pageCount(), last);
        QCOMPARE(binderWindow->binder().page(last).name, QStringLiteral("Page %1.jpg").arg(last));
        // The new page is selected and shown.
        QCOMPARE(binderWindow->lvwPages()->selectedRow(), last - 1);
        QCOMPARE(binderWindow->binder().CurIndex, last);
        QCOMPARE(settings.GetSetting(Settings::Main, QStringLiteral("JPEGQuality")),
                 QStringLiteral("75"));
    }
};

QTEST_MAIN(tst_scannerwindow)
#include "tst_scannerwindow.moc"
