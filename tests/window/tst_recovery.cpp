// SPDX-License-Identifier: GPL-3.0-or-later
// Recovery snapshots: what a snapshot keeps of each kind of change, writes cut short,
// binders changed on disk since, and snapshot folders that are not what the program wrote.
#include "BinderFixture.h"
#include "EncryptedFixture.h"
#include "RuntimeDir.h"
#include "TestSupport.h"
#include "documents/BinderSaver.h"
#include "documents/EncryptedBinder.h"
#include "documents/NewBinder.h"
#include "documents/Password.h"
#include "documents/RecoveryCapture.h"
#include "documents/RecoveryFormat.h"
#include "documents/RecoveryKeeper.h"
#include "documents/RecoveryService.h"
#include "editor/EditorBinder.h"
#include "editor/EditorRecovery.h"
#include "platform/FileErase.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/FileLock.h"
#include "platform_ui/RichTextBox.h"
#include "transfer/BinderOpener.h"
#include "transfer/PageImport.h"
#include "transfer/RecoveryOpener.h"
#include "window/PageOperations.h"
#include "window/PageRename.h"
#include "window/Properties.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quillery;
using namespace quillery::test;

namespace {

const QList<QPair<QString, QByteArray>> ThreePages = {
    {"one.txt", "first page"}, {"two.rtf", "{\\rtf1 second}"}, {"three.bin", "\x01\x02\x03"}};

// What a save writes that a user would miss: titles, names, kinds, password, page bytes.
QStringList contentOf(Workspace &workspace, const QString &binderPath)
{
    auto binder = openFile(workspace, binderPath, OpenPurpose::Inspect);
    if (!binder)
        return {"(cannot open)"};
    QStringList content{binder->title(), binder->records().value("Data", QString())};
    for (int i = 0; i < binder->pageCount(); ++i) {
        const PageRow &row = binder->pages().at(i);
        content << row.name + u'|' + row.key.kind.name() + u'|' + row.comments + u'|' +
                       QString::fromLatin1(pageData(row.key).toHex());
    }
    return content;
}

// The permission bits of a file or folder; none when it is missing.
uint modeOf(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 0777 : 0;
}

// Writes a snapshot of the binder as a keeper would and lets go of its folder, as a
// program that is killed does.
QString takeSnapshot(const RecoveryStore &store, Binder &binder,
                     std::optional<EditedPage> edit = std::nullopt)
{
    SnapshotFolder folder = store.create();
    writeSnapshot(folder.path(), captureSnapshot(binder, false, std::move(edit)));
    return folder.path();
}

// The snapshot of a window, killed since, that imported a page into the binder at path.
QString snapshotOfALatePage(BinderFixture &f, const RecoveryStore &store, const QString &path)
{
    auto binder = f.open(path);
    importFile(*f.workspace, *binder, f.file("late.txt", "late page"), PageKind::Unknown);
    return takeSnapshot(store, *binder);
}

} // namespace

class tst_recovery : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void eachKindOfChangeRecoversAsASaveWouldWrite()
    {
        using Change = std::function<void(BinderFixture &, Binder &)>;
        const QList<QPair<const char *, Change>> changes = {
            {"import",
             [](BinderFixture &f, Binder &b) {
                 importFile(*f.workspace, b, f.file("new.txt", "imported words"),
                            PageKind::Unknown);
             }},
            {"delete, rename and properties",
             [](BinderFixture &f, Binder &b) {
                 f.dialogs.queueMessage(MsgResult::Yes);
                 deletePage(*f.workspace, b, 2);
                 beginRename(b, 3);
                 finishRename(*f.workspace, b, 3, "renamed");
                 applyFileProperties(b, "New title");
                 applyPageProperties(*f.workspace, b, 1, {"first", "a comment", {}});
             }},
            {"password",
             [](BinderFixture &f, Binder &b) {
                 changePassword(*f.workspace, b, "pw", "pw");
                 f.ui.passwords << "pw";
             }},
            {"several, then an edit taken back again",
             [](BinderFixture &f, Binder &b) {
                 importFile(*f.workspace, b, f.file("x.txt", "x"), PageKind::Unknown);
                 storeEditedPage(*f.workspace, b, 4, "x, edited", "NA");
                 storeEditedPage(*f.workspace, b, 4, "x, edited twice", "NA");
             }},
        };
        for (const auto &[what, change] : changes) {
            BinderFixture f;
            const RecoveryStore store(f.path("state"));
            const QString path = f.makeBinder("b.qly", ThreePages);
            auto binder = f.open(path);
            change(f, *binder);
            const QString folder = takeSnapshot(store, *binder);
            // What a save just before the program was killed would have written.
            QVERIFY(saveBinderFile(*f.workspace, *binder, f.path("saved.qly")));
            binder.reset();

            RecoveredBinder recovered =
                recoverBinder(*f.workspace, store.find(folder), RecoverPurpose::Window);
            QVERIFY2(recovered.binder, what);
            QVERIFY2(recovered.binder->isChanged(), what);
            // The window reads none of its pages from the snapshot, which goes once recovered.
            QVERIFY(QDir(folder).removeRecursively());
            QVERIFY(saveBinderFile(*f.workspace, *recovered.binder, f.path("recovered.qly")));
            f.ui.passwords.append({"pw", "pw"});
            const QStringList expected = contentOf(*f.workspace, f.path("saved.qly"));
            QCOMPARE(contentOf(*f.workspace, f.path("recovered.qly")), expected);
            QVERIFY2(expected != contentOf(*f.workspace, path), what); // the change is in both
        }
    }

    void untitledBinderRecoversUntitled()
    {
        BinderFixture f;
        const RecoveryStore store(f.path("state"));
        Binder binder;
        makeNewBinder(*f.workspace, binder, true);
        importFile(*f.workspace, binder, f.file("pic.png", "not really a picture"),
                   PageKind::Unknown);
        const QString folder = takeSnapshot(store, binder, EditedPage{1, "NA", "{\\rtf1 typed}"});
        // The record is the user's alone.
        QCOMPARE(modeOf(folder + u'/' + SnapshotRecord::RecordName), 0600u);

        RecoveredBinder recovered =
            recoverBinder(*f.workspace, store.find(folder), RecoverPurpose::Window);
        QVERIFY(recovered.binder);
        QVERIFY(recovered.binder->fileName().isEmpty());
        QCOMPARE(pageBytes(*recovered.binder, 1), QByteArray("{\\rtf1 typed}"));
        // The editor's text is in the snapshot only: the binder's own row never changed.
        QCOMPARE(binder.pages().at(0).size, 0);
        QCOMPARE(pageBytes(*recovered.binder, 2), QByteArray("not really a picture"));
        f.dialogs.queueSaveFile(f.path("now-saved.qly"));
        QVERIFY(saveBinder(*f.workspace, *recovered.binder));
        QCOMPARE(recovered.binder->fileName(), f.path("now-saved.qly"));
    }

    void binderChangedOnDiskIsSavedUnderANewName()
    {
        BinderFixture f;
        const RecoveryStore store(f.path("state"));
        const QString path = f.makeBinder("b.qly", ThreePages);
        const QString folder = snapshotOfALatePage(f, store, path);
        // While the binder is open in another window, its snapshot is not offered.
        QStringList problems;
        {
            const FileLock held = FileLock::acquire(path);
            QVERIFY(store.list(problems).isEmpty());
        }
        QCOMPARE(store.list(problems).size(), 1);
        // Another program saves its own binder under the name meanwhile.
        BinderFixture elsewhere;
        const QString other = elsewhere.makeBinder("other.qly", {{"o.txt", "other"}});
        QVERIFY(QFile::remove(path) && QFile::copy(other, path));
        const QByteArray onDisk = readFile(path);

        const SnapshotEntry entry = store.find(folder);
        QVERIFY(entry.record.binderChangedOnDisk());
        // A record that counts other pages than its page table holds is refused.
        SnapshotEntry miscounted = entry;
        QVERIFY(miscounted.record.records.contains("Pages=4"));
        miscounted.record.records.replace("Pages=4", "Pages=3");
        QVERIFY(!recoverBinder(*f.workspace, miscounted, RecoverPurpose::Window).binder);
        QVERIFY(f.messageTitles().contains("Recovery Error"));
        RecoveredBinder recovered = recoverBinder(*f.workspace, entry, RecoverPurpose::Window);
        QVERIFY(recovered.binder);
        QVERIFY(recovered.binder->caption().contains(u"changed on disk"));
        QCOMPARE(recovered.binder->pageCount(), 4);
        // Save asks first; Yes saves under a new name and leaves the other program's file.
        f.dialogs.queueMessage(MsgResult::Yes);
        f.dialogs.queueSaveFile(f.path("mine.qly"));
        QVERIFY(saveBinder(*f.workspace, *recovered.binder));
        QVERIFY(f.messageTitles().contains("File Changed on Disk"));
        QCOMPARE(readFile(path), onDisk);
        QCOMPARE(contentOf(*f.workspace, f.path("mine.qly")).size(), 2 + 4);
    }

    // Where the snapshot cannot link the binder file (it lies on another file system), the
    // unchanged pages are read from the binder itself, and only while it is the same file.
    void unchangedPagesAreReadOnlyFromTheSameBinder()
    {
        RuntimeDir elsewhere;
        REQUIRE_RUNTIME(elsewhere);
        BinderFixture f;
        const RecoveryStore store(elsewhere.path() + "/state");
        const QString path = f.makeBinder("b.qly", ThreePages);
        const QString folder = snapshotOfALatePage(f, store, path);
        QVERIFY(store.find(folder).record.sources.contains(QString()));

        BinderFixture other;
        const QString replacement = other.makeBinder("o.qly", {{"o.txt", "other"}});
        QVERIFY(QFile::remove(path) && QFile::copy(replacement, path));
        QVERIFY(!recoverBinder(*f.workspace, store.find(folder), RecoverPurpose::Window).binder);
        QVERIFY(f.messageTitles().contains("Recovery Error"));
    }

    void aWriteCutShortLeavesThePreviousSnapshot()
    {
        BinderFixture f;
        const RecoveryStore store(f.path("state"));
        auto binder = f.open(f.makeBinder("b.qly", ThreePages));
        importFile(*f.workspace, *binder, f.file("kept.txt", "kept page"), PageKind::Unknown);
        SnapshotFolder folder = store.create();
        writeSnapshot(folder.path(), captureSnapshot(*binder, false, std::nullopt));
        const QByteArray record = readFile(folder.path() + "/snapshot");

        // The next write dies half way: a page's data cannot be read, and a killed write
        // left a scratch copy and a half-written record behind.
        importFile(*f.workspace, *binder, f.file("lost.txt", "lost page"), PageKind::Unknown);
        QVERIFY(QFile::remove(binder->pages().at(4).key.location));
        QVERIFY_THROWS_EXCEPTION(
            FileError, writeSnapshot(folder.path(), captureSnapshot(*binder, false, std::nullopt)));
        writeFile(folder.path() + "/t0123abcd", "half a copy");
        writeFile(folder.path() + "/.snapshot.Ab12Cd", record.left(record.size() / 2));
        QCOMPARE(readFile(folder.path() + "/snapshot"), record);
        const QString path = folder.path();
        folder = SnapshotFolder(); // the program is gone
        binder.reset();

        BinderFixture fresh;
        RecoveredBinder recovered =
            recoverBinder(*fresh.workspace, store.find(path), RecoverPurpose::Window);
        QVERIFY(recovered.binder);
        QCOMPARE(recovered.binder->pageCount(), 4);
        QCOMPARE(pageBytes(*recovered.binder, 4), QByteArray("kept page"));

        // A later snapshot in the folder clears what the cut-short write left.
        SnapshotFolder again = RecoveryStore::claim(path);
        writeSnapshot(path, captureSnapshot(*recovered.binder, false, std::nullopt));
        QVERIFY(!QFile::exists(path + "/t0123abcd"));
        QVERIFY(!QFile::exists(path + "/.snapshot.Ab12Cd"));
    }

    void aSaveInPlaceTakesTheSnapshotOffTheBytesItErases()
    {
        BinderFixture f;
        RecoveryService service(RecoveryStore(f.path("state")), 1);
        const QString path = f.makeBinder(
            "b.qly",
            {{"big.bin", QByteArray(200000, 'b')}, {"one.txt", "first"}, {"two.txt", "2"}});
        auto binder = f.open(path);
        service.watch(*binder);
        RecoveryKeeper *keeper = RecoveryKeeper::of(*binder);
        QSignalSpy written(keeper, &RecoveryKeeper::snapshotWritten);
        // The editor's text keeps a snapshot needed after the binder is saved.
        RichTextBox box;
        box.setText("typed, never saved");
        UnsavedPageText typed(3, box, false);
        storeEditedPage(*f.workspace, *binder, 2, "replaced", "NA");
        typed.follow(*binder, true);
        QVERIFY(written.wait(20000));
        const QString before = keeper->folder();
        const FileIdentity unsaved = *FileIdentity::of(path);

        QVERIFY(saveBinder(*f.workspace, *binder));
        // Saved in place: the bytes of the replaced page were erased where they lay, in the
        // file the snapshot linked. No snapshot reading them is left, not even for a moment.
        QCOMPARE(FileIdentity::of(path)->inode, unsaved.inode);
        QVERIFY(!QFile::exists(before + u'/' + SnapshotRecord::RecordName));

        // The editor's text is kept again, with the pages read from the binder as saved.
        QVERIFY(written.wait(20000));
        const QString after = keeper->folder();
        BinderFixture other;
        RecoveredBinder recovered = recoverBinder(
            *other.workspace, {after, SnapshotRecord::read(after)}, RecoverPurpose::Export);
        QVERIFY(recovered.binder);
        QCOMPARE(pageBytes(*recovered.binder, 1), QByteArray(200000, 'b'));
        QCOMPARE(pageBytes(*recovered.binder, 2), QByteArray("replaced"));
        QCOMPARE(pageBytes(*recovered.binder, 3), QByteArray("typed, never saved"));
        typed.follow(*binder, false);
    }

    void pagesErasedSinceTheSnapshotAreRefusedNotReadAsZeros()
    {
        BinderFixture f;
        const RecoveryStore store(f.path("state"));
        const QString path = f.makeBinder("b.qly", ThreePages);
        const QString folder = snapshotOfALatePage(f, store, path);
        const SnapshotEntry entry = store.find(folder);
        const SnapshotPage first = entry.record.pages[0];
        const QString linked = entry.sourcePath(first.source);
        QVERIFY(fileio::sameFile(linked, path)); // the snapshot reads its pages there

        // As a save in place would, had the snapshot outlived it: the new pages go after the
        // end, then the replaced first page is erased.
        {
            UniqueFd fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_APPEND));
            fileio::writeAll(fd.get(), "new directory", 13, path);
            fileio::eraseRanges(fd.get(), {{first.offset, first.length}}, path);
        }
        QCOMPARE(fileio::readRange(linked, first.offset, first.length),
                 QByteArray(first.length, '\0'));
        QVERIFY(!recoverBinder(*f.workspace, entry, RecoverPurpose::Export).binder);
        QVERIFY(f.dialogs.lastText().contains(u"saved after this snapshot was taken"));
        QVERIFY(!recoverBinder(*f.workspace, entry, RecoverPurpose::Window).binder);
        QVERIFY(QFile::exists(folder + u'/' + SnapshotRecord::RecordName)); // Discard is the user's
    }

    void hostileFoldersAreSkippedNeverFollowed()
    {
        BinderFixture f;
        const RecoveryStore store(f.path("state"));
        auto binder = f.open(f.makeBinder("b.qly", ThreePages));
        importFile(*f.workspace, *binder, f.file("n.txt", "new"), PageKind::Unknown);
        const QString good = takeSnapshot(store, *binder);
        const RecoveryStore elsewhere(f.path("elsewhere"));
        const QString outside = takeSnapshot(elsewhere, *binder);
        binder.reset();
        const QString root = store.root() + u'/';
        const auto copyOf = [&](const QString &name) {
            QProcess::execute("cp", {"-a", good, root + name});
            return root + name;
        };

        QVERIFY(QFile::link(outside, root + "0000000000000001"));
        QCOMPARE(::mkfifo(QFile::encodeName(root + "0000000000000002").constData(), 0600), 0);
        const QString truncated = copyOf("0000000000000003") + "/snapshot";
        QVERIFY(QFile::resize(truncated, QFileInfo(truncated).size() - 9));
        const QString linkedRecord = copyOf("0000000000000004");
        QVERIFY(QFile::remove(linkedRecord + "/snapshot"));
        QVERIFY(QFile::link(good + "/snapshot", linkedRecord + "/snapshot"));
        const QString linkedData = copyOf("0000000000000005");
        const QString dataName = store.find(good).record.sources.last();
        QVERIFY(QFile::remove(linkedData + u'/' + dataName));
        QVERIFY(QFile::link(outside + u'/' + dataName, linkedData + u'/' + dataName));
        const QString cut = copyOf("0000000000000006") + u'/' + dataName;
        QVERIFY(QFile::resize(cut, QFileInfo(cut).size() - 1)); // one byte short
        writeFile(root + "notes.txt", "not a snapshot");

        QStringList problems;
        const QVector<SnapshotEntry> listed = store.list(problems);
        QCOMPARE(listed.size(), 1);
        QCOMPARE(listed[0].folder, good);
        QCOMPARE(problems.size(), 7);
        const QString said = problems.join(u'\n');
        for (const char *expected :
             {"1: skipped, it is a symbolic link, not a snapshot folder",
              "2: skipped, it is a FIFO, not a snapshot folder", "3: skipped", "lies past its end",
              "4: skipped", "its record is not a plain file", "5: skipped",
              "is a symbolic link, not a plain file", "6: skipped", "is cut short",
              "notes.txt: skipped, it is no snapshot folder"})
            QVERIFY2(said.contains(QString::fromLatin1(expected)),
                     qPrintable(QString::fromLatin1(expected) + u'\n' + said));
        QVERIFY_THROWS_EXCEPTION(FileError, store.find(root + "0000000000000001"));

        // A page table may point at the last data file, never past it.
        SnapshotRecord record = store.find(good).record;
        const auto reread = [&] {
            return SnapshotRecord::fromLumps(record.recoveryText(), record.records,
                                             record.pageTable());
        };
        record.pages.last().source = int(record.sources.size());
        QCOMPARE(reread().pages.last().source, int(record.sources.size()));
        record.pages.last().source = int(record.sources.size()) + 1;
        QVERIFY_THROWS_EXCEPTION(FileError, reread());
    }

    // A snapshot is recovered into the binder it names only where that is a file of this
    // user's, or gone; anything else is refused naming the snapshot.
    void aSnapshotNamesOnlyAFileOfTheUsersAsItsBinder()
    {
        BinderFixture f;
        const RecoveryStore store(f.path("state"));
        auto binder = f.open(f.makeBinder("b.qly", ThreePages));
        importFile(*f.workspace, *binder, f.file("n.txt", "new"), PageKind::Unknown);
        const QString folder = takeSnapshot(store, *binder);
        binder.reset();
        SnapshotRecord record = store.find(folder).record;
        QStringList problems;
        const auto listedNaming = [&](const QString &binderPath) {
            record.binderPath = binderPath;
            record.write(folder);
            problems.clear();
            return store.list(problems).size();
        };

        QCOMPARE(listedNaming("/dev/null"), 0);
        QCOMPARE(problems, QStringList{folder + ": skipped, its binder /dev/null is a device or "
                                                "socket, not a binder file"});
        QVERIFY_THROWS_EXCEPTION(FileError, store.find(folder));
        if (::geteuid() == 0) {
            const QString theirs = f.file("theirs.qly", "QLY4");
            QCOMPARE(::chown(QFile::encodeName(theirs).constData(), 54321, 54321), 0);
            QCOMPARE(listedNaming(theirs), 0);
            QCOMPARE(problems, QStringList{folder + ": skipped, its binder " + theirs +
                                           " belongs to another user"});
        }
        // A binder deleted since is no reason to lose the work.
        QCOMPARE(listedNaming(f.path("gone.qly")), 1);
    }

    void keeperWritesAfterChangesAndRemovesAtCleanEnds()
    {
        BinderFixture f;
        RecoveryService service(RecoveryStore(f.path("state")), 1);
        auto binder = f.open(f.makeBinder("b.qly", ThreePages));
        service.watch(*binder);
        RecoveryKeeper *keeper = RecoveryKeeper::of(*binder);
        QVERIFY(keeper);
        QSignalSpy written(keeper, &RecoveryKeeper::snapshotWritten);
        const auto stateFolders = [&] {
            return QDir(f.path("state")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        };

        // A change is kept after the delay; closing without saving removes it with its data.
        // A change made while it is being written (a large page keeps the write busy) goes
        // into the next one as soon as that write is done, without waiting for another.
        importFile(*f.workspace, *binder, f.file("n.bin", QByteArray(48 << 20, 'b')),
                   PageKind::Unknown);
        QTRY_VERIFY_WITH_TIMEOUT(!keeper->folder().isEmpty(), 20000);
        applyFileProperties(*binder, "Later title");
        QVERIFY(written.wait(20000));
        keeper->waitForWrites();
        QVERIFY(readFile(keeper->folder() + "/snapshot").contains("Later title"));
        QCOMPARE(stateFolders().size(), 1);
        binder->discardChanges();
        keeper->waitForWrites();
        QVERIFY(stateFolders().isEmpty());

        // Saving removes it too.
        movePage(*binder, 1, MoveDirection::Down);
        QVERIFY(written.wait(20000));
        QVERIFY(saveBinder(*f.workspace, *binder));
        keeper->waitForWrites();
        QVERIFY(stateFolders().isEmpty());

        // The editor's unsaved text alone is worth a snapshot.
        RichTextBox box;
        box.setText("typed");
        UnsavedPageText typed(1, box, false);
        typed.follow(*binder, true);
        QVERIFY(written.wait(20000));
        QCOMPARE(stateFolders().size(), 1);
        typed.follow(*binder, false);
        keeper->waitForWrites();
        QVERIFY(stateFolders().isEmpty());

        // Ending at once keeps it, whatever happens to the window after.
        movePage(*binder, 1, MoveDirection::Down);
        service.writeAllAndKeep();
        binder->discardChanges();
        binder.reset();
        QStringList problems;
        QCOMPARE(RecoveryStore(f.path("state")).list(problems).size(), 1);
    }

    // An encrypted binder's snapshot holds nothing plain, not even its title, and
    // recovers, with the passphrase, the work a plain binder's would: an imported page
    // and the page editor's text.
    void encryptedBinderKeepsAnEncryptedSnapshot()
    {
        Encrypted e;
        REQUIRE_RUNTIME(e.runtime);
        QVERIFY(!e.path.isEmpty());
        BinderFixture &f = e.f;
        const RecoveryStore store(f.path("state"));
        auto binder = e.open();
        QVERIFY(binder);
        applyFileProperties(*binder, "okapi-7f3c title");
        importFile(*f.workspace, *binder, f.file("late.txt", "okapi-7f3c late"), PageKind::Unknown);
        const QString folder =
            takeSnapshot(store, *binder, EditedPage{2, "NA", "okapi-7f3c edited"});
        QFile::remove(f.path("late.txt"));
        binder.reset();
        QCOMPARE(filesHoldingMarker(folder), QStringList());

        SnapshotEntry entry = store.find(folder);
        QCOMPARE(entry.record.title, QString("secret.qly"));
        QCOMPARE(entry.record.pageCount(), EveryKind.size() + 1);
        QCOMPARE(entry.record.changedPages, 2);
        QVERIFY(!entry.record.binderChangedOnDisk());
        f.ui.passphrases = {"wrong", "wrong", "wrong"};
        QVERIFY(!recoverBinder(*f.workspace, entry, RecoverPurpose::Window).binder);
        f.ui.passphrases = {TestPassphrase};
        RecoveredBinder recovered = recoverBinder(*f.workspace, entry, RecoverPurpose::Window);
        QVERIFY(recovered.binder);
        Binder &back = *recovered.binder;
        QVERIFY(isEncrypted(back));
        QVERIFY(back.isChanged());
        QCOMPARE(back.fileName(), e.path);
        QCOMPARE(back.title(), QString("okapi-7f3c title"));
        QCOMPARE(back.pageCount(), EveryKind.size() + 1);
        QCOMPARE(pageData(back.page(2).key), QByteArray("okapi-7f3c edited"));
        QCOMPARE(pageData(back.page(back.pageCount()).key), QByteArray("okapi-7f3c late"));
        // Saved, it is the encrypted binder with the work in it.
        QVERIFY(saveBinder(*f.workspace, back));
        QVERIFY(isEncryptedBinderFile(e.path));
        QCOMPARE(filesHoldingMarker(f.dir.path()), QStringList());
    }

    void toolListsAndWritesSnapshotsOut()
    {
        BinderFixture f;
        const RecoveryStore store(f.path("state/quillery/recovery"));
        f.ui.passwords << "pw";
        auto binder = f.open(f.makeBinder("b.qly", ThreePages, "pw"));
        importFile(*f.workspace, *binder, f.file("n.txt", "new\nline"), PageKind::Unknown);
        const QString folder = takeSnapshot(store, *binder);
        QVERIFY(saveBinderFile(*f.workspace, *binder, f.path("saved.qly")));
        binder.reset();
        const SnapshotEntry entry = store.find(folder);
        QVERIFY(entry.record.isProtected);
        f.ui.passwords = {"wrong"};
        QVERIFY(!recoverBinder(*f.workspace, entry, RecoverPurpose::Window).binder);
        QVERIFY(QFile::exists(folder + "/snapshot"));
        // Only this user can read what is kept.
        QCOMPARE(modeOf(folder), 0700u);
        QCOMPARE(modeOf(store.root()), 0700u);

        const auto tool = [&](const QStringList &args) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("XDG_STATE_HOME", f.path("state"));
            return runProgram(QUILLERY_CLI, args, QByteArray(), env);
        };
        const auto recover = [&](const QString &snapshot, const QString &to) {
            return tool({"--password-file", f.path("pw.txt"), "recover", snapshot, to}).code;
        };
        const QString id = QFileInfo(folder).fileName();
        QVERIFY(tool({"recover", "--list"}).out.startsWith(id + u'\t'));

        QCOMPARE(tool({"recover", id, f.path("out.qly")}).code, 2); // no password given
        QVERIFY(!QFile::exists(f.path("out.qly")));
        writeFile(f.path("pw.txt"), "pw\n");
        // Only under a binder's name, which the file manager knows.
        QCOMPARE(recover(id, f.path("out.txt")), 1);
        QVERIFY(!QFile::exists(f.path("out.txt")));
        QCOMPARE(recover(id, f.path("out.qly")), 0);
        f.ui.passwords = {"pw", "pw"};
        QCOMPARE(contentOf(*f.workspace, f.path("out.qly")),
                 contentOf(*f.workspace, f.path("saved.qly")));
        // Never over a file, and never anything but a snapshot folder.
        QCOMPARE(recover(folder, f.path("out.qly")), 1);
        QCOMPARE(tool({"recover", f.path("state"), f.path("other.qly")}).code, 1);
        QVERIFY(QFile::exists(folder + "/snapshot"));
    }
};

QTEST_MAIN(tst_recovery)
#include "tst_recovery.moc"
