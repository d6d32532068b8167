// SPDX-License-Identifier: GPL-3.0-or-later
// The "Recover Unsaved Work" window and what it opens, and the page editor's unsaved text
// in the snapshot.
#include "TestSupport.h"
#include "documents/RecoveryCapture.h"
#include "documents/RecoveryKeeper.h"
#include "documents/RecoveryService.h"
#include "platform_ui/RichTextBox.h"
#include "shell/RecoveryStart.h"
#include "shell/RecoveryWindow.h"
#include "support/ui/EditorFixture.h"
#include "support/ui/MainWindowFixture.h"
#include "transfer/PageImport.h"
#include "transfer/RecoveryOpener.h"
#include "window/BinderWindow.h"

#include <QAction>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

using namespace quillery;
using namespace quillery::test;

namespace {

// A snapshot of a changed binder of the fixture's, left as by a program that was killed.
QString leftSnapshot(BinderFixture &f, const RecoveryStore &store, const QString &page)
{
    auto binder = f.open(f.makeBinder(page + ".qly", {{"one.txt", "first"}}));
    importFile(*f.workspace, *binder, f.file(page, "new page"), PageKind::Unknown);
    SnapshotFolder folder = store.create();
    writeSnapshot(folder.path(), captureSnapshot(*binder, false, std::nullopt));
    return folder.path();
}

} // namespace

class tst_recoverywindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void recoveredBinderKeepsItsSnapshotUntilSaved()
    {
        BinderFixture f;
        Window w(f);
        RecoveryService service(RecoveryStore(f.path("state")), 1);
        w.main.watchBinder = [&service](Binder &binder) {
            service.watch(binder);
        };
        const QString folder = leftSnapshot(f, service.store(), "late.txt");
        QStringList problems;
        const QVector<SnapshotEntry> entries = service.store().list(problems);
        QCOMPARE(entries.size(), 1);

        QVERIFY(recoverSnapshot(w.main, service, entries[0]));
        BinderWindow *window = w.main.activeBinderWindow();
        QVERIFY(window);
        QVERIFY(window->windowTitle().contains(u"[Recovered]"));
        QCOMPARE(window->binder().pageCount(), 2);
        // The window keeps the snapshot now: no other instance offers it, and it stays
        // until the binder is saved.
        QVERIFY(service.store().list(problems).isEmpty());
        QVERIFY(QFile::exists(folder + "/snapshot"));
        window->save();
        RecoveryKeeper::of(window->binder())->waitForWrites();
        QVERIFY(!QFile::exists(folder));
        QVERIFY(!window->binder().isChanged());
    }

    void discardAsksOnceAndLaterKeeps()
    {
        BinderFixture f;
        const RecoveryStore store(f.path("state"));
        const QString first = leftSnapshot(f, store, "a.txt");
        const QString second = leftSnapshot(f, store, "b.txt");
        QStringList problems;
        const QVector<SnapshotEntry> entries = store.list(problems);
        QCOMPARE(entries.size(), 2);
        QVERIFY(QFile::remove(entries[1].record.binderPath));
        QVector<SnapshotEntry> recovered;
        // The first try fails, as when the binder's password is not given.
        RecoveryWindow dialog(f.dialogs, entries, {}, [&](const SnapshotEntry &entry) {
            recovered << entry;
            return recovered.size() > 1;
        });
        QCOMPARE(dialog.list()->topLevelItemCount(), 2);
        QCOMPARE(dialog.list()->topLevelItem(0)->text(4), QStringLiteral("as it was"));
        QCOMPARE(dialog.list()->topLevelItem(1)->text(4), QStringLiteral("missing"));

        f.dialogs.queueMessage(MsgResult::No);
        dialog.discardSelected();
        QCOMPARE(dialog.list()->topLevelItemCount(), 2);
        QVERIFY(QFile::exists(first + "/snapshot"));
        f.dialogs.queueMessage(MsgResult::Yes);
        dialog.discardSelected();
        QCOMPARE(dialog.list()->topLevelItemCount(), 1);
        QVERIFY(!QFile::exists(first));
        QCOMPARE(f.dialogs.calls().size(), 2);

        dialog.recoverSelected();
        QCOMPARE(dialog.list()->topLevelItemCount(), 1);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        dialog.recoverSelected();
        QCOMPARE(recovered.size(), 2);
        recovered.removeFirst();
        QCOMPARE(recovered[0].folder, second);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(QFile::exists(second + "/snapshot")); // the recovered window keeps it
    }

    // Recover takes the binder selected, not the first listed, and leaves the others.
    void recoverTakesTheSelectedRow()
    {
        BinderFixture f;
        const RecoveryStore store(f.path("state"));
        leftSnapshot(f, store, "a.txt");
        leftSnapshot(f, store, "b.txt");
        QStringList problems;
        const QVector<SnapshotEntry> entries = store.list(problems);
        QCOMPARE(entries.size(), 2);
        QVector<SnapshotEntry> recovered;
        RecoveryWindow dialog(f.dialogs, entries, {}, [&](const SnapshotEntry &entry) {
            recovered << entry;
            return true;
        });
        dialog.list()->setCurrentItem(dialog.list()->topLevelItem(1));
        dialog.recoverSelected();
        QCOMPARE(recovered.size(), 1);
        QCOMPARE(recovered[0].folder, entries[1].folder);
        QCOMPARE(dialog.list()->topLevelItemCount(), 1);
        dialog.list()->setCurrentItem(dialog.list()->topLevelItem(0));
        dialog.recoverSelected();
        QCOMPARE(recovered.size(), 2);
        QCOMPARE(recovered[1].folder, entries[0].folder);
    }

    void doubleClickRecovers()
    {
        BinderFixture f;
        const RecoveryStore store(f.path("state"));
        const QString folder = leftSnapshot(f, store, "a.txt");
        QStringList problems;
        QVector<SnapshotEntry> recovered;
        RecoveryWindow dialog(f.dialogs, store.list(problems), {}, [&](const SnapshotEntry &entry) {
            recovered << entry;
            return true;
        });
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTreeWidget *list = dialog.list();
        const QPoint row =
            list->viewport()->mapTo(&dialog, list->visualItemRect(list->topLevelItem(0)).center());
        QTest::mouseClick(dialog.windowHandle(), Qt::LeftButton, {}, row);
        QTest::mouseDClick(dialog.windowHandle(), Qt::LeftButton, {}, row);
        QCOMPARE(recovered.size(), 1);
        QCOMPARE(recovered[0].folder, folder);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void editorTextIsKeptWhileUnsaved()
    {
        EditorFixture f;
        const int position = f.addPage(PageKind::RTF, "{\\rtf1 Hello}");
        f.binder.discardChanges();
        RecoveryService service(RecoveryStore(f.path("state")), 1);
        service.watch(f.binder);
        QSignalSpy written(RecoveryKeeper::of(f.binder), &RecoveryKeeper::snapshotWritten);
        auto editor = f.edit(position);
        editor->textBox()->insertPlainText(QStringLiteral("typed words "));
        QVERIFY(written.wait(20000));
        QVERIFY(!f.binder.isChanged());

        QStringList problems;
        const QVector<SnapshotEntry> entries = service.store().list(problems);
        QCOMPARE(entries.size(), 0); // kept by this running window
        const QString folder = RecoveryKeeper::of(f.binder)->folder();
        BinderFixture other;
        SnapshotEntry entry{folder, SnapshotRecord::read(folder)};
        RecoveredBinder recovered = recoverBinder(*other.workspace, entry, RecoverPurpose::Export);
        QVERIFY(recovered.binder);
        const QByteArray page = pageBytes(*recovered.binder, position);
        QVERIFY2(page.startsWith("{\\rtf1") && page.contains("typed words Hello"),
                 page.constData());

        // Leaving the editor without saving, with the binder unchanged, ends the need.
        f.dialogs.queueMessage(MsgResult::No);
        editor->menuItem("mnuExit")->trigger();
        RecoveryKeeper::of(f.binder)->waitForWrites();
        QVERIFY(!QFile::exists(folder));
    }
};

QTEST_MAIN(tst_recoverywindow)
#include "tst_recoverywindow.moc"
