// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "platform/Cancelled.h"
#include "platform/FileError.h"
#include "platform/Settings.h"
#include "shell/MainToolbar.h"
#include "shell/frmMain.h"
#include "window/CommandGuard.h"
#include "window/frmMDI.h"

#include <QAction>
#include <QFile>
#include <QTest>

#include <functional>
#include <stdexcept>

using namespace quillery;
using namespace quillery::test;

namespace {

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

// A shown main window over dialogs that can fail.
struct FailingMain
{
    FailingMain() : settings(f.path("settings.ini")), main(*f.temp, dialogs, settings)
    {
        main.show();
    }
    BinderFixture f;
    FailingDialogs dialogs;
    Settings settings;
    frmMain main;
};

qsizetype messageCount(const ScriptedDialogs &dialogs)
{
    qsizetype count = 0;
    for (const DialogCall &call : dialogs.calls())
        count += call.kind == DialogCall::Kind::Message;
    return count;
}

} // namespace

class tst_commandguard : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void whatEscapesACommandIsSaid();
    void toolbarCommandThatFailsIsSaidAndTheProgramGoesOn();
    void mainWindowMenuCommandThatFailsIsSaid();
};

void tst_commandguard::whatEscapesACommandIsSaid()
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

void tst_commandguard::toolbarCommandThatFailsIsSaidAndTheProgramGoesOn()
{
    FailingMain m;
    FailingDialogs &dialogs = m.dialogs;
    frmMain &main = m.main;
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

    // Declining is no failure: nothing is said and the binder keeps its changes.
    dialogs.failSave = [] {
        throw Cancelled();
    };
    Q_EMIT bar->buttonClicked(MainToolbar::Save, 0);
    QCOMPARE(messageCount(dialogs), 1);
    QVERIFY(window->binder().Changed());

    dialogs.failSave = nullptr;
    dialogs.queueSaveFile(m.f.path("saved.qly"));
    Q_EMIT bar->buttonClicked(MainToolbar::Save, 0);
    QVERIFY(QFile::exists(m.f.path("saved.qly")));
    QVERIFY(!window->binder().Changed());
    QCOMPARE(messageCount(dialogs), 1);
}

void tst_commandguard::mainWindowMenuCommandThatFailsIsSaid()
{
    FailingMain m;
    FailingDialogs &dialogs = m.dialogs;
    frmMain &main = m.main;
    QAction *open = main.findChild<QAction *>(QStringLiteral("mnuOpen"));
    QVERIFY(open);
    dialogs.failOpen = [] {
        throw std::runtime_error("no dialog today");
    };
    open->trigger();
    QCOMPARE(messageCount(dialogs), 1);
    QCOMPARE(dialogs.calls().last().text, QStringLiteral("no dialog today"));

    dialogs.failOpen = [] {
        throw Cancelled();
    };
    open->trigger();
    QCOMPARE(messageCount(dialogs), 1);
}

QTEST_MAIN(tst_commandguard)
#include "tst_commandguard.moc"
