// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "TestSupport.h"
#include "documents/BinderSaver.h"
#include "documents/CompanionFiles.h"
#include "documents/NewBinder.h"
#include "documents/Password.h"
#include "platform/Cancelled.h"
#include "platform/FileError.h"
#include "platform/GeneralDate.h"
#include "platform/Settings.h"
#include "platform_ui/Orde.h"
#include "platform_ui/RichTextBox.h"
#include "shell/HelpWindow.h"
#include "shell/MainToolbar.h"
#include "shell/frmMain.h"
#include "support/ui/MainWindowFixture.h"
#include "transfer/BinderOpener.h"
#include "window/BinderMenus.h"
#include "window/CommandGuard.h"
#include "window/PageDisplay.h"
#include "window/PageListView.h"
#include "window/PasswordDialogs.h"
#include "window/Properties.h"
#include "window/ViewerPane.h"
#include "window/frmFileProperties.h"
#include "window/frmMDI.h"
#include "window/frmPageProperties.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStandardPaths>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <functional>
#include <stdexcept>

#include <sys/stat.h>

using namespace quillery;
using namespace quillery::test;

namespace {

const QList<QPair<QString, QByteArray>> Pages = {
    {"one.txt", "first"}, {"two.rtf", "{\\rtf1 second}"}, {"song.wav", "RIFF"}};

// Scripted dialogs whose file dialogs can fail as the command's own work might.
class FailingDialogs : public ScriptedDialogs
{
public:
    std::function<void()> failOpen;
    std::function<void()> failSave;

    QString openFile(const FileDialogRequest &request) override
    {
        if (failOpen)
            failOpen();
        return ScriptedDialogs::openFile(request);
    }
    QString saveFile(const FileDialogRequest &request) override
    {
        if (failSave)
            failSave();
        return ScriptedDialogs::saveFile(request);
    }
};

qsizetype messageCount(const ScriptedDialogs &dialogs)
{
    qsizetype count = 0;
    for (const DialogCall &call : dialogs.calls())
        count += call.kind == DialogCall::Kind::Message;
    return count;
}

} // namespace

class tst_binderwindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Closing a changed binder asks, naming its title and file; only No or a save lets it go.
    void closePromptNamesTitleAndPath()
    {
        BinderFixture f;
        Window w(f);
        const QString path = f.makeBinder("named.qly", Pages);
        w.main.OpenFile(path);
        frmMDI *window = w.main.activeBinderWindow();
        QVERIFY(window);
        QVERIFY(QFile::exists(lockNotePath(path)));
        window->binder().setChanged(true);
        f.dialogs.queueMessage(MsgResult::No);
        QVERIFY(window->parentWidget()->close());
        const DialogCall ask = f.dialogs.calls().last();
        QCOMPARE(ask.title, QString("Save Changes"));
        QCOMPARE(ask.icon, MsgIcon::Question);
        QCOMPARE(ask.buttons, MsgButtons::YesNoCancel);
        QCOMPARE(ask.text, "The Quillery file 'New File 1' ('" + path +
                               "') has changed.  Do you want to save the changes?");
        QVERIFY(!QFile::exists(lockNotePath(path)));

        w.main.mnuNew_Click();
        window = w.main.activeBinderWindow();
        window->binder().setChanged(true);
        f.dialogs.queueMessage(MsgResult::Cancel);
        QVERIFY(!window->parentWidget()->close());
        QCOMPARE(f.dialogs.calls().last().text,
                 QString("The Quillery file 'New File 1' has changed.  Do you want to save the "
                         "changes?"));
        // Yes with the Save As dialog cancelled keeps the window too.
        f.dialogs.queueMessage(MsgResult::Yes);
        QVERIFY(!window->parentWidget()->close());
        QCOMPARE(f.dialogs.calls().last().kind, DialogCall::Kind::SaveFile);
        QVERIFY(window->binder().Changed());
        QCOMPARE(w.main.binderWindows().size(), 1);
        f.dialogs.queueMessage(MsgResult::Yes);
        f.dialogs.queueSaveFile(f.path("kept.qly"));
        QVERIFY(window->parentWidget()->close());
        QVERIFY(QFile::exists(f.path("kept.qly")));
    }

    void readOnlyBinderSaveGoesToSaveAs()
    {
        BinderFixture f;
        const QString path = f.makeBinder("shared.qly", Pages);
        auto holder = f.open(path); // another instance holds the file
        BinderFixture g;
        Window w(g);
        w.main.OpenFile(path);
        frmMDI *window = w.main.activeBinderWindow();
        QVERIFY(window->binder().ro());
        QVERIFY(window->parentWidget()->windowTitle().contains("[Read-Only]"));
        QVERIFY(!window->menus()["mnuEncrypt"]->isEnabled());
        window->binder().setChanged(true);
        g.dialogs.queueSaveFile(g.path("copy.qly"));
        window->mnuSave_Click();
        QStringList titles = g.messageTitles();
        QCOMPARE(titles, QStringList({"File in Use by tester", "File is Read-Only"}));
        QCOMPARE(window->binder().CurFile(), g.path("copy.qly"));
        QVERIFY(!window->binder().ro());
    }

    // The browser is slow to make; a new binder and text pages must not make it. A plain text
    // page follows the binder's text formats.
    void textPagesNeverMakeTheBrowser()
    {
        BinderFixture f;
        Window w(f);
        w.main.mnuNew_Click();
        QVERIFY(!w.main.activeBinderWindow()->viewer()->hasBrowser());
        w.main.OpenFile(
            f.makeBinder("text.qly", {{"one.txt", "first"}, {"two.rtf", "{\\rtf1 second}"}}));
        frmMDI *window = w.main.activeBinderWindow();
        window->lvwPages()->selectRow(1);
        window->lvwPages_ItemClick();
        QCOMPARE(window->viewer()->txtPad()->toPlainText(), QString("second"));
        window->binder().setCurIndex(1);
        InfoRecords formats;
        formats.write("TXTBColour", QString::number(0x00CCFFFF));
        window->binder().setTextFormats(formats);
        QCOMPARE(window->viewer()->txtPad()->BackColor(), ColourCode(0x00CCFFFF));
        QVERIFY(w.main.findChildren<QWidget *>("txtHTML").isEmpty());
    }

    // The Options dialog only tells the binder where the list goes, and auto-hide only what it
    // is; the window follows.
    void listPaneFollowsTheBinderAndThePointer()
    {
        BinderFixture f;
        Window w(f);
        w.main.mnuNew_Click();
        frmMDI *window = w.main.activeBinderWindow();
        Binder &binder = window->binder();
        auto *splitter = qobject_cast<QSplitter *>(window->lvwPages()->parentWidget());
        QVERIFY(splitter);
        QCOMPARE(splitter->orientation(), Qt::Vertical);
        QCOMPARE(splitter->indexOf(window->lvwPages()), 0);
        binder.setPanePosition(PanePosition::ListBelow, 2643);
        QCOMPARE(splitter->orientation(), Qt::Vertical);
        QCOMPARE(splitter->indexOf(window->lvwPages()), 1);
        binder.setPanePosition(PanePosition::ListRight, 3828);
        QCOMPARE(splitter->orientation(), Qt::Horizontal);
        QCOMPARE(splitter->indexOf(window->lvwPages()), 1);

        window->mnuSHPage_Click();
        QCOMPARE(binder.records().value("AutoHide"), QString("1"));
        QCOMPARE(binder.paneLength(), 160);
        Q_EMIT window->lvwPages()->hovered();
        QCOMPARE(binder.paneLength(), 3828);
        Q_EMIT window->viewer()->hovered();
        QCOMPARE(binder.paneLength(), 160);
        window->mnuSHPage_Click();
        QCOMPARE(binder.records().value("AutoHide"), QString("0"));
        QCOMPARE(binder.paneLength(), 3828);
        Q_EMIT window->viewer()->hovered(); // auto-hide is off: nothing moves
        QCOMPARE(binder.paneLength(), 3828);
        QVERIFY(!binder.Changed());
    }

    void helpAndRecentFilesOpenTheirWindows()
    {
        BinderFixture f;
        Window w(f);
        w.main.mnuNew_Click();
        w.main.activeBinderWindow()->menus()["mnuContents"]->trigger();
        HelpWindow *help = nullptr;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *candidate = qobject_cast<HelpWindow *>(widget);
                candidate && candidate->isVisible())
                help = candidate;
        }
        QVERIFY(help);
        QVERIFY(help->browser()->toPlainText().startsWith("Quillery Help"));
        help->close();

        // Recent Files shows the recent-files window, modally.
        QString shown;
        QTimer::singleShot(0, [&shown] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                shown = modal->objectName();
                modal->close();
            }
        });
        w.main.activeBinderWindow()->menus()["mnuRF"]->trigger();
        QCOMPARE(shown, QString("frmRecent"));
    }

    void closingLastWindowEmptiesTheStatusBar()
    {
        BinderFixture f;
        Window w(f);
        w.main.mnuNew_Click();
        QVERIFY(!w.main.statusPanel(StatusPanel::Created).isEmpty());
        w.main.activeBinderWindow()->parentWidget()->close();
        QTest::qWait(10);
        QVERIFY(w.main.binderWindows().isEmpty());
        for (int panel = 1; panel <= StatusPanelCount; ++panel)
            QCOMPARE(w.main.statusPanel(StatusPanel(panel)), QString());
        for (int button = toolbar::FirstBinderButton; button <= toolbar::LastButton; ++button) {
            if (QAction *action = w.main.toolbar()->button(button))
                QVERIFY2(!action->isEnabled(), qPrintable(QString::number(button)));
        }
    }

    void soundPageWritesOnePlaceholderLine()
    {
        BinderFixture f;
        auto binder = f.open(f.makeBinder("sound.qly", {{"Bird <song>.wav", "RIFF"}}));
        binder->setCurIndex(1);
        const PageDisplay display = preparePageDisplay(*f.workspace, *binder);
        QCOMPARE(display.pane, PageDisplay::Pane::Browser);
        QCOMPARE(display.content.html, "<h1>Playing: Bird &lt;song&gt;.wav</h1><bgsound "
                                       "src=\"Bird%20%3Csong%3E.wav\" loop=\"1\">\r\n");
        QCOMPARE(readFile(display.soundFile), QByteArray("RIFF"));
    }

    void toolbarRemembersDropDownChoices()
    {
        BinderFixture f;
        Window w(f);
        w.main.mnuNew_Click();
        MainToolbar *bar = w.main.toolbar();
        QCOMPARE(bar->addChoice().currentItem().tooltip, QString("Add Rich Text Page (Shift+F4)"));
        bar->showChoice(MainToolbar::AddPage, MainToolbar::AddSound);
        QCOMPARE(bar->addChoice().currentItem().tooltip, QString("Insert Sound (Shift+F9)"));
        Q_EMIT bar->buttonClicked(MainToolbar::AddPage, bar->addChoice().current());
        QCOMPARE(f.dialogs.calls().last().file.title, QString("Insert a Sound File"));
    }

    void listViewFollowsItsRecord()
    {
        BinderFixture f;
        const QString path = f.makeBinder("views.qly", Pages);
        const auto storeView = [&](const QString &number) {
            auto binder = f.open(path);
            binder->setRecord(RecordKey::ListView, number);
            QVERIFY(SavFile(*f.workspace, *binder, path));
        };
        Window w(f);
        storeView("3");
        w.main.OpenFile(path);
        frmMDI *window = w.main.activeBinderWindow();
        QCOMPARE(window->lvwPages()->view(), PageListView::View::Details);
        window->menus()["mnuPVSmall"]->trigger();
        QCOMPARE(window->lvwPages()->view(), PageListView::View::SmallIcons);
        QCOMPARE(window->binder().records().value(RecordKey::ListView), QString("1"));
        window->binder().setChanged(false);
        QVERIFY(window->parentWidget()->close());

        // A number past the four shows the nearest view and stays as it was stored.
        storeView("7");
        w.main.OpenFile(path);
        window = w.main.activeBinderWindow();
        QCOMPARE(window->lvwPages()->view(), PageListView::View::Details);
        QCOMPARE(window->binder().records().value(RecordKey::ListView), QString("7"));
    }

    // A closed window lets go of its working copy at once: a link left behind would make the
    // next window's save believe someone else reads the file and rewrite it whole.
    void reopenedBinderSavesInPlace()
    {
        BinderFixture f;
        Window w(f);
        // A big page keeps what the save leaves unused small enough to work in place.
        const QString path = f.makeBinder(
            "twice.qly", {{"big.txt", QByteArray(100000, 'x')}, {"small.txt", "small"}});
        w.main.OpenFile(path);
        QVERIFY(w.main.activeBinderWindow()->parentWidget()->close());
        w.main.OpenFile(path);
        frmMDI *window = w.main.activeBinderWindow();
        window->lvwPages()->selectRow(1);
        window->lvwPages_ItemClick();
        struct stat before;
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &before), 0);
        f.dialogs.queueMessage(MsgResult::Yes);
        window->menus()["mnuEditDelete"]->trigger();
        window->menus()["mnuSave"]->trigger();
        QCOMPARE(window->binder().pageCount(), 1);
        QVERIFY(!window->binder().Changed());
        struct stat after;
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &after), 0);
        QCOMPARE(after.st_ino, before.st_ino);
    }

    void findOnAnHtmlPageOpensTheFindBar()
    {
        BinderFixture f;
        Window w(f);
        w.main.OpenFile(f.makeBinder("web.qly", {{"page.html", "<p>find me</p>"}}));
        frmMDI *window = w.main.activeBinderWindow();
        window->lvwPages()->selectRow(0);
        window->lvwPages_ItemClick();
        QVERIFY(window->menus()["mnuFind"]->isEnabled());
        window->menus()["mnuFind"]->trigger();
        auto *bar = window->findChild<QWidget *>("findBar");
        QVERIFY(bar && bar->isVisible());
        QVERIFY(f.dialogs.calls().isEmpty()); // no Find dialog over an HTML page
    }

    void whatEscapesACommandIsSaid()
    {
        ScriptedDialogs dialogs;
        guarded(dialogs, [] { throw FileError(FileError::DiskFull, QStringLiteral("Disk full")); });
        guarded(dialogs, [] { throw std::runtime_error("bad thing"); });
        guarded(dialogs, [] { throw 7; });
        guarded(dialogs, [] { throw Cancelled(); });
        bool ran = false;
        guarded(dialogs, [&] { ran = true; });
        QVERIFY(ran);
        QCOMPARE(dialogs.calls().size(), 3);
        for (const DialogCall &call : dialogs.calls()) {
            QCOMPARE(call.icon, MsgIcon::Critical);
            QCOMPARE(call.buttons, MsgButtons::Ok);
        }
        QCOMPARE(dialogs.calls()[0].text, QStringLiteral("Disk full, 61"));
        QCOMPARE(dialogs.calls()[1].text, QStringLiteral("bad thing"));
        QVERIFY(!dialogs.calls()[2].text.isEmpty());
    }

    // What fails in a command from the toolbar or the main window's menu is said and the program
    // goes on; declining is no failure: nothing is said and the binder keeps its changes.
    void commandThatFailsIsSaidAndTheProgramGoesOn()
    {
        BinderFixture f;
        FailingDialogs dialogs;
        Settings settings(f.path("settings.ini"));
        frmMain main(*f.temp, dialogs, settings);
        main.show();
        main.mnuNew_Click();
        frmMDI *window = main.activeBinderWindow();
        QVERIFY(window);
        window->binder().setChanged(true);
        MainToolbar *bar = main.toolbar();

        dialogs.failSave = [] {
            throw FileError(FileError::PermissionDenied, QStringLiteral("Permission denied"));
        };
        Q_EMIT bar->buttonClicked(MainToolbar::Save, 0);
        QCOMPARE(messageCount(dialogs), 1);
        QCOMPARE(dialogs.calls().last().icon, MsgIcon::Critical);
        QCOMPARE(dialogs.calls().last().text, QStringLiteral("Permission denied, 70"));
        dialogs.failSave = [] {
            throw Cancelled();
        };
        Q_EMIT bar->buttonClicked(MainToolbar::Save, 0);
        QCOMPARE(messageCount(dialogs), 1);
        QVERIFY(window->binder().Changed());
        dialogs.failSave = nullptr;
        dialogs.queueSaveFile(f.path("saved.qly"));
        Q_EMIT bar->buttonClicked(MainToolbar::Save, 0);
        QVERIFY(QFile::exists(f.path("saved.qly")));
        QVERIFY(!window->binder().Changed());

        dialogs.failOpen = [] {
            throw std::runtime_error("no dialog today");
        };
        main.findChild<QAction *>(QStringLiteral("mnuOpen"))->trigger();
        QCOMPARE(messageCount(dialogs), 2);
        QCOMPARE(dialogs.calls().last().text, QStringLiteral("no dialog today"));
    }

    // A name is given as the list's renaming gives it; a page without a colour box keeps its
    // colour field.
    void pageNameAndCommentsAreApplied()
    {
        BinderFixture f;
        auto binder = f.open(f.makeBinder("r.qly", {{"photo.jpg", "JPEG"}}));
        applyPageProperties(*f.workspace, *binder, 1, {"holiday", "c", std::nullopt});
        QCOMPARE(binder->pages.at(0).name, QString("holiday.jpg"));
        QCOMPARE(binder->pages.at(0).comments, QString("c"));
        QCOMPARE(binder->pages.at(0).key.colour, QString("NA"));
        QVERIFY(binder->Changed());
    }

    // A colour chosen is taken back on Cancel; the stored value is what goes back on OK, even
    // one that is not a number.
    void pageColourIsTakenBackOnCancel()
    {
        BinderFixture f;
        auto binder = f.open(f.makeBinder("c.qly", {{"rich.rtf", "{\\rtf1 x}"}}));
        const QString stored = binder->pages.at(0).key.colour;
        RichTextBox pane;
        const QColor themeBase = QApplication::palette(&pane).color(QPalette::Base);
        // A pane in a colour of its own, and one in the theme's (as plain text pages and
        // most rich ones are): either gets its colour back.
        for (const ColourCode shown : {ColourCode(255), SystemWindowBackground}) {
            pane.setBackColor(shown);
            const QColor before = pane.palette().color(QPalette::Base);
            {
                frmPageProperties dialog(*f.workspace, *binder, 1, pane);
                f.dialogs.queueColour(QColor(0, 0, 255));
                dialog.cmdChange_Click();
                QCOMPARE(dialog.txtColour->text(), QString("Blue"));
                QCOMPARE(dialog.colourValue(), QString::number(0xFF0000));
                QCOMPARE(pane.BackColor(), 0xFF0000);
                QCOMPARE(pane.palette().color(QPalette::Base), QColor(0, 0, 255));
                dialog.reject();
            }
            QCOMPARE(pane.BackColor(), shown);
            QCOMPARE(pane.palette().color(QPalette::Base), before);
        }
        QCOMPARE(pane.palette().color(QPalette::Base), themeBase);
        QCOMPARE(binder->pages.at(0).key.colour, stored);
        QVERIFY(!binder->Changed());

        frmPageProperties dialog(*f.workspace, *binder, 1, pane);
        QVERIFY(dialog.rtfSource->toPlainText().contains("{\\rtf1 x}"));
        dialog.cmdDefault_Click();
        QCOMPARE(dialog.txtColour->text(), QString("Window background (system colour)"));
        dialog.txtComments->setText("done");
        dialog.cmdOK_Click();
        QCOMPARE(binder->pages.at(0).key.colour, QString("-2147483643"));
        QCOMPARE(binder->pages.at(0).comments, QString("done"));

        PageRow row = binder->pages.at(0);
        row.key.colour = "not a colour";
        binder->pages.replace(0, row);
        frmPageProperties again(*f.workspace, *binder, 1, pane);
        QCOMPARE(again.txtColour->text(), QString("not a colour"));
        again.cmdOK_Click();
        QCOMPARE(binder->pages.at(0).key.colour, QString("not a colour"));
    }

    // Colours are shown by name.
    void coloursShowAsNames()
    {
        QCOMPARE(Orde::ColourName(0x00FFFF), QString("Yellow"));
        QCOMPARE(Orde::ColourName(0x808080), QString("Grey"));
        QCOMPARE(Orde::ColourName(0x563412), QString("#123456"));
        QCOMPARE(Orde::ColourName(SystemWindowText), QString("Window text (system colour)"));
        QCOMPARE(Orde::ColourName(ColourCode(0x80000019)), QString("System colour 25"));
        QCOMPARE(Orde::ColourName(ColourCode(0x800000FF)), QString("System colour 255"));
    }

    // The comments' caption comes from the binder: it gets an access key no other field
    // uses, to its box, and its own "&" stay text.
    void theCommentsCaptionHasAFreeAccessKey()
    {
        BinderFixture f;
        auto binder = f.open(f.makeBinder("k.qly", {{"rich.rtf", "{\\rtf1 x}"}}));
        const auto label = [&] {
            RichTextBox pane;
            frmPageProperties dialog(*f.workspace, *binder, 1, pane);
            auto *comments = dialog.findChild<QLabel *>("lblComments");
            return comments->buddy() == dialog.txtComments ? comments->text() : "no buddy";
        };
        QCOMPARE(label(), QString("C&omments:"));
        binder->setRecord("CommentsCol", "R&D notes");
        QCOMPARE(label(), QString("&R&&D notes:"));
        binder->setRecord("CommentsCol", "Comments & Stamps");
        QCOMPARE(label(), QString("C&omments && Stamps:"));
    }

    void fileDetailsNeverShowOrLoseThePassword()
    {
        BinderFixture f;
        const QString path = f.makeBinder("p.qly", {{"a.txt", "a"}}, "sesame");
        f.ui.passwords << "sesame";
        auto binder = f.open(path);
        QVERIFY(binder);
        const QString data = binder->records().value("Data");
        QVERIFY(data != InfoRecords::NotFound);
        {
            frmFileProperties dialog(*binder);
            QVERIFY(!dialog.rtfSource->toPlainText().contains("Data="));
            QVERIFY(dialog.rtfSource->toPlainText().contains("Page1=a"));
            QCOMPARE(dialog.txtFilename->text(), path);
            // A plain date and time, as the page list shows them.
            QCOMPARE(dialog.findChild<QLineEdit *>("txtModified")->text(),
                     generalDate(QFileInfo(path).lastModified()));
            QVERIFY(dialog.txtFilename->isEnabled());
            dialog.txtTitle->setText("Renamed");
            dialog.reject();
        }
        QCOMPARE(binder->records().value("Data"), data);
        QVERIFY(!binder->Changed());

        frmFileProperties dialog(*binder);
        dialog.txtTitle->setText("Renamed");
        dialog.cmdOK_Click();
        QCOMPARE(binder->records().value("Data"), data);
        QCOMPARE(binder->records().value("Title"), QString("Renamed"));
        QCOMPARE(binder->WCaption(), "Renamed (" + path + ")");
        QVERIFY(binder->Changed());

        // An unsaved binder says so; OK marks it changed even with the title as it was.
        Binder unsaved;
        NewFile(*f.workspace, unsaved, false);
        frmFileProperties fresh(unsaved);
        for (const char *name :
             {"txtFilename", "txtDOS", "txtSize", "txtCreated", "txtModified", "txtAccessed"}) {
            auto *box = fresh.findChild<QLineEdit *>(QLatin1String(name));
            QVERIFY(box);
            QCOMPARE(box->text(), QString("Not Saved"));
            QVERIFY(!box->isEnabled());
        }
        unsaved.setChanged(false);
        fresh.cmdOK_Click();
        QVERIFY(unsaved.Changed());
        QCOMPARE(unsaved.WCaption(), unsaved.title());
    }

    // The password is kept with the binder, only disguised: neither dialog may suggest more.
    void passwordDialogsSayThePagesAreNotEncrypted()
    {
        BinderFixture f;
        Binder binder;
        NewFile(*f.workspace, binder, false);
        PasswordPrompt prompt(*f.workspace);
        frmEP enter(prompt);
        frmPassword change(*f.workspace, binder);
        for (QDialog *dialog : {static_cast<QDialog *>(&enter), static_cast<QDialog *>(&change)}) {
            auto *note = dialog->findChild<QLabel *>("lblProtection");
            QVERIFY(note);
            QCOMPARE(note->text(),
                     QString("The password stops casual opening; it does not encrypt the pages."));
            for (const QLabel *label : dialog->findChildren<QLabel *>())
                QVERIFY2(!label->text().contains("not ever"), qPrintable(label->text()));
        }
    }
};

QTEST_MAIN(tst_binderwindow)
#include "tst_binderwindow.moc"
