// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "TestSupport.h"
#include "documents/BinderSaver.h"
#include "documents/NewPage.h"
#include "documents/PageCommands.h"
#include "documents/Password.h"
#include "documents/RecordsCommand.h"
#include "documents/RecoveryFormat.h"
#include "editor/EditorBinder.h"
#include "shell/MainWindow.h"
#include "support/ui/MainWindowFixture.h"
#include "transfer/BinderImport.h"
#include "transfer/DroppedFiles.h"
#include "transfer/PageImport.h"
#include "window/BinderMenus.h"
#include "window/BinderWindow.h"
#include "window/PageClipboard.h"
#include "window/PageDragData.h"
#include "window/PageDrops.h"
#include "window/PageOperations.h"
#include "window/PageRename.h"
#include "window/PageTransfer.h"
#include "window/Properties.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QStandardPaths>
#include <QTest>

using namespace quillery;
using namespace quillery::test;

namespace {

const QList<QPair<QString, QByteArray>> ThreePages = {
    {"one.txt", "page one"}, {"two.txt", "page two"}, {"three.txt", "page three"}};

// One undoable command as a user gives it, with the name its step must have.
struct UndoableStep
{
    const char *step;
    int current; // the page selected before it, as a user selects what a command touches
    std::function<void(BinderFixture &, Binder &)> run;
};

QList<UndoableStep> everyCommand()
{
    return {
        {"Delete Page 'two'", 2,
         [](BinderFixture &f, Binder &b) {
             f.dialogs.queueMessage(MsgResult::Yes);
             deletePage(*f.workspace, b, 2);
         }},
        {"Cut Page 'two'", 2,
         [](BinderFixture &f, Binder &b) {
             cutPage(*f.workspace, b, 2);
         }},
        {"Delete All Pages", 1,
         [](BinderFixture &f, Binder &b) {
             f.dialogs.queueMessage(MsgResult::Yes);
             deleteAllPages(*f.workspace, b);
         }},
        {"Move Page", 2,
         [](BinderFixture &, Binder &b) {
             movePage(b, 2, MoveDirection::Down);
         }},
        {"Rename Page", 2,
         [](BinderFixture &f, Binder &b) {
             beginRename(b, 2);
             finishRename(*f.workspace, b, 2, "renamed");
         }},
        {"Page Properties", 2,
         [](BinderFixture &f, Binder &b) {
             applyPageProperties(*f.workspace, b, 2, {"retitled", "new comments", {}});
         }},
        {"File Properties", 1,
         [](BinderFixture &, Binder &b) {
             applyFileProperties(b, "Another Title");
         }},
        {"Add Page", 1,
         [](BinderFixture &f, Binder &b) {
             addEmptyPage(*f.workspace, b, PageKind::RTF);
         }},
        {"Import File 'added'", 1,
         [](BinderFixture &f, Binder &b) {
             importFile(*f.workspace, b, f.file("src/added.txt", "added"), PageKind::Unknown);
         }},
        {"Import 2 Files", 1,
         [](BinderFixture &f, Binder &b) {
             f.file("folder/a.txt", "a");
             f.file("folder/b.htm", "<p>b</p>");
             f.dialogs.queueFolder(f.path("folder"));
             importFolder(*f.workspace, b);
         }},
        {"Import Binder 'other.qly'", 1,
         [](BinderFixture &f, Binder &b) {
             const QString other = f.makeBinder("other.qly", {{"x.txt", "x"}, {"y.txt", "y"}});
             importBinderFile(*f.workspace, b, other);
         }},
        {"Import 3 Files", 1,
         [](BinderFixture &f, Binder &b) {
             const QStringList files{f.file("drop/a.txt", "a"), f.file("drop/b.png", "png"),
                                     f.file("drop/c.bin", "c")};
             importDroppedFiles(*f.workspace, b, files, 2);
         }},
        {"Move 2 Pages", 2,
         [](BinderFixture &f, Binder &b) {
             PageDrops drops(*f.workspace, b);
             drops.drop(PageDragData(*f.workspace, b, {1, 3}), Qt::MoveAction, 3);
             QCoreApplication::processEvents();
         }},
        {"Copy Page 'dropped'", 2,
         [](BinderFixture &f, Binder &b) {
             PageDrops drops(*f.workspace, b);
             QMimeData data;
             data.setData(PagesMimeType, encodePages({{{"dropped", "", "TXT", "NA"}, "bytes"}}));
             drops.drop(data, Qt::CopyAction, 1);
             QCoreApplication::processEvents();
         }},
        {"Paste Page", 3,
         [](BinderFixture &f, Binder &b) {
             copyPage(*f.workspace, b, 1);
             pastePage(*f.workspace, b);
         }},
        {"Edit Page 'two'", 2,
         [](BinderFixture &f, Binder &b) {
             storeEditedPage(*f.workspace, b, 2, "edited text", b.page(2).key.colour);
         }},
        {"Options", 1,
         [](BinderFixture &, Binder &b) {
             b.push(std::make_unique<RecordsCommand>(
                 b, QVector<RecordChange>{{RecordKey::CommentsColumn, "Notes"}, {"TXTSize", "14"}},
                 PaneLayout{PanePosition::ListLeft, 3000}, "Options"));
         }},
    };
}

// The bytes the binder saves as now, through a rewriting save to a file of its own.
QByteArray savedBytes(BinderFixture &f, Binder &binder, const QString &name)
{
    const QString path = f.path(name);
    if (!saveBinderFile(*f.workspace, binder, path))
        return "save failed";
    return readFile(path);
}

bool contains(const QString &path, const QByteArray &bytes)
{
    return readFile(path).contains(bytes);
}

} // namespace

class tst_undo : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Undo takes every command back to the bytes saved before it, and redo does it again to
    // the bytes saved after it; each save between them moves the pages the history holds.
    void everyCommandUndoesAndRedoesToTheSameBytes()
    {
        for (const UndoableStep &command : everyCommand()) {
            BinderFixture f;
            auto binder = f.open(f.makeBinder("b.qly", ThreePages));
            binder->setCurrentPosition(command.current);
            const QByteArray before = savedBytes(f, *binder, "before.qly");
            command.run(f, *binder);
            QCOMPARE(binder->history().undoText(), QString::fromUtf8(command.step));
            QVERIFY2(binder->isChanged(), command.step);
            const QByteArray after = savedBytes(f, *binder, "after.qly");
            QVERIFY2(after != before, command.step);

            binder->undo();
            QVERIFY2(binder->isChanged(), command.step);
            QVERIFY2(savedBytes(f, *binder, "undone.qly") == before, command.step);
            binder->redo();
            QVERIFY2(savedBytes(f, *binder, "redone.qly") == after, command.step);
            binder->undo();
            QVERIFY2(savedBytes(f, *binder, "undone again.qly") == before, command.step);
        }
    }

    // A save in place erases the bytes of a deleted page from the binder file; undo still
    // brings them back whole, from the file the history was given before the save, and that
    // file goes when the history lets go of the page.
    void undoAfterAnInPlaceSaveRestoresThePage()
    {
        BinderFixture f;
        const QByteArray kept(300000, 'k');
        const QByteArray victim = QByteArray("victim ") + QByteArray(50000, 'v') + "end";
        const QString path = f.makeBinder("b.qly", {{"kept.txt", kept}, {"victim.txt", victim}});
        auto binder = f.open(path);
        const quint64 inode = FileIdentity::of(path)->inode;
        f.dialogs.queueMessage(MsgResult::Yes);
        deletePage(*f.workspace, *binder, 2);
        QVERIFY(saveBinder(*f.workspace, *binder));
        QCOMPARE(FileIdentity::of(path)->inode, inode);
        QVERIFY(!contains(path, victim));

        binder->undo();
        QCOMPARE(binder->currentPosition(), 2);
        QCOMPARE(pageBytes(*binder, 2), victim);
        QVERIFY(binder->isChanged());
        QVERIFY(saveBinder(*f.workspace, *binder));
        QVERIFY(contains(path, victim));

        // Deleted and saved again, the page lives in a scratch file of the history's alone,
        // which goes when the history lets go of it.
        binder->redo();
        QVERIFY(saveBinder(*f.workspace, *binder));
        const QStringList held = f.temp->registered();
        binder->discardChanges();
        QVERIFY(!binder->history().canUndo());
        QCOMPARE(f.temp->registered().size(), held.size() - 1);
        for (const QString &file : held) {
            if (!f.temp->registered().contains(file))
                QVERIFY2(!QFile::exists(file), qPrintable(file));
        }
        QVERIFY(!contains(path, victim));
        QCOMPARE(pageBytes(*binder, 1), kept);
    }

    // The binder is changed exactly while its history is away from the saved step, or after
    // a change the history does not hold, until the next save.
    void changedFollowsTheSavedStep()
    {
        BinderFixture f;
        auto binder = f.open(f.makeBinder("b.qly", ThreePages));
        movePage(*binder, 1, MoveDirection::Down);
        QVERIFY(binder->isChanged());
        binder->undo();
        QVERIFY(!binder->isChanged());
        binder->redo();
        QVERIFY(saveBinder(*f.workspace, *binder));
        QVERIFY(!binder->isChanged());
        binder->undo();
        QVERIFY(binder->isChanged());
        binder->redo();
        QVERIFY(!binder->isChanged());

        // Another step after an undo makes the saved step unreachable.
        binder->undo();
        movePage(*binder, 3, MoveDirection::Up);
        binder->undo();
        QVERIFY(binder->isChanged());
        binder->redo();
        QVERIFY(binder->isChanged());

        // A new password is no step: neither undo nor redo makes the binder saved.
        QVERIFY(saveBinder(*f.workspace, *binder));
        movePage(*binder, 1, MoveDirection::Down);
        QVERIFY(changePassword(*f.workspace, *binder, "secret", "secret"));
        binder->undo();
        QVERIFY(binder->isChanged());
        binder->redo();
        binder->undo();
        QVERIFY(binder->isChanged());
        QCOMPARE(binder->history().count(), 2);
        QVERIFY(saveBinder(*f.workspace, *binder));
        QVERIFY(!binder->isChanged());
    }

    // The pages a closed window's history held go with it; those it still shows are kept.
    void closingTheWindowDropsTheHistoryAndItsFiles()
    {
        BinderFixture f;
        Window w(f);
        w.main.openFile(f.makeBinder("b.qly", ThreePages));
        BinderWindow *window = w.main.activeBinderWindow();
        Binder &binder = window->binder();
        QVERIFY(
            importFile(*f.workspace, binder, f.file("src/gone.txt", "gone"), PageKind::Unknown));
        const QString importedFile = binder.page(4).key.location;
        cutPage(*f.workspace, binder, 4);
        QVERIFY(QFile::exists(importedFile));
        QVERIFY(saveBinder(*f.workspace, binder));
        QVERIFY(QFile::exists(importedFile));
        QVERIFY(window->parentWidget()->close());
        QVERIFY(!QFile::exists(importedFile));
        QVERIFY(!f.temp->registered().contains(importedFile));
    }

    // Edit > Undo and Redo name the step they take back or do again; an "&" in a page's name
    // is shown, not taken for an access key.
    void editMenuNamesTheSteps()
    {
        BinderFixture f;
        Window w(f);
        w.main.openFile(f.makeBinder("b.qly", {{"Bread & Butter.txt", "b"}, {"two.txt", "2"}}));
        BinderWindow *window = w.main.activeBinderWindow();
        QAction *undo = window->menus().action(Command::Undo);
        QAction *redo = window->menus().action(Command::Redo);
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        QCOMPARE(undo->text(), QString("&Undo"));
        QCOMPARE(redo->shortcuts(),
                 QList<QKeySequence>({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}));

        f.dialogs.queueMessage(MsgResult::Yes);
        window->menus().action(Command::DeletePage)->trigger();
        QVERIFY(undo->isEnabled() && !redo->isEnabled());
        QCOMPARE(undo->text(), QString("&Undo Delete Page 'Bread && Butter'"));
        undo->trigger();
        QCOMPARE(window->binder().page(1).name, QString("Bread & Butter"));
        QVERIFY(!undo->isEnabled() && redo->isEnabled());
        QCOMPARE(redo->text(), QString("&Redo Delete Page 'Bread && Butter'"));
        QVERIFY(!window->isWindowModified());
        redo->trigger();
        QCOMPARE(window->binder().pageCount(), 1);
        QVERIFY(window->isWindowModified());
    }

    // A page's name comes from the binder's author: in a step's name it stays on one line and
    // short enough for a menu.
    void stepNamesKeepPageNamesOnOneShortLine()
    {
        QCOMPARE(pageStepName("Delete Page", "a\nb\tc\x1b"), QString("Delete Page 'a b c '"));
        // A name of exactly the longest length shown is shown whole, with no ellipsis.
        QCOMPARE(pageStepName("Delete Page", QString(40, 'x')),
                 "Delete Page '" + QString(40, 'x') + "'");
        QCOMPARE(pageStepName("Delete Page", QString(100, 'x')),
                 "Delete Page '" + QString(40, 'x') + QChar(0x2026) + "'");
        QCOMPARE(pageStepName("Delete Page", QString("a") + QChar(0x2028) + "b"),
                 QString("Delete Page 'a b'"));
    }
};

QTEST_MAIN(tst_undo)
#include "tst_undo.moc"
