// SPDX-License-Identifier: GPL-3.0-or-later
#include "EncryptedFixture.h"
#include "TestSupport.h"
#include "documents/BinderSaver.h"
#include "documents/CompanionFiles.h"
#include "documents/NewBinder.h"
#include "documents/RecoveryService.h"
#include "editor/EditorBinder.h"
#include "transfer/PageExport.h"
#include "transfer/PageImport.h"
#include "window/PageClipboard.h"

#include <QDir>
#include <QTest>

using namespace quillery;
using namespace quillery::test;

// What the user does with an encrypted binder's pages (editing, handing out, the page
// clipboard) keeps every plain byte in the runtime folder.
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
        // Unsaved work is watched as in any binder, but never written out as a snapshot.
        RecoveryService recovery(RecoveryStore(e.f.path("state")), 1);
        recovery.watch(*binder);
        // Editing a page, handing one to another program, importing and saving: every plain
        // byte stays in the runtime folder.
        storeEditedPage(*e.f.workspace, *binder, 2, "okapi-7f3c edited", "NA");
        const QString handedOut = writePageToTemp(*e.f.workspace, *binder, "picture.png", 4);
        QVERIFY(handedOut.startsWith(e.runtime.path() + u'/'));
        const QString imported = e.f.file("import.txt", "imported");
        QVERIFY(importFile(*e.f.workspace, *binder, imported, PageKind::TXT));
        QVERIFY(binder->page(binder->pageCount()).key.location.startsWith(e.runtime.path()));
        QVERIFY(saveBinderFile(*e.f.workspace, *binder, e.path));
        storeEditedPage(*e.f.workspace, *binder, 1, "{\\rtf1 okapi-7f3c unsaved}", "NA");
        // A page copied from it waits on the page clipboard in the runtime folder too.
        QVERIFY(copyPage(*e.f.workspace, *binder, 1));
        const QString clipboard = e.runtime.path() + "/quillery-clipboard";
        QCOMPARE(pageClipboardFolder(*e.f.temp), clipboard);
        QVERIFY(pastePage(*e.f.workspace, *binder));
        QVERIFY(binder->page(binder->pageCount()).key.location.startsWith(e.runtime.path()));
        recovery.writeAllAndKeep();
        QCOMPARE(QDir(e.f.path("state")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());

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

private:
    QTemporaryDir m_folders;
};

QTEST_GUILESS_MAIN(tst_encryptedpages)
#include "tst_encryptedpages.moc"
