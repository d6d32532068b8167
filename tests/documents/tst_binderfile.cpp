// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArchiveSupport.h"
#include "BinderFixture.h"
#include "TestSupport.h"
#include "documents/BinderCheck.h"
#include "documents/BinderSaver.h"
#include "documents/CompanionFiles.h"
#include "documents/LumpArchive.h"
#include "documents/NewBinder.h"
#include "platform/FileIo.h"
#include "platform/PlainText.h"
#include "transfer/BinderImport.h"
#include "transfer/BinderOpener.h"
#include "transfer/PageImport.h"

#include <QTest>

#include <sys/stat.h>

using namespace quillery;
using namespace quillery::test;

namespace {

InfoRecords recordsOf(const QString &binderPath)
{
    InfoRecords records;
    records.loadText(LumpArchive("QLY4").readNamedLump(binderPath, "QUILLERY"));
    return records;
}

QList<QByteArray> lumpContents(const QString &binderPath)
{
    LumpArchive archive("QLY4");
    archive.open(binderPath);
    QList<QByteArray> lumps;
    for (int i = 2; i <= archive.lumpCount(); ++i)
        lumps << archive.lump(i).name + ':' +
                     LumpArchive::readBytes(binderPath, archive.lump(i).offset,
                                            archive.lump(i).length);
    return lumps;
}

// The bytes of the file that no lump or directory entry takes.
qint64 unusedBytes(const QString &binderPath)
{
    const QVector<Lump> lumps = LumpArchive::readDirectory(binderPath, "QLY4");
    qint64 used = 12 + lumps.size() * 16;
    for (const Lump &lump : lumps)
        used += lump.length;
    return QFileInfo(binderPath).size() - used;
}

const QList<QPair<QString, QByteArray>> ThreePages = {
    {"one.txt", "first page"}, {"two.rtf", "{\\rtf1 second}"}, {"three.png", "PNGDATA"}};

} // namespace

class tst_binderfile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void aBinderOfNoPagesIsItsRecordsAlone()
    {
        BinderFixture f;
        const QString path = f.makeBinder("empty.qly", {});
        QCOMPARE(lumpContents(path), QList<QByteArray>());
        auto empty = f.open(path);
        QVERIFY(empty);
        QCOMPARE(empty->pageCount(), 0);
    }

    void savesAndReopensPagesInListOrder()
    {
        BinderFixture f;
        const QString path = f.makeBinder("three.qly", ThreePages);
        auto binder = f.open(path);
        QVERIFY(binder);
        QCOMPARE(binder->pageCount(), 3);
        QCOMPARE(binder->pages().at(2).key.kind.name(), QString("PICTURE"));
        QCOMPARE(binder->nextSerial(), 4);

        // Pages and their records are saved in the order of the list.
        binder->movePage(3, 1);
        QVERIFY(saveBinderFile(*f.workspace, *binder, path));
        QCOMPARE(lumpContents(path).first(), QByteArray("PICTURE:PNGDATA"));
        const InfoRecords records = recordsOf(path);
        QCOMPARE(records.value("Page1"), QString("three.png"));
        QCOMPARE(records.value("Colour1"), QString("NA"));
    }

    // The Details view's comments column takes the binder's own caption, and follows it.
    void commentsColumnTakesTheBindersCaption()
    {
        BinderFixture f;
        auto binder = f.open(f.makeBinder("caption.qly", {{"a.txt", "a"}}));
        QVERIFY(binder);
        binder->setRecord("CommentsCol", "Notes");
        const auto caption = [&] {
            return binder->pages()
                .headerData(PageList::CommentsColumn, Qt::Horizontal, Qt::DisplayRole)
                .toString();
        };
        QCOMPARE(caption(), QString("Notes"));
        binder->setRecord("CommentsCol", "Remarks");
        QCOMPARE(caption(), QString("Remarks"));
    }

    void theCurrentPageComesBackOnOpening()
    {
        BinderFixture f;
        const QString path = f.makeBinder("three.qly", ThreePages);
        for (int position : {2, 3}) {
            auto binder = f.open(path);
            binder->setCurrentPosition(position);
            QVERIFY(saveBinderFile(*f.workspace, *binder, path));
            binder.reset();
            QCOMPARE(f.open(path)->currentPosition(), position);
        }
    }

    void saveAsMovesTheLockWithTheBinder()
    {
        BinderFixture f;
        const QString path = f.makeBinder("cmd.qly", ThreePages);
        auto binder = f.open(path);
        // Save As a new name moves the lock and the companions with the binder, and a
        // recovered binder is no longer so.
        binder->setCaptionNote(" [Recovered]");
        f.dialogs.queueSaveFile(f.path("moved"));
        QVERIFY(saveBinderAs(*f.workspace, *binder));
        QCOMPARE(binder->caption(), "New File 1 (" + f.path("moved.qly") + ")");
        QVERIFY(!QFile::exists(lockNotePath(path)));
        QVERIFY(QFile::exists(lockNotePath(f.path("moved.qly"))));
        QVERIFY(!FileLock::isHeldElsewhere(path));
    }

    void savingAppendsAndNeverWastesAQuarter()
    {
        BinderFixture f;
        // Pages large enough against their records that appending is worth it.
        const QString path = f.makeBinder("grow.qly", {{"one.txt", QByteArray(20000, '1')},
                                                       {"two.rtf", QByteArray(20000, '2')},
                                                       {"three.png", QByteArray(20000, '3')}});
        auto binder = f.open(path);
        // Opening copied nothing: the pages are read through another name of the file.
        QVERIFY(fileio::sameFile(binder->workingCopy(), path));

        QVERIFY(importFile(*f.workspace, *binder, f.file("four.txt", "fourth page"),
                           PageKind::Unknown));
        const QString importedCopy = binder->pages().at(3).key.location;
        QVERIFY(saveBinderFile(*f.workspace, *binder, path));
        QCOMPARE(recordsOf(path).value("Page4"), QString("four"));
        // The new page is read from the binder file from now on.
        QVERIFY(QFile::remove(importedCopy));
        QCOMPARE(pageBytes(*binder, 4), QByteArray("fourth page"));
        QVERIFY(checkBinder(path).isEmpty());

        // Saving again and again never leaves more than a quarter of the file unused.
        const QList<QByteArray> pages = lumpContents(path);
        for (int i = 0; i < 40; ++i) {
            binder->markChangedOutsideHistory();
            QVERIFY(saveBinderFile(*f.workspace, *binder, path));
            QVERIFY(unusedBytes(path) * 4 <= QFileInfo(path).size());
        }
        QCOMPARE(lumpContents(path), pages);
    }

    void lockNoteAndShadowCopyLetOthersOnlyRead()
    {
        QCOMPARE(lockNotePath("/home/Docs/Plans.QLY"), QString("/home/Docs/~plans.qd"));
        QCOMPARE(shadowCopyPath("/home/Docs/Plans.QLY"), QString("/home/Docs/$plans.qd"));

        BinderFixture f;
        const QString path = f.makeBinder("Locked.qly", ThreePages);
        auto binder = f.open(path);
        QCOMPARE(readFile(lockNotePath(path)), QByteArray("tester"));
        QCOMPARE(readFile(shadowCopyPath(path)), readFile(path));
        QVERIFY(FileLock::isHeldElsewhere(path));
        finishRetiringShadowCopies();
        const QByteArray before = readFile(path);

        // Another instance, with its own temporary folder and author, may only read it, and
        // changes nothing beside it; saving takes it to Save As.
        BinderFixture other;
        other.workspace->authorName = "someone else";
        auto reader = other.open(path);
        QVERIFY(reader && reader->isReadOnly());
        QVERIFY(other.dialogs.calls().first().text.contains("in use by tester"));
        QCOMPARE(pageBytes(*reader, 3), QByteArray("PNGDATA"));
        QCOMPARE(readFile(lockNotePath(path)), QByteArray("tester"));
        other.dialogs.queueSaveFile(other.path("mine.qly"));
        QVERIFY(saveBinderFile(*other.workspace, *reader, path));
        QCOMPARE(readFile(path), before);
        QCOMPARE(lumpContents(other.path("mine.qly")), lumpContents(path));

        // Closing lets go.
        binder.reset();
        QVERIFY(!FileLock::isHeldElsewhere(path));
    }

    void damagedBindersGiveOpenError()
    {
        BinderFixture f;
        const QString good = f.makeBinder("good.qly", ThreePages);
        const QByteArray bytes = readFile(good);
        // Every truncation of a sound binder, and a few hostile record sets.
        QList<QByteArray> damaged;
        for (int cut = 0; cut < bytes.size(); cut += 7)
            damaged << bytes.left(cut);
        for (const char *records :
             {"Pages=2000000000\n", "Pages=-1\n", "Pages=lots\n", "\x01\x02"}) {
            writeArchive(f.path("hostile.qly"), {{"QUILLERY", QByteArray(records)}, {"TXT", "x"}});
            damaged << readFile(f.path("hostile.qly"));
        }

        for (const QByteArray &content : std::as_const(damaged)) {
            const QString path = f.path("damaged.qly");
            writeFile(path, content);
            f.dialogs.clear();
            QVERIFY(!f.open(path));
            QCOMPARE(f.messageTitles(), QStringList{"Open Error"});
            QVERIFY(f.dialogs.calls().first().text.startsWith(
                "An error occurred when trying to open the file '" + path + "' - "));
            QVERIFY(!FileLock::isHeldElsewhere(path));

            // Importing it is refused the same way, and adds nothing.
            f.dialogs.clear();
            Binder into;
            QVERIFY(!importBinderFile(*f.workspace, into, path));
            QCOMPARE(into.pageCount(), 0);
            QCOMPARE(f.messageTitles(), QStringList{"Import Quillery Error"});
        }

        // A binder cut short says so in the user's words, not the format's.
        writeFile(f.path("cut.qly"), bytes.left(bytes.size() - 10));
        f.dialogs.clear();
        QVERIFY(!f.open(f.path("cut.qly")));
        const QString text = f.dialogs.calls().first().text;
        QVERIFY2(text.contains("cut short") && !text.contains("lump"), qPrintable(text));
    }

    void aBinderIsKnownByItsHeaderNotItsName()
    {
        BinderFixture f;
        // Saved under a name without ".qly", it opens as the binder it is.
        const QString named = f.makeBinder("notes.txt", ThreePages);
        QVERIFY(isBinderFile(named));
        auto binder = f.open(named);
        QVERIFY(binder);
        QCOMPARE(binder->fileName(), named);
        QCOMPARE(pageBytes(*binder, 2), QByteArray("{\\rtf1 second}"));

        // Any other file, whatever its name, is a page.
        const QString plain = f.file("plain.txt", "QLY is not a header");
        QVERIFY(!isBinderFile(plain));
        auto page = f.open(plain);
        QVERIFY(page);
        QCOMPARE(page->fileName(), QString());
        QCOMPARE(pageBytes(*page, 1), QByteArray("QLY is not a header"));
        QCOMPARE(::mkfifo(QFile::encodeName(f.path("pipe.qly.txt")).constData(), 0600), 0);
        QVERIFY(!isBinderFile(f.path("pipe.qly.txt")));
    }

    void newFileDetectionAndPlainText()
    {
        BinderFixture f;
        Binder startup;
        makeNewBinder(*f.workspace, startup, true);
        QVERIFY(isUntouchedNewBinder(startup, 3));
        startup.markChangedOutsideHistory();
        QVERIFY(!isUntouchedNewBinder(startup, 3));
        startup.discardChanges();
        startup.setRecord("Title", "Renamed");
        QVERIFY(!isUntouchedNewBinder(startup, 3));

        QCOMPARE(decodePlainText("caf\xc3\xa9 \xe2\x82\xac"),
                 QString::fromUtf8("caf\u00e9 \u20ac"));
        // Not UTF-8: the bytes Windows would have written, euro sign and curly quotes too.
        QCOMPARE(decodePlainText("caf\xe9 \x80 \x93x\x94"),
                 QString::fromUtf8("caf\u00e9 \u20ac \u201cx\u201d"));
    }
};

QTEST_GUILESS_MAIN(tst_binderfile)
#include "tst_binderfile.moc"
