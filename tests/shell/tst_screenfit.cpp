// SPDX-License-Identifier: GPL-3.0-or-later
// Every window on a small, scaled screen: at scale 2 on a 1600x1000 screen (800x500 to
// Qt) each window and dialog the program makes lies wholly on the screen with its frame,
// and its buttons can be reached. That part runs itself again under xvfb-run with openbox,
// whose frames are real; the rest runs on the test platform.
#include "EncryptedFixture.h"
#include "RuntimeDir.h"
#include "XDesktop.h"
#include "documents/PassphrasePrompt.h"
#include "documents/Password.h"
#include "documents/RecoveryStore.h"
#include "documents/SecretStream.h"
#include "editor/ReplaceDialog.h"
#include "images_ui/ScannerWindow.h"
#include "options/OptionsDialog.h"
#include "platform/Settings.h"
#include "platform_ui/RichTextBox.h"
#include "platform_ui/ScreenFit.h"
#include "shell/HelpWindow.h"
#include "shell/ProgramApplication.h"
#include "shell/RecentFilesWindow.h"
#include "shell/RecoveryWindow.h"
#include "shell/ShellResources.h"
#include "shell/SplashWindow.h"
#include "shell/WindowPlacement.h"
#include "support/ui/EditorFixture.h"
#include "support/ui/MainWindowFixture.h"
#include "window/BinderWindow.h"
#include "window/FilePropertiesDialog.h"
#include "window/FindDialog.h"
#include "window/PagePropertiesDialog.h"
#include "window/PasswordDialogs.h"
#include "window/ProgressWindow.h"
#include "window/SearchAllDialog.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QWindow>

using namespace quillery;
using namespace quillery::test;

namespace {

const char DriverVariable[] = "QUILLERY_SCREENFIT_DRIVER";

QString text(const QRect &rect)
{
    return QString("%1x%2 at %3,%4")
        .arg(rect.width())
        .arg(rect.height())
        .arg(rect.x())
        .arg(rect.y());
}

bool insideScrollArea(const QWidget *widget)
{
    for (const QWidget *up = widget->parentWidget(); up; up = up->parentWidget()) {
        if (qobject_cast<const QScrollArea *>(up))
            return true;
    }
    return false;
}

// How far the page shown in the tabs scrolls.
int scrollRange(const QTabWidget &tabs)
{
    return qobject_cast<const QScrollArea *>(tabs.currentWidget())->verticalScrollBar()->maximum();
}

// What of the window lies off its screen, or cannot be reached: nothing when all is well.
QString offScreen(QWidget &window)
{
    const QRect room = window.screen()->availableGeometry();
    if (!room.contains(window.frameGeometry()))
        return "its frame, " + text(window.frameGeometry()) + ", is not within " + text(room);
    for (const QPushButton *button : window.findChildren<QPushButton *>()) {
        // What scrolls can be scrolled to.
        if (!button->isVisible() || insideScrollArea(button))
            continue;
        const QRect shown(button->mapToGlobal(QPoint(0, 0)), button->size());
        if (!room.contains(shown) || button->visibleRegion().boundingRect() != button->rect())
            return "its button '" + button->text() + "', " + text(shown) + ", is cut off";
    }
    return QString();
}

// Shows the window as the program does and waits for the window manager to frame it.
QString shownOffScreen(QWidget &window)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return "it was never shown";
    if (!window.windowFlags().testFlag(Qt::FramelessWindowHint))
        (void)QTest::qWaitFor(
            [&window] { return !window.windowHandle()->frameMargins().isNull(); });
    QString fault;
    (void)QTest::qWaitFor([&] { return (fault = offScreen(window)).isEmpty(); }, 3000);
    return fault;
}

} // namespace

class tst_screenfit : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { initShellResources(); }

    void everyWindowFitsASmallScaledScreen()
    {
        const QString missing = XDesktop::missingTools();
        if (!missing.isEmpty())
            QSKIP(qPrintable(missing));
        const QString failure = XDesktop::runUnderXvfb(DriverVariable, "1600x1000x24");
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }

    void aWindowTooBigIsShrunkAndMovedOntoTheScreen()
    {
        QWidget window;
        window.resize(5000, 4000);
        window.move(-3000, 9000);
        fitToScreen(window);
        const QRect room = screenRoomFor(window);
        QVERIFY2(room.contains(window.geometry()), qPrintable(text(window.geometry())));
        // Room is left for a frame not known yet.
        QVERIFY(window.geometry().top() > room.top());
        QVERIFY(window.width() > room.width() * 9 / 10);

        // One that cannot shrink enough keeps its top left corner on the screen.
        QWidget wide;
        wide.setMinimumSize(room.width() * 2, 50);
        wide.move(400, 300);
        fitToScreen(wide);
        QCOMPARE(wide.width(), room.width() * 2);
        QVERIFY(room.contains(wide.geometry().topLeft()));
        QCOMPARE(wide.y(), 300);

        // A window that fits stays where it is, at its size.
        QWidget small;
        small.setGeometry(120, 130, 200, 100);
        fitToScreen(small);
        QCOMPARE(small.geometry(), QRect(120, 130, 200, 100));
    }

    void optionsScrollOnlyWhereTheScreenIsTooSmall()
    {
        BinderFixture f;
        Binder binder;
        Settings settings(f.path("settings.ini"));
        OptionsDialog options(*f.workspace, settings, binder);
        options.show();
        QVERIFY(QTest::qWaitForWindowExposed(&options));
        // The test platform's screen holds the whole dialog: no page of it scrolls.
        auto *tabs = options.findChild<QTabWidget *>("tabMain");
        for (int page = 0; page < tabs->count(); ++page) {
            tabs->setCurrentIndex(page);
            QTRY_COMPARE(scrollRange(*tabs), 0);
        }
    }
};

// Runs on the X server, at scale 2.
class tst_screenfitdriver : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        initShellResources();
        QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry().size(), QSize(800, 500));
    }

    void everyWindowAndDialog()
    {
        QStringList faults;
        const auto check = [&faults](QWidget &window, const QString &name) {
            const QString fault = shownOffScreen(window);
            if (!fault.isEmpty())
                faults << name + ": " + fault;
            window.hide();
        };

        XDesktop desktop;
        RuntimeDir runtime;
        BinderFixture f;
        Window w(f);
        const QString path = f.makeBinder(
            "fit.qly", {{"rich.rtf", "{\\rtf1 rich}"}, {"plain.txt", "plain"}, {"p.png", "png"}});
        w.main.openFile(path);
        check(w.main, "main window");
        BinderWindow *binderWindow = w.main.activeBinderWindow();
        QVERIFY(binderWindow);
        const QRect binderShown(binderWindow->mapToGlobal(QPoint(0, 0)), binderWindow->size());
        if (!w.main.screen()->availableGeometry().contains(binderShown))
            faults << "binder window: " + text(binderShown) + " is off the screen";
        Binder &binder = binderWindow->binder();
        QWidget *parent = &w.main;
        w.main.show();

        OptionsDialog options(*f.workspace, w.settings, binder, parent);
        check(options, "Options");
        RichTextBox pane;
        PagePropertiesDialog page(*f.workspace, binder, 1, pane, parent);
        check(page, "Page Properties");
        FilePropertiesDialog file(binder, parent);
        check(file, "File Properties");
        FindDialog find(f.dialogs, pane, parent);
        check(find, "Find");
        SearchAllDialog search(f.dialogs, f.ui, binder, w.settings, {}, {100, 100, 100, 100, 100},
                               parent);
        check(search, "Search All");
        RecentFilesWindow recent(f.dialogs, {}, {}, f.path("recent.dat"), parent);
        check(recent, "Recent Files");
        ReplaceDialog replace(pane, f.dialogs, parent);
        check(replace, "Replace");
        ScannerWindow scanner(*f.workspace, binder, w.settings, parent);
        check(scanner, "Scanner");
        PasswordPrompt prompt(*f.workspace);
        PasswordDialog enter(prompt, parent);
        check(enter, "Enter Password");
        ChangePasswordDialog password(*f.workspace, binder, parent);
        check(password, "Change Password");
        EncryptDialog encrypt(*f.workspace, binder, parent);
        check(encrypt, "Encrypt");
        ProgressWindow progress(parent);
        check(progress, "Progress");
        HelpWindow help;
        check(help, "Help");
        check(*SplashWindow::showSplash(), "Splash");
        SplashWindow::closeSplash();
        RecoveryWindow recovery(f.dialogs, {SnapshotEntry{}}, {"a problem"}, {});
        check(recovery, "Recovery");
        const QString secret = makeEncrypted(f, "secret.qly", {{"a.txt", "a"}});
        const ContainerReader reader(secret);
        PassphrasePrompt passphrase(*f.workspace, secret, reader);
        PassphraseDialog asked(passphrase, parent);
        check(asked, "Passphrase");

        EditorFixture editing;
        for (const PageKind kind : {PageKind::RTF, PageKind::TXT}) {
            const auto editor =
                editing.edit(editing.addPage(kind, kind == PageKind::RTF ? "{\\rtf1 x}" : "x"));
            check(*editor, "Editor " + kindString(kind));
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));

        // What does not fit on the screen scrolls.
        options.show();
        QTRY_VERIFY(scrollRange(*options.findChild<QTabWidget *>("tabMain")) > 0);
    }

    // A placement saved on a bigger screen, as a laptop taken from its desk keeps it.
    void aPlacementFromABiggerScreen()
    {
        XDesktop desktop;
        BinderFixture f;
        Settings settings(f.path("big.ini"));
        for (const auto &[key, value] : {std::pair{"Width", "30000"},
                                         {"Height", "20000"},
                                         {"Left", "6000"},
                                         {"Top", "4000"},
                                         {"WindowState", "0"}})
            settings.setValue(Settings::Main, QString::fromLatin1(key), QString::fromLatin1(value));
        MainWindow main(*f.temp, f.dialogs, settings);
        restorePlacement(main, settings);
        const QString fault = shownOffScreen(main);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }
};

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(DriverVariable)) {
        qputenv("QT_QPA_PLATFORM", "xcb");
        qputenv("QT_SCALE_FACTOR", "2");
        const std::unique_ptr<QApplication> app = makeProgramApplication(argc, argv);
        tst_screenfitdriver driver;
        return QTest::qExec(&driver, argc, argv);
    }
    const std::unique_ptr<QApplication> app = makeProgramApplication(argc, argv);
    tst_screenfit test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_screenfit.moc"
