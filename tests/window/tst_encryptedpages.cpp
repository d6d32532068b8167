// SPDX-License-Identifier: GPL-3.0-or-later
#include "EncryptedFixture.h"
#include "RuntimeDir.h"
#include "TestSupport.h"
#include "documents/BinderSaver.h"
#include "documents/CompanionFiles.h"
#include "documents/EncryptedBinder.h"
#include "documents/NewBinder.h"
#include "documents/RecoveryService.h"
#include "editor/EditorBinder.h"
#include "transfer/PageExport.h"
#include "transfer/PageImport.h"
#include "window/PageClipboard.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <unistd.h>

using namespace quillery;
using namespace quillery::test;

// What the user does with an encrypted binder's pages (editing, handing out, the page
// clipboard) keeps every plain byte in memory.
class tst_encryptedpages : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(useOwnTempAndStateFolders(m_folders)); }

    void plainDataNeverLeavesTheRuntimeFolder()
    {
        Encrypted e;
        REQUIRE_RUNTIME(e.runtime);
        const QStringList scanned{QDir::tempPath(), qEnvironmentVariable("XDG_STATE_HOME")};
        auto binder = e.open();
        QVERIFY(binder);
        // Its working copy is sealed: nothing may write to it, even through its name.
        QFile working(binder->workingCopy());
        QVERIFY(!working.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered) ||
                working.write("x") == -1);
        working.close();
        // Unsaved work is kept as in any binder, encrypted.
        RecoveryService recovery(RecoveryStore(e.f.path("state")), 1);
        recovery.watch(*binder);
        // Editing a page, handing one to another program, importing and saving: every plain
        // byte stays in memory, in memory files or, for a file another program opens by
        // name, in the runtime folder.
        storeEditedPage(*e.f.workspace, *binder, 2, "okapi-7f3c edited", "NA");
        const QString handedOut = writePageToTemp(*e.f.workspace, *binder, "picture.png", 4);
        QVERIFY(handedOut.startsWith(e.runtime.path() + u'/'));
        const QString imported = e.f.file("import.txt", "imported");
        QVERIFY(importFile(*e.f.workspace, *binder, imported, PageKind::TXT));
        QVERIFY(binder->page(binder->pageCount()).key.location.startsWith("/proc/self/fd/"));
        QVERIFY(saveBinderFile(*e.f.workspace, *binder, e.path));
        storeEditedPage(*e.f.workspace, *binder, 1, "{\\rtf1 okapi-7f3c unsaved}", "NA");
        // A page copied from it waits on the page clipboard in the runtime folder too.
        QVERIFY(copyPage(*e.f.workspace, *binder, 1));
        const QString clipboard = e.runtime.path() + "/quillery-clipboard";
        QCOMPARE(pageClipboardFolder(*e.f.temp), clipboard);
        QVERIFY(pastePage(*e.f.workspace, *binder));
        QVERIFY(binder->page(binder->pageCount()).key.location.startsWith("/proc/self/fd/"));
        recovery.writeAllAndKeep();
        QCOMPARE(QDir(e.f.path("state")).entryList(QDir::NoDotAndDotDot | QDir::Dirs).size(), 1);

        for (const QString &folder : scanned)
            QCOMPARE(filesHoldingMarker(folder), QStringList());
        QVERIFY(filesHoldingMarker(e.runtime.path()).size() >= 2);
        QCOMPARE(pageBytes(*binder, 2), QByteArray("okapi-7f3c edited"));
        QCOMPARE(pageBytes(*binder, binder->pageCount()),
                 QByteArray("{\\rtf1 okapi-7f3c unsaved}"));

        // A page of a plain binder copied after it takes the clipboard back to the temporary
        // folder, and the encrypted binder's page is gone from the runtime folder.
        Binder other;
        makeNewBinder(*e.f.workspace, other, false);
        QVERIFY(importFile(*e.f.workspace, other, imported, PageKind::TXT));
        QVERIFY(copyPage(*e.f.workspace, other, 1));
        QCOMPARE(pageClipboardFolder(*e.f.temp), e.f.temp->path());
        QCOMPARE(QDir(clipboard).entryList(QDir::Files), QStringList());

        // Closing the binder takes its folder with it.
        binder.reset();
        QCOMPARE(QDir(e.runtime.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{"quillery-clipboard"});
        finishRetiringShadowCopies();
    }

    // What a killed process left in the runtime folder goes at the next start; what a running
    // one holds stays, and a link there is removed, never followed.
    void staleRuntimeFoldersGoAtTheNextStart()
    {
        Encrypted e;
        REQUIRE_RUNTIME(e.runtime);
        const RuntimeDir &runtime = e.runtime;
        auto binder = e.open();
        const QString handedOut = writePageToTemp(*e.f.workspace, *binder, "picture.png", 4);
        QVERIFY(!handedOut.isEmpty());
        const QString mine = QFileInfo(handedOut).absolutePath();
        const QString pid = QString::number(::getpid());
        const QStringList gone{"quillery-999999999.1-AbC123", "quillery-" + pid + ".1-AbC123"};
        for (const QString &name : gone)
            writeFile(runtime.path() + u'/' + name + "/page.png", "okapi-7f3c");
        QTemporaryDir elsewhere;
        writeFile(elsewhere.filePath("keep.txt"), "not the program's");
        QVERIFY(QFile::link(elsewhere.path(), runtime.path() + "/quillery-999999998.1-XyZ789"));
        QVERIFY(copyPage(*e.f.workspace, *binder, 1));

        removeStaleEncryptionFolders();
        for (const QString &name : gone)
            QVERIFY2(!QFileInfo::exists(runtime.path() + u'/' + name), qPrintable(name));
        QVERIFY(QFileInfo::exists(handedOut));
        QVERIFY(QFileInfo::exists(elsewhere.filePath("keep.txt")));
        // The page clipboard goes once no instance is left that could paste it.
        removeMemoryClipboard();
        QCOMPARE(pageClipboardFolder(*e.f.temp), QString());
        binder.reset();
        QVERIFY(!QFileInfo::exists(mine));
    }

private:
    QTemporaryDir m_folders;
};

QTEST_GUILESS_MAIN(tst_encryptedpages)
#include "tst_encryptedpages.moc"
