// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "TestSupport.h"
#include "documents/CompanionFiles.h"
#include "documents/RecoveryFormat.h"
#include "platform/Cancelled.h"
#include "platform/FileError.h"
#include "platform/Settings.h"
#include "platform_ui/RichTextBox.h"
#include "shell/MainToolbar.h"
#include "shell/MainWindow.h"
#include "support/ui/MainWindowFixture.h"
#include "transfer/BinderOpener.h"
#include "window/BinderMenus.h"
#include "window/BinderWindow.h"
#include "window/FilePropertiesDialog.h"
#include "window/PageDisplay.h"
#include "window/PagePropertiesDialog.h"
#include "window/ViewerPane.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTest>

#include <functional>
#include <stdexcept>

using namespace quillery;
using namespace quillery::test;

namespace {

const QList<QPair<QString, QByteArray>> Pages = {
    {"one.txt", "first"}, {"two.rtf", "{\\rtf1 second}"}, {"song.wav", "RIFF"}};

// Scripted dialogs whose Save As dialog can fail as the command's own work might.
class FailingDialogs : public ScriptedDialogs
{
public:
    std::function<void()> failSave;

    QString saveFile(const FileDialogRequest &request) override
    {
        if (failSave)
            failSave();
        return ScriptedDialogs::saveFile(request);
    }
};

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
        w.main.openFile(path);
        BinderWindow *window = w.main.activeBinderWindow();
        QVERIFY(window);
        QVERIFY(QFile::exists(lockNotePath(path)));
        window->binder().markChangedOutsideHistory();
        f.dialogs.queueMessage(MsgResult::No);
        QVERIFY(window->parentWidget()->close());
        QVERIFY(f.dialogs.lastText().contains("'New File 1' ('" + path + "')"));
        QVERIFY(!QFile::exists(lockNotePath(path)));

        w.main.newBinder();
        window = w.main.activeBinderWindow();
        window->binder().markChangedOutsideHistory();
        f.dialogs.queueMessage(MsgResult::Cancel);
        QVERIFY(!window->parentWidget()->close());
        // Yes with the Save As dialog cancelled keeps the window too.
        f.dialogs.queueMessage(MsgResult::Yes);
        QVERIFY(!window->parentWidget()->close());
        QCOMPARE(f.dialogs.calls().last().kind, DialogCall::Kind::SaveFile);
        QVERIFY(window->binder().isChanged());
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
        w.main.openFile(path);
        BinderWindow *window = w.main.activeBinderWindow();
        QVERIFY(window->binder().isReadOnly());
        window->binder().markChangedOutsideHistory();
        g.dialogs.queueSaveFile(g.path("copy.qly"));
        window->save();
        QCOMPARE(g.messageTitles(), QStringList({"File in Use by tester", "File is Read-Only"}));
        QCOMPARE(window->binder().fileName(), g.path("copy.qly"));
        QVERIFY(!window->binder().isReadOnly());
    }

    // Allowed for the binder, remote content is kept in its records, to be saved with it.
    void remoteContentAllowedForTheBinderIsKept()
    {
        BinderFixture f;
        Window w(f);
        w.main.openFile(f.makeBinder("letters.qly", Pages));
        BinderWindow *window = w.main.activeBinderWindow();
        QVERIFY(!window->binder().isChanged());
        Q_EMIT window->findChild<ViewerPane *>()->remoteContentAllowedForBinder();
        QCOMPARE(window->binder().records().value("RemoteContent"), "Allow");
        QVERIFY(window->binder().isChanged());
    }

    void soundPageWritesOnePlaceholderLine()
    {
        BinderFixture f;
        auto binder = f.open(f.makeBinder("sound.qly", {{"Bird <song>.wav", "RIFF"}}));
        binder->setCurrentPosition(1);
        const PageDisplay display = preparePageDisplay(*f.workspace, *binder);
        QCOMPARE(display.pane, PageDisplay::Pane::Browser);
        QCOMPARE(display.content.html, "<h1>Playing: Bird &lt;song&gt;.wav</h1><bgsound "
                                       "src=\"Bird%20%3Csong%3E.wav\" loop=\"1\">\r\n");
        QCOMPARE(readFile(display.soundFile), QByteArray("RIFF"));
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
        w.main.openFile(path);
        QVERIFY(w.main.activeBinderWindow()->parentWidget()->close());
        w.main.openFile(path);
        BinderWindow *window = w.main.activeBinderWindow();
        window->pageList()->selectRow(1);
        window->showSelectedPage();
        const quint64 inode = FileIdentity::of(path)->inode;
        f.dialogs.queueMessage(MsgResult::Yes);
        window->menus().action(Command::DeletePage)->trigger();
        window->menus().action(Command::Save)->trigger();
        QCOMPARE(window->binder().pageCount(), 1);
        QVERIFY(!window->binder().isChanged());
        QCOMPARE(FileIdentity::of(path)->inode, inode);
    }

    // What fails in a command is said and the program goes on; declining is no failure:
    // nothing is said and the binder keeps its changes.
    void commandThatFailsIsSaidAndTheProgramGoesOn()
    {
        BinderFixture f;
        FailingDialogs dialogs;
        Settings settings(f.path("settings.ini"));
        MainWindow main(*f.temp, dialogs, settings);
        main.show();
        main.newBinder();
        BinderWindow *window = main.activeBinderWindow();
        QVERIFY(window);
        window->binder().markChangedOutsideHistory();
        MainToolbar *bar = main.toolbar();

        dialogs.failSave = [] {
            throw FileError(FileError::PermissionDenied, QStringLiteral("Permission denied"));
        };
        bar->item(Command::Save)->trigger();
        QCOMPARE(dialogs.calls().size(), 1);
        QCOMPARE(dialogs.calls().last().text, QStringLiteral("Permission denied, 70"));
        dialogs.failSave = [] {
            throw Cancelled();
        };
        bar->item(Command::Save)->trigger();
        QCOMPARE(dialogs.calls().size(), 1);
        QVERIFY(window->binder().isChanged());

        dialogs.failSave = [] {
            throw std::runtime_error("no dialog today");
        };
        bar->item(Command::Save)->trigger();
        QCOMPARE(dialogs.calls().size(), 2);
        QCOMPARE(dialogs.calls().last().text, QStringLiteral("no dialog today"));
    }

    // A page colour another program stored, which this one cannot read, is kept on OK.
    void pageColourOfAnotherProgramIsKept()
    {
        BinderFixture f;
        auto binder = f.open(f.makeBinder("c.qly", {{"rich.rtf", "{\\rtf1 x}"}}));
        PageRow row = binder->pages().at(0);
        row.key.colour = "not a colour";
        binder->updatePage(1, row);
        RichTextBox pane;
        PagePropertiesDialog dialog(*f.workspace, *binder, 1, pane);
        dialog.accept();
        QCOMPARE(binder->pages().at(0).key.colour, QString("not a colour"));
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
        FilePropertiesDialog dialog(*binder);
        QVERIFY(!dialog.rtfSource->toPlainText().contains("Data="));
        QVERIFY(dialog.rtfSource->toPlainText().contains("Page1=a"));
        dialog.txtTitle->setText("Renamed");
        dialog.accept();
        QCOMPARE(binder->records().value("Data"), data);
        QCOMPARE(binder->records().value("Title"), QString("Renamed"));
        QVERIFY(binder->isChanged());
    }

    // A binder that cannot be opened because it is damaged offers its readable pages,
    // opened at once from the new binder the user names.
    void damagedBinderOpensAsItsRescuedPages()
    {
        BinderFixture f;
        Window w(f);
        const QByteArray bytes = readFile(f.makeBinder("whole.qly", Pages));
        const QString damaged = f.path("damaged.qly");
        writeFile(damaged, bytes.left(bytes.size() - 20)); // the last directory entry cut
        f.dialogs.queueMessage(MsgResult::Ok);
        f.dialogs.queueMessage(MsgResult::No);
        w.main.openFile(damaged);
        QVERIFY(!w.main.activeBinderWindow());

        const QString rescued = f.path("rescued.qly");
        f.dialogs.clear();
        f.dialogs.queueSaveFile(rescued);
        w.main.openFile(damaged);
        // The last page is found after the others, whose ends the user is told were guessed.
        QCOMPARE(f.messageTitles(), QStringList({"Open Error", "Damaged Binder", "Rescue"}));
        BinderWindow *window = w.main.activeBinderWindow();
        QVERIFY(window);
        QCOMPARE(window->binder().fileName(), rescued);
        QCOMPARE(window->binder().pageCount(), 3);
        QCOMPARE(pageData(window->binder().pages().at(2).key), QByteArray("RIFF"));
        QCOMPARE(readFile(damaged), bytes.left(bytes.size() - 20));
    }
};

QTEST_MAIN(tst_binderwindow)
#include "tst_binderwindow.moc"
