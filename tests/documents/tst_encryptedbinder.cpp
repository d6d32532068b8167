// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "EncryptedFixture.h"
#include "TestSupport.h"
#include "documents/BinderKey.h"
#include "documents/BinderSaver.h"
#include "documents/CompanionFiles.h"
#include "documents/EncryptCommands.h"
#include "documents/EncryptedBinder.h"
#include "documents/NewBinder.h"
#include "documents/NewPage.h"
#include "documents/PageCommands.h"
#include "documents/PlainSource.h"
#include "documents/SecretStream.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "transfer/PageImport.h"

#include <QDir>
#include <QStorageInfo>
#include <QTest>
#include <QtEndian>

#include <sys/stat.h>
#include <unistd.h>

using namespace quillery;
using namespace quillery::test;

namespace {

// The container of a plain file, in small chunks so that a few hundred bytes make many.
QByteArray containerOf(const QByteArray &plain, quint32 chunkSize, const QString &scratch)
{
    writeFile(scratch, plain);
    FileSource in(scratch);
    const QString out = scratch + QStringLiteral(".sealed");
    SafeFileWriter writer(out);
    encryptInto(in, writer.fd(), out,
                BinderKey(TestPassphrase, BinderKey::newSalt(), KdfLimits::lowest()), chunkSize);
    writer.commit();
    return readFile(out);
}

// The error reading the container gives, or "opened" when it opens.
QString readFault(const QString &path, const QByteArray &bytes)
{
    writeFile(path, bytes);
    try {
        decrypted(path);
        return QStringLiteral("opened");
    } catch (const FileError &error) {
        return error.description();
    }
}

} // namespace

class tst_encryptedbinder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(useOwnTempAndStateFolders(m_folders)); }

    void everyPageKindRoundTrips()
    {
        RuntimeDir runtime;
        REQUIRE_RUNTIME(runtime);
        BinderFixture f;
        const QString path = makeEncrypted(f, "secret.qly", EveryKind, "Open Sesame");
        const QByteArray stored = readFile(path);
        QVERIFY(stored.startsWith("QLYCRYPT"));
        QVERIFY(!stored.contains(EncryptedMarker));

        // The passphrase opens the container, and the binder's own password still guards it.
        f.ui.passphrases << TestPassphrase;
        f.ui.passwords << "Open Sesame";
        auto binder = f.open(path);
        QVERIFY(binder);
        QVERIFY(binder->workingCopy().startsWith("/proc/self/fd/"));
        QCOMPARE(binder->pageCount(), EveryKind.size());
        for (int i = 0; i < EveryKind.size(); ++i)
            QCOMPARE(pageBytes(*binder, i + 1), EveryKind.at(i).second);

        // Without the password inside, the passphrase alone does not open it.
        BinderFixture g;
        g.ui.passphrases << TestPassphrase;
        QVERIFY(!g.open(path));
    }

    void largeBindersRoundTripInAnyChunkSize()
    {
        // Larger than the buffers the container is written and read in, in chunks whose sealed
        // size is not a multiple of the disk's blocks.
        BinderFixture f;
        QByteArray plain((17 << 20) + 333, Qt::Uninitialized);
        for (qsizetype i = 0; i < plain.size(); ++i)
            plain[i] = char((i * 31 + i / 4099) & 0xff);
        for (const quint32 chunkSize : {1000u, ContainerHeader::DefaultChunkSize}) {
            const QByteArray container = containerOf(plain, chunkSize, f.path("scratch"));
            writeFile(f.path("large.qly"), container);
            QVERIFY(decrypted(f.path("large.qly")) == plain);
        }
    }

    void everyChangeToTheChunksIsDetected()
    {
        BinderFixture f;
        // 128 bytes in chunks of 32: four full chunks, the last one FINAL.
        constexpr int Chunk = 32 + ContainerHeader::ChunkOverhead;
        const QByteArray plain(32 * 4, 'q');
        const QByteArray container = containerOf(plain, 32, f.path("scratch"));
        const QString path = f.path("changed.qly");
        const auto flipped = [&](int at, char flip = 1) {
            QByteArray changed = container;
            changed[at] = char(changed[at] ^ flip);
            return changed;
        };
        QCOMPARE(readFault(path, container), QString("opened"));
        for (int offset = 0; offset < container.size(); ++offset) {
            for (const char flip : {'\x01', '\x80'})
                QVERIFY2(readFault(path, flipped(offset, flip)) != u"opened",
                         qPrintable(QStringLiteral("a change at byte %1 went unseen").arg(offset)));
        }

        // A changed first chunk cannot be told from a wrong passphrase; a later one is damage,
        // and so is a chunk moved, repeated, left out or added, or one of another save.
        const QByteArray head = container.left(ContainerHeader::Size);
        const auto chunk = [&](int n) {
            return container.mid(ContainerHeader::Size + n * Chunk, Chunk);
        };
        const QString failsCheck =
            QStringLiteral("The file is damaged: its chunk %1 fails its check");
        const QByteArray other = containerOf(plain, 32, f.path("scratch"));
        const std::pair<QByteArray, QString> cases[] = {
            {flipped(ContainerHeader::Size + 3), ContainerReader::WrongPassphrase},
            {flipped(ContainerHeader::Size + 2 * Chunk + 3), failsCheck.arg(3)},
            {head + chunk(0) + chunk(2) + chunk(1) + chunk(3), failsCheck.arg(2)},
            {head + chunk(0) + chunk(1) + chunk(3), failsCheck.arg(3)},
            {head + chunk(0) + chunk(1) + chunk(2),
             "The file is damaged: it ends after 3 chunks, before its last one"},
            {head + chunk(0) + chunk(1) + chunk(2) + chunk(3).left(10),
             "The file is damaged: it ends inside chunk 4"},
            {container + "x", "The file is damaged: bytes follow its last chunk"},
            {head + other.mid(ContainerHeader::Size), ContainerReader::WrongPassphrase},
        };
        for (const auto &[bytes, fault] : cases)
            QCOMPARE(readFault(path, bytes), fault);

        // A page cut short since the binder was read is refused, never sealed short.
        const QString page = f.file("page", "0123456789");
        PiecesSource pieces({FileRange{page, 0, 4}, FileRange{page, 8, 4}});
        char buffer[8];
        try {
            pieces.read(buffer, 8);
            QFAIL("read past the end of the page");
        } catch (const FileError &error) {
            QCOMPARE(error.description(), "Input past end of file (" + page + ")");
        }
    }

    void aFullDiskFailsTheWriteOnceItIsFull()
    {
        // Chunks are written on a thread of their own; its failure must reach the caller. The
        // file may grow to 1 MiB here: the header goes in, the first chunk does not.
        BinderFixture f;
        writeFile(f.path("plain"), QByteArray(3 << 20, 'p'));
        FileSource plain(f.path("plain"));
        SafeFileWriter out(f.path("sealed"));
        const BinderKey key(TestPassphrase, BinderKey::newSalt(), KdfLimits::lowest());
        const FileSizeLimit full(1 << 20);
        try {
            encryptInto(plain, out.fd(), out.tempPath(), key);
            QFAIL("the full disk went unnoticed");
        } catch (const FileError &error) {
            QCOMPARE(error.number(), int(FileError::DiskFull));
        }
    }

    // Three tries, and a wrong passphrase leaves nothing of the binder behind.
    void wrongPassphraseHasThreeTries()
    {
        RuntimeDir runtime;
        REQUIRE_RUNTIME(runtime);
        BinderFixture f;
        const QString path = makeEncrypted(f, "tries.qly", {{"a.txt", EncryptedMarker}});
        f.dialogs.clear();
        f.ui.passphrases = QStringList{"one", "two", "three", TestPassphrase};
        QVERIFY(!f.open(path));
        QCOMPARE(f.messageTitles(), QStringList(3, "Wrong Passphrase"));
        QVERIFY(f.dialogs.calls().at(0).text.contains("'" + path + "'"));
        QCOMPARE(f.ui.passphrases, QStringList{TestPassphrase}); // a fourth try is never asked for
        QCOMPARE(QDir(runtime.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());

        f.ui.passphrases = QStringList{"wrong", TestPassphrase};
        auto binder = f.open(path);
        QVERIFY(binder);
        QCOMPARE(pageBytes(*binder, 1), EncryptedMarker);
    }

    void otherVersionsAndHostileLimitsAreRefused()
    {
        BinderFixture f;
        const QByteArray container = containerOf("some binder", 64, f.path("scratch"));
        const QString path = f.path("hostile.qly");
        const auto with = [&](int offset, auto value) {
            QByteArray changed = container;
            qToLittleEndian(value, changed.data() + offset);
            return readFault(path, changed);
        };
        const QString version =
            QStringLiteral("It is an encrypted binder of container version %1, "
                           "which this version of Quillery cannot read (it reads "
                           "version 1)");
        QCOMPARE(with(8, quint32(0)), version.arg(0));

        // Asking for 100 GB or a million passes is refused before any key is made.
        const QString limits =
            QStringLiteral("Its key would take %1 passes over %2 KiB of memory to "
                           "make; this program allows 1 to 10 passes over 8 KiB to "
                           "1048576 KiB, so the file is damaged or not made by it");
        QCOMPARE(with(24, quint64(100'000'000'000ULL)),
                 limits.arg(1).arg(100'000'000'000ULL / 1024));
        // Chunks of a few bytes, or of more than 16 MiB, are refused before any is read.
        for (const quint32 size : {15u, (16u << 20) + 1})
            QCOMPARE(with(48, size),
                     QString("The file is damaged: its chunk size of %1 bytes is out of range")
                         .arg(size));
        QCOMPARE(readFault(path, "QLY4" + container.mid(4)),
                 QString("It is not an encrypted binder"));
    }

    // Opening needs no runtime folder; a page another program opens by its name needs one
    // that is the user's alone and in memory, and nothing is written where it is not.
    void namedPagesNeedASafeRuntimeFolder()
    {
        Encrypted e;
        REQUIRE_RUNTIME(e.runtime);
        const QString lead =
            QStringLiteral("The binder is encrypted, and the files of its pages that other "
                           "programs open are kept only in memory, in the user's runtime "
                           "folder: ");
        const auto refusal = [&] {
            e.f.ui.passphrases = QStringList{TestPassphrase};
            const std::unique_ptr<Binder> binder = e.open();
            if (!binder || binder->pageCount() != EveryKind.size())
                return QString("not opened");
            try {
                namedScratchFolder(*e.f.workspace, *binder);
                return QString("not refused");
            } catch (const FileError &error) {
                return error.description();
            }
        };

        qunsetenv("XDG_RUNTIME_DIR");
        QCOMPARE(refusal(), lead + "XDG_RUNTIME_DIR is not set");
        // Open to the user's group.
        const QString open = e.runtime.path() + "/open";
        QVERIFY(QDir().mkdir(open));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(open));
        ::chmod(QFile::encodeName(open).constData(), 0750);
        QCOMPARE(refusal(),
                 lead + open + " (XDG_RUNTIME_DIR) is open to other users (mode 0750, not 0700)");
        const QString link = e.runtime.path() + "/link";
        QVERIFY(QFile::link(e.runtime.path(), link));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(link));
        QCOMPARE(refusal(), lead + link + " (XDG_RUNTIME_DIR) is not a folder");
        // A folder on a disk keeps what is written to it.
        const QString onDisk = e.f.path("run");
        QVERIFY(QDir().mkdir(onDisk));
        ::chmod(QFile::encodeName(onDisk).constData(), 0700);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(onDisk));
        if (QStorageInfo(onDisk).fileSystemType() != "tmpfs")
            QCOMPARE(refusal(), lead + onDisk +
                                    " (XDG_RUNTIME_DIR) is not a memory file system, so the "
                                    "copy would be written to a disk");
        QVERIFY(QDir(onDisk).isEmpty());

        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(e.runtime.path()));
        QCOMPARE(refusal(), QString("not refused"));
    }

    void eachSaveIsWholeAndFreshAndSaveAsChoosesEncryptedOrPlain()
    {
        Encrypted e;
        REQUIRE_RUNTIME(e.runtime);
        auto binder = e.open();
        QVERIFY(binder && !binder->isReadOnly());
        const QByteArray first = readFile(e.path);
        QCOMPARE(readFile(shadowCopyPath(e.path)), first);
        QVERIFY(!readFile(lockNotePath(e.path)).contains(EncryptedMarker));
        // Another instance reads the encrypted shadow copy, its plain copy in memory too.
        auto second = e.open();
        QVERIFY(second && second->isReadOnly());
        QVERIFY(isEncrypted(*second));
        QVERIFY(second->workingCopy().startsWith("/proc/self/fd/"));

        struct stat before;
        ::stat(QFile::encodeName(e.path).constData(), &before);
        binder->markChangedOutsideHistory();
        QVERIFY(saveBinderFile(*e.f.workspace, *binder, e.path));
        const QByteArray saved = readFile(e.path);
        struct stat after;
        ::stat(QFile::encodeName(e.path).constData(), &after);
        QVERIFY(after.st_ino != before.st_ino); // a new file renamed over, never changed in place
        QVERIFY(saved.mid(52, 24) != first.mid(52, 24));
        QVERIFY(saved.mid(ContainerHeader::Size, 64) != first.mid(ContainerHeader::Size, 64));

        // A page whose data was cut short fails the save; the last good file stays.
        QVERIFY(importFile(*e.f.workspace, *binder, e.f.file("late.txt", "late"), PageKind::TXT));
        const QString late = binder->pages().at(binder->pageCount() - 1).key.location;
        QCOMPARE(::truncate(QFile::encodeName(late).constData(), 1), 0);
        QVERIFY(!saveBinderFile(*e.f.workspace, *binder, e.path));
        QCOMPARE(e.f.messageTitles().last(), QString("Save Error"));
        QCOMPARE(readFile(e.path), saved);
        binder->takePages(binder->pageCount(), 1);

        // Save As asks whether the new file is to be encrypted too; Cancel writes nothing.
        e.f.dialogs.queueSaveFile(e.f.path("copy.qly"));
        e.f.dialogs.queueMessage(MsgResult::Cancel);
        QVERIFY(!saveBinderAs(*e.f.workspace, *binder));
        QVERIFY(!QFile::exists(e.f.path("copy.qly")));
        e.f.dialogs.queueSaveFile(e.f.path("copy.qly"));
        e.f.dialogs.queueMessage(MsgResult::Yes);
        QVERIFY(saveBinderAs(*e.f.workspace, *binder));
        QVERIFY(isEncryptedBinderFile(e.f.path("copy.qly")));
        e.f.dialogs.queueSaveFile(e.f.path("open.qly"));
        e.f.dialogs.queueMessage(MsgResult::No);
        QVERIFY(saveBinderAs(*e.f.workspace, *binder));
        QVERIFY(readFile(e.f.path("open.qly")).startsWith("QLY4"));
        QVERIFY(readFile(e.f.path("open.qly")).contains(EncryptedMarker));
        QVERIFY(!isEncrypted(*binder));
        finishRetiringShadowCopies();
    }

    void encryptingNeedsAMatchingPassphraseAndLeavesNoPlainCopy()
    {
        RuntimeDir runtime;
        REQUIRE_RUNTIME(runtime);
        BinderFixture f;
        const QString plain = f.makeBinder("plain.qly", EveryKind);
        auto binder = f.open(plain);
        QVERIFY(binder);
        QVERIFY(!encryptBinder(*f.workspace, *binder, "one", "two"));
        QVERIFY(!encryptBinder(*f.workspace, *binder, "", ""));
        QVERIFY(readFile(plain).contains(EncryptedMarker));

        const QString plainWorkingCopy = binder->workingCopy();
        QVERIFY(encryptBinder(*f.workspace, *binder, TestPassphrase, TestPassphrase));
        QVERIFY(isEncryptedBinderFile(plain));
        QVERIFY(!QFile::exists(plainWorkingCopy));
        finishRetiringShadowCopies();
    }

    // A page deleted from an encrypted binder is held for undo in the binder's memory files
    // while a plain copy is saved, and comes back with undo.
    void aDeletedPageIsHeldThroughAPlainSave()
    {
        Encrypted e;
        REQUIRE_RUNTIME(e.runtime);
        auto binder = e.open();
        QVERIFY(binder);
        const QByteArray second = pageBytes(*binder, 2);
        binder->push(std::make_unique<RemovePagesCommand>(*e.f.workspace, *binder, 2, 1,
                                                          QStringLiteral("Delete")));
        const QString copy = e.f.path("copy.qly");
        e.f.dialogs.queueSaveFile(copy);
        e.f.dialogs.queueMessage(MsgResult::No);
        QVERIFY(saveBinderAs(*e.f.workspace, *binder));
        QVERIFY(readFile(copy).startsWith("QLY4"));
        binder->undo();
        QCOMPARE(pageBytes(*binder, 2), second);
        QVERIFY(saveBinderFile(*e.f.workspace, *binder, copy));
        binder.reset();
        QCOMPARE(pageBytes(*e.f.open(copy), 2), second);
        finishRetiringShadowCopies();
    }

    // A page added and not yet written to has no data file; the binder encrypts all the same.
    void aNewEmptyPageIsEncryptedWithTheRest()
    {
        RuntimeDir runtime;
        REQUIRE_RUNTIME(runtime);
        BinderFixture f;
        const QString path = f.makeBinder("fresh.qly", {{"notes.txt", EncryptedMarker}});
        auto binder = f.open(path);
        QVERIFY(binder);
        addEmptyPage(*f.workspace, *binder, PageKind::RTF);
        QVERIFY(encryptBinder(*f.workspace, *binder, TestPassphrase, TestPassphrase));
        QVERIFY(isEncryptedBinderFile(path));
        binder.reset();
        finishRetiringShadowCopies();
        f.ui.passphrases << TestPassphrase;
        auto reopened = f.open(path);
        QVERIFY(reopened);
        QCOMPARE(reopened->pageCount(), 2);
        QCOMPARE(pageBytes(*reopened, 1), EncryptedMarker);
        QCOMPARE(pageBytes(*reopened, 2), QByteArray());
    }

private:
    QTemporaryDir m_folders;
};

QTEST_GUILESS_MAIN(tst_encryptedbinder)
#include "tst_encryptedbinder.moc"
