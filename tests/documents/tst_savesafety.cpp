// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "TestSupport.h"
#include "documents/BinderSaver.h"
#include "documents/Password.h"
#include "transfer/BinderOpener.h"
#include "transfer/PageImport.h"

#include <QDir>
#include <QProcess>
#include <QTest>

#include <sys/stat.h>

using namespace quillery;
using namespace quillery::test;

namespace {

const QList<QPair<QString, QByteArray>> TwoPages = {{"zebra-secret.txt", "first page"},
                                                    {"two.rtf", "{\\rtf1 second}"}};

ino_t inodeOf(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

// Gives a page new data, as the page editor does: a file of its own in the temporary folder.
void replacePageData(BinderFixture &f, Binder &binder, int row, const QByteArray &bytes)
{
    PageRow page = binder.pages().at(row);
    page.size = bytes.size();
    page.key.offset = -1;
    page.key.length = -1;
    page.key.location = f.file(QStringLiteral("edited-%1.txt").arg(row), bytes);
    binder.updatePage(row + 1, page);
}

// Another program puts a new file where the binder was, as editors and sync tools do.
void replaceOnDisk(const QString &path, const QByteArray &bytes)
{
    const QString staged = path + ".new";
    writeFile(staged, bytes);
    QCOMPARE(QProcess::execute("mv", {staged, path}), 0);
}

} // namespace

class tst_savesafety : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void lockIsTakenBeforeAnythingIsRead()
    {
        BinderFixture f;
        const QString path = f.makeBinder("locked.qly", TwoPages, "Open Sesame");
        const QByteArray before = readFile(path);
        int secondProcess = -1;
        // While this window waits for its password, another program tries to change the
        // binder: it must find it taken.
        f.ui.duringPasswordPrompt = [&] {
            secondProcess = runProgram(QUILLERY_CLI, {"--password", "Open Sesame", "add", path,
                                                      f.file("late.txt", "late")})
                                .code;
        };
        f.ui.passwords << "Open Sesame";
        auto binder = f.open(path);
        QVERIFY(binder);
        QCOMPARE(secondProcess, 1);
        QCOMPARE(readFile(path), before);
        QVERIFY(binder->fileLock().covers(path));
    }

    void fileChangedOnDiskAsksBeforeSaving()
    {
        BinderFixture f;
        const QString path = f.makeBinder("changed.qly", TwoPages);
        auto binder = f.open(path);
        binder->markChangedOutsideHistory();
        QVERIFY(
            saveBinderFile(*f.workspace, *binder, path)); // our own saves never count as changes
        QCOMPARE(f.messageTitles(), QStringList());

        replaceOnDisk(path, "their version");
        binder->markChangedOutsideHistory();
        // Cancel leaves their file alone.
        f.dialogs.queueMessage(MsgResult::Cancel);
        QVERIFY(!saveBinder(*f.workspace, *binder));
        QCOMPARE(f.messageTitles().last(), QString("File Changed on Disk"));
        QCOMPARE(readFile(path), QByteArray("their version"));
        // The default answer saves ours under another name, theirs untouched.
        f.dialogs.queueSaveFile(f.path("ours.qly"));
        QVERIFY(saveBinder(*f.workspace, *binder));
        QCOMPARE(readFile(path), QByteArray("their version"));
        QCOMPARE(binder->fileName(), f.path("ours.qly"));
    }

    void lostPageSourceFailsAndKeepsTheFile_data()
    {
        QTest::addColumn<QByteArray>("leftThere"); // none: the file vanished
        QTest::addColumn<QString>("said");
        QTest::newRow("vanished") << QByteArray() << "is missing";
        QTest::newRow("cut short") << QByteArray("no") << "has 2 bytes instead of 5";
    }

    void lostPageSourceFailsAndKeepsTheFile()
    {
        QFETCH(QByteArray, leftThere);
        QFETCH(QString, said);
        BinderFixture f;
        const QString path = f.makeBinder("lost.qly", TwoPages);
        const QByteArray original = readFile(path);
        auto binder = f.open(path);
        QVERIFY(importFile(*f.workspace, *binder, f.file("notes.txt", "notes"), PageKind::Unknown));
        const QString data = binder->pages().at(2).key.location;
        if (leftThere.isNull())
            QVERIFY(QFile::remove(data));
        else
            writeFile(data, leftThere);
        const QString message = "An error occurred when attempting to save the file '" + path +
                                "' - The data of the page 'notes' " + said + " (" + data + ")";
        QVERIFY(!saveBinderFile(*f.workspace, *binder, path));
        QCOMPARE(readFile(path), original);
        QCOMPARE(f.messageTitles().last(), QString("Save Error"));
        QVERIFY2(f.dialogs.lastText().startsWith(message), qPrintable(f.dialogs.lastText()));
        // A rewrite fails the same way, and leaves no half-written file beside the binder.
        binder->takePages(1, 1);
        QVERIFY(!saveBinderFile(*f.workspace, *binder, path));
        QCOMPARE(readFile(path), original);
        QCOMPARE(QDir(f.dir.path()).entryList({".lost.qly*"}, QDir::Files | QDir::Hidden),
                 QStringList());
        QVERIFY(binder->fileLock().covers(path));
    }

    void removedNamesAndPasswordLeaveTheFile()
    {
        BinderFixture f;
        // Pages large against their records, so that adding one is worth appending.
        const QString path = f.makeBinder(
            "private.qly",
            {{"zebra-secret.txt", QByteArray(20000, 'z')}, {"two.txt", QByteArray(20000, 't')}},
            "Open Sesame");
        QVERIFY(readFile(path).contains("Data="));
        f.ui.passwords << "Open Sesame";
        auto binder = f.open(path);
        QVERIFY(binder);

        PageRow renamed = binder->pages().at(0);
        renamed.name = "plain";
        renamed.comments = "a comment";
        binder->updatePage(1, renamed);
        QVERIFY(saveBinderFile(*f.workspace, *binder, path));
        QVERIFY(!readFile(path).contains("zebra-secret"));

        renamed = binder->pages().at(0); // the save moved where its data is read from
        renamed.comments = "another";
        binder->updatePage(1, renamed);
        // A password is changed only when its confirmation matches.
        QVERIFY(!changePassword(*f.workspace, *binder, "one", "two"));
        QCOMPARE(binder->records().value("Data"), *encodePassword("Open Sesame"));
        QVERIFY(changePassword(*f.workspace, *binder, QString(), QString()));
        binder->markChangedOutsideHistory();
        QVERIFY2(saveBinderFile(*f.workspace, *binder, path), qPrintable(f.dialogs.lastText()));
        const QByteArray saved = readFile(path);
        QVERIFY(!saved.contains("Data="));
        QVERIFY(!saved.contains("a comment"));

        // A comment changed on its own rewrites the file too.
        renamed = binder->pages().at(0);
        renamed.comments = "the third";
        binder->updatePage(1, renamed);
        QVERIFY(saveBinderFile(*f.workspace, *binder, path));
        QVERIFY(!readFile(path).contains("another"));
    }

    void anotherReaderKeepsWhatItWasShownThenSavesAppendInPlace()
    {
        BinderFixture f;
        const QString path =
            f.makeBinder("shared.qly", {{"big.txt", QByteArray(200000, 'b')},
                                        {"old.txt", "OLD-PAGE-" + QByteArray(3000, 'o')},
                                        {"gone.txt", "GONE-PAGE-" + QByteArray(3000, 'g')}});
        auto binder = f.open(path);
        BinderFixture other;
        auto reader = other.open(path);
        QVERIFY(reader && reader->isReadOnly());

        // The reader reads the file through a link of its own: the save leaves that file
        // alone and puts a new one in the binder's place.
        const ino_t inode = inodeOf(path);
        const QByteArray newPage = "NEW-PAGE-" + QByteArray(3000, 'n');
        replacePageData(f, *binder, 1, newPage);
        QVERIFY(saveBinderFile(*f.workspace, *binder, path));
        QVERIFY(inodeOf(path) != inode);
        QVERIFY(!readFile(path).contains("OLD-PAGE-"));
        QCOMPARE(pageBytes(*reader, 2), "OLD-PAGE-" + QByteArray(3000, 'o'));

        // Once the reader is gone, the next save adds to the file in place, and the binder
        // reads its pages where that save put them.
        reader.reset();
        other.temp->deleteRegistered();
        const ino_t rewritten = inodeOf(path);
        replacePageData(f, *binder, 1, "LATER-" + QByteArray(10, 'l'));
        binder->takePages(3, 1);
        QVERIFY(saveBinderFile(*f.workspace, *binder, path));
        QCOMPARE(inodeOf(path), rewritten);
        QCOMPARE(pageBytes(*binder, 1), QByteArray(200000, 'b'));
        QCOMPARE(pageBytes(*binder, 2), "LATER-" + QByteArray(10, 'l'));
    }

    void aRewriteKeepsThePermissions()
    {
        BinderFixture f;
        const QString path = f.makeBinder("kept.qly", {{"a.txt", "a"}, {"b.txt", "b"}});
        // Not 0600, which every new scratch file gets anyway.
        QVERIFY(
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        auto binder = f.open(path);
        binder->takePages(1, 1); // a rewrite, not an append
        QVERIFY(saveBinderFile(*f.workspace, *binder, path));
        QCOMPARE(QFile::permissions(path), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                               QFile::WriteUser | QFile::ReadGroup);
    }

    void storedPasswordIsReversedThreeDigitCodes()
    {
        QCOMPARE(encodePassword("Ab1"), std::optional<QString>("940890560"));
        QCOMPARE(encodePassword(QString::fromUtf8("€")), std::nullopt);
        for (const QString &password : {QString("Secret Words 42!"), QString::fromUtf8("ÿ\x01é")}) {
            QCOMPARE(encodePassword(password)->size(), password.size() * 3);
            QCOMPARE(decodePassword(*encodePassword(password)), password);
        }
        QCOMPARE(decodePassword("12"), QString()); // a damaged record gives no characters
    }
};

QTEST_MAIN(tst_savesafety)
#include "tst_savesafety.moc"
