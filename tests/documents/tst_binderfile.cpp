// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArchiveSupport.h"
#include "BinderFixture.h"
#include "TestSupport.h"
#include "documents/BinderCheck.h"
#include "documents/BinderSaver.h"
#include "documents/CompanionFiles.h"
#include "documents/LumpArchive.h"
#include "documents/NewBinder.h"
#include "documents/SizeText.h"
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
    records.loadText(LumpArchive("QLY4").ReadNamedLump(binderPath, "QUILLERY"));
    return records;
}

QList<QByteArray> lumpContents(const QString &binderPath)
{
    LumpArchive archive("QLY4");
    archive.OpenArchive(binderPath);
    QList<QByteArray> lumps;
    for (int i = 2; i <= archive.lumpCount(); ++i)
        lumps << archive.lump(i).name + ':' +
                     LumpArchive::ReadBytes(binderPath, archive.lump(i).offset,
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
    void newAndEmptyBinders()
    {
        BinderFixture f;
        Binder binder;
        NewFile(*f.workspace, binder, true);
        QCOMPARE(binder.title(), QString("New File 1"));
        QCOMPARE(binder.pageCount(), 1);
        QCOMPARE(binder.pages.at(0).name, QString("Page 1"));
        QCOMPARE(binder.pages.at(0).key.kind.name(), QString("RTF"));
        QCOMPARE(binder.pages.at(0).key.colour, QString("-2147483643"));
        QCOMPARE(binder.NextKey(), 2);
        QCOMPARE(binder.records().value("RTFFontName"), QString("Times New Roman"));
        QCOMPARE(binder.records().value("SelPage"), QString("1"));
        QCOMPARE(binder.records().value("Author"), QString("tester"));
        QVERIFY(!binder.Changed());
        Binder second;
        NewFile(*f.workspace, second, false);
        QCOMPARE(second.WCaption(), QString("New File 2"));
        QCOMPARE(second.records().value("SelPage"), InfoRecords::NotFound);

        // A binder of no pages is its records alone.
        const QString path = f.makeBinder("empty.qly", {});
        QCOMPARE(lumpContents(path), QList<QByteArray>());
        QCOMPARE(recordsOf(path).value("Pages"), QString("0"));
        auto empty = f.open(path);
        QVERIFY(empty);
        QCOMPARE(empty->pageCount(), 0);
        QCOMPARE(empty->CurIndex(), 0);
        QVERIFY(f.dialogs.calls().isEmpty());
    }

    void savesAndReopensPagesInListOrder()
    {
        BinderFixture f;
        const QString path = f.makeBinder("three.qly", ThreePages);
        auto binder = f.open(path);
        QVERIFY(binder);
        QCOMPARE(binder->pageCount(), 3);
        QCOMPARE(binder->pages.at(0).name, QString("one"));
        QCOMPARE(binder->pages.at(2).name, QString("three.png"));
        QCOMPARE(binder->pages.at(2).key.kind.name(), QString("PICTURE"));
        QCOMPARE(binder->pages.at(1).key.colour, QString("-2147483643"));
        QCOMPARE(binder->NextKey(), 4);
        // Per-page records live in the page list while the binder is open.
        QCOMPARE(binder->records().value("Page1"), InfoRecords::NotFound);
        QCOMPARE(binder->records().value("LastSavedBy"), QString("tester"));
        QVERIFY(binder->OpenNum.isHeld());
        QVERIFY(!binder->Changed());
        binder->setCurIndex(2);
        int position = 0;
        QCOMPARE(GetInfo(*binder, 3, position), QString("RTF"));
        QCOMPARE(position, 2);
        QCOMPARE(GetLumpString(*binder), QByteArray("{\\rtf1 second}"));

        // Saving an unchanged binder gives the same lumps, again and again.
        const QList<QByteArray> before = lumpContents(path);
        QVERIFY(SavFile(*f.workspace, *binder, path));
        QVERIFY(SavFile(*f.workspace, *binder, path));
        QCOMPARE(lumpContents(path), before);

        // Pages and their records are saved in the order of the list.
        binder->pages.move(2, 0);
        binder->setChanged(true);
        QVERIFY(SavFile(*f.workspace, *binder, path));
        QCOMPARE(lumpContents(path).first(), QByteArray("PICTURE:PNGDATA"));
        const InfoRecords records = recordsOf(path);
        QCOMPARE(records.value("Page1"), QString("three.png"));
        QCOMPARE(records.value("Colour1"), QString("NA"));
        QCOMPARE(records.value("Colour3"), QString("-2147483643"));

        // A new page that never got data reads as empty without touching any file.
        PageRow row;
        row.key = PageKey::parse("99?"
                                 "??TXT??NA");
        binder->pages.append(row);
        QCOMPARE(GetLumpString(*binder, "4"), QByteArray());
    }

    void saveCommandWritesOnlyWhatChanged()
    {
        BinderFixture f;
        const QString path = f.makeBinder("cmd.qly", ThreePages);
        auto binder = f.open(path);
        const QDateTime stamp = QFileInfo(path).lastModified();
        QTest::qWait(20);
        QVERIFY(SaveCommand(*f.workspace, *binder));
        QCOMPARE(QFileInfo(path).lastModified(), stamp);

        // A binder without a file goes to Save As; cancelling writes nothing.
        Binder fresh;
        NewFile(*f.workspace, fresh, true);
        QVERIFY(!SaveCommand(*f.workspace, fresh));
        const DialogCall ask = f.dialogs.calls().last();
        QCOMPARE(ask.file.title, QString("Save Quillery ('New File 2')"));
        // A binder is only known again by its extension: "notes.txt" is saved as "notes.txt.qly".
        QVERIFY(ask.file.requireFilterExtension);

        // Save As a new name moves the lock and the companions with the binder, and a
        // recovered binder is no longer so.
        binder->setCaptionNote(" [Recovered]");
        f.dialogs.queueSaveFile(f.path("moved"));
        QVERIFY(SaveAsCommand(*f.workspace, *binder));
        QCOMPARE(binder->WCaption(), "New File 1 (" + f.path("moved.qly") + ")");
        QVERIFY(!QFile::exists(lockNotePath(path)));
        QVERIFY(QFile::exists(lockNotePath(f.path("moved.qly"))));
        QVERIFY(!FileLock::isHeldElsewhere(path));
    }

    void savingAppendsAndErasesWhatGoes()
    {
        BinderFixture f;
        // Pages large enough against their records that appending is worth it.
        const QByteArray marker = "{\\rtf1 second page}";
        const QString path = f.makeBinder("grow.qly", {{"one.txt", QByteArray(20000, '1')},
                                                       {"two.rtf", marker + QByteArray(20000, ' ')},
                                                       {"three.png", QByteArray(20000, '3')}});
        auto binder = f.open(path);
        // Opening copied nothing: the pages are read through another name of the file.
        QVERIFY(fileio::sameFile(binder->workingCopy, path));
        const QVector<Lump> before = LumpArchive::readDirectory(path, "QLY4");

        // Unchanged pages keep their bytes where they are; new pages and records follow.
        PageKind kind = PageKind::Unknown;
        QVERIFY(ImportFile(*f.workspace, *binder, f.file("four.txt", "fourth page"), kind));
        const QString importedCopy = binder->pages.at(3).key.location;
        QVERIFY(SavFile(*f.workspace, *binder, path));
        const QVector<Lump> after = LumpArchive::readDirectory(path, "QLY4");
        QCOMPARE(after.size(), 5);
        for (int i = 1; i <= 3; ++i)
            QCOMPARE(after[i].offset, before[i].offset);
        QVERIFY(after[4].offset > before.last().offset);
        QCOMPARE(recordsOf(path).value("Page4"), QString("four"));
        // The new page is read from the binder file from now on.
        QVERIFY(QFile::remove(importedCopy));
        QCOMPARE(GetLumpString(*binder, "4"), QByteArray("fourth page"));
        QVERIFY(checkBinder(path).isEmpty());

        // Saving again and again never leaves more than a quarter of the file unused.
        const QList<QByteArray> pages = lumpContents(path);
        for (int i = 0; i < 40; ++i) {
            binder->setChanged(true);
            QVERIFY(SavFile(*f.workspace, *binder, path));
            QVERIFY(unusedBytes(path) * 4 <= QFileInfo(path).size());
        }
        QCOMPARE(lumpContents(path), pages);

        // A removed page's bytes are gone from the file, whether it was added to or rewritten.
        binder->pages.remove(1);
        QVERIFY(SavFile(*f.workspace, *binder, path));
        QVERIFY(!readFile(path).contains(marker));
        QVERIFY(fileio::sameFile(binder->workingCopy, path));
        binder.reset();
        BinderFixture reader;
        auto reopened = reader.open(path);
        QVERIFY(reopened);
        QCOMPARE(reopened->pageCount(), 3);
        QCOMPARE(GetLumpString(*reopened, "3"), QByteArray("fourth page"));
    }

    void saveCutShortLeavesTheBinderAsItWas()
    {
        BinderFixture f;
        const QString path = f.makeBinder("cut.qly", ThreePages);
        const QList<QByteArray> pages = lumpContents(path);
        // A save killed before the header turned to its new directory leaves its bytes
        // after the end of the binder, and nothing else changed.
        writeFile(path, readFile(path) + QByteArray(5000, 'z'));
        QVERIFY(checkBinder(path).isEmpty());
        auto binder = f.open(path);
        QCOMPARE(GetLumpString(*binder, "3"), QByteArray("PNGDATA"));
        binder->setChanged(true);
        QVERIFY(SavFile(*f.workspace, *binder, path));
        QCOMPARE(unusedBytes(path), 0);
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
        const QDateTime shadowTime = QFileInfo(shadowCopyPath(path)).lastModified();
        const QStringList filesBefore = QDir(f.dir.path()).entryList(QDir::Files | QDir::Hidden);

        // Another instance, with its own temporary folder and author, may only read it, and
        // changes nothing beside it; saving takes it to Save As.
        BinderFixture other;
        other.workspace->authorName = "someone else";
        auto reader = other.open(path);
        QVERIFY(reader && reader->ro());
        QVERIFY(!reader->OpenNum.isHeld());
        QVERIFY(other.dialogs.calls().first().text.startsWith(
            "The file you have opened is in use by tester.  You will not be able"));
        QCOMPARE(GetLumpString(*reader, "3"), QByteArray("PNGDATA"));
        QCOMPARE(readFile(lockNotePath(path)), QByteArray("tester"));
        QCOMPARE(QFileInfo(shadowCopyPath(path)).lastModified(), shadowTime);
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files | QDir::Hidden), filesBefore);
        other.dialogs.queueSaveFile(other.path("mine.qly"));
        QVERIFY(SavFile(*other.workspace, *reader, path));
        QCOMPARE(readFile(path), before);
        QCOMPARE(lumpContents(other.path("mine.qly")), lumpContents(path));

        // Saving replaces the shadow copy; the old one goes in the background. Closing lets go.
        binder->pages.remove(0);
        QVERIFY(SavFile(*f.workspace, *binder, path));
        finishRetiringShadowCopies();
        QCOMPARE(readFile(shadowCopyPath(path)), readFile(path));
        QCOMPARE(QDir(f.dir.path()).entryList({".*"}, QDir::Files | QDir::Hidden), QStringList());
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

        f.dialogs.clear();
        QVERIFY(!f.open(f.path("missing.qly")));
        QVERIFY(f.dialogs.calls().first().text.endsWith(", 53"));
    }

    void aBinderIsKnownByItsHeaderNotItsName()
    {
        BinderFixture f;
        // Saved under a name without ".qly", it opens as the binder it is, from the window and
        // from the tool alike.
        const QString named = f.makeBinder("notes.txt", ThreePages);
        QVERIFY(isBinderFile(named));
        auto binder = f.open(named);
        QVERIFY(binder);
        QCOMPARE(binder->CurFile(), named);
        QCOMPARE(binder->pageCount(), 3);
        QCOMPARE(GetLumpString(*binder, "2"), QByteArray("{\\rtf1 second}"));
        QVERIFY(binder->OpenNum.covers(named));
        const ProgramRun listed = runProgram(QUILLERY_CLI, {"list", named});
        QCOMPARE(listed.code, 0);
        QVERIFY(listed.out.contains("three"));

        // Any other file, whatever its name, is a page; one that starts like a binder but is
        // cut short is a damaged binder, and a ".qly" name still means a binder.
        const QString plain = f.file("plain.txt", "QLY is not a header");
        QVERIFY(!isBinderFile(plain));
        auto page = f.open(plain);
        QVERIFY(page);
        QCOMPARE(page->CurFile(), QString());
        QCOMPARE(page->CurIndex(), 1);
        QVERIFY(!page->Changed());
        QCOMPARE(page->pages.at(0).name, QString("plain"));
        QCOMPARE(GetLumpString(*page, "1"), QByteArray("QLY is not a header"));
        f.dialogs.clear();
        QVERIFY(!f.open(f.file("cut.txt", "QLY4\x01")));
        QCOMPARE(f.messageTitles(), QStringList{"Open Error"});
        QVERIFY(isBinderFile(f.path("missing.QLY")));
        QVERIFY(!isBinderFile(f.path("qly")));
        QCOMPARE(::mkfifo(QFile::encodeName(f.path("pipe.qly.txt")).constData(), 0600), 0);
        QVERIFY(!isBinderFile(f.path("pipe.qly.txt")));
    }

    void recordsPaneAndCaptionAnnounceTheirChanges()
    {
        Binder binder;
        QStringList heard;
        QObject::connect(&binder, &Binder::recordChanged,
                         [&](const QString &key) { heard << key; });
        QObject::connect(&binder, &Binder::textFormatsChanged, [&] { heard << "formats"; });
        QObject::connect(&binder, &Binder::panePositionChanged, [&] { heard << "pane"; });

        // The same value again, or removing what is gone, says nothing.
        binder.setRecord("LVView", "2");
        binder.setRecord("LVView", "2");
        binder.removeRecord("LVView");
        binder.removeRecord("LVView");
        InfoRecords formats;
        formats.write("TXTFontSize", "14");
        binder.setTextFormats(formats);
        binder.setTextFormats(formats);
        binder.setPanePosition(PanePosition::ListRight, 3828);
        binder.setPanePosition(PanePosition::ListRight, 3828);
        binder.setPaneLength(100);
        binder.editRecords([](InfoRecords &records) { records.write("Pages", 0); });
        QCOMPARE(heard, QStringList({"LVView", "LVView", "TXTFontSize", "formats", "pane", "pane",
                                     QString()}));
        QVERIFY(!binder.records().contains("LVView"));
        QCOMPARE(binder.records().value("TXTFontSize"), QString("14"));
        QCOMPARE(binder.panePosition(), PanePosition::ListRight);
        QCOMPARE(binder.paneLength(), 100);

        int captions = 0;
        QObject::connect(&binder, &Binder::captionChanged, [&] { ++captions; });
        binder.setRecord("Title", "Notes");
        QCOMPARE(binder.WCaption(), QString("Notes"));
        binder.setReadOnly(true); // no file yet: nothing to say it of
        QCOMPARE(binder.WCaption(), QString("Notes"));
        binder.setCurFile("/b/notes.qly");
        binder.setCaptionNote(" [Recovered]");
        QCOMPARE(binder.WCaption(), QString("Notes (/b/notes.qly) [Read-Only] [Recovered]"));
        binder.setReadOnly(false);
        binder.setCaptionNote(QString());
        binder.setRecord("Title", "Plans");
        QCOMPARE(binder.WCaption(), QString("Plans (/b/notes.qly)"));
        QCOMPARE(captions, 6);
    }

    void sizeTextNewFileDetectionAndPlainText()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(GetSize(12345), QString("12,345"));

        BinderFixture f;
        Binder startup;
        NewFile(*f.workspace, startup, true);
        QVERIFY(IsNewFile(startup, 3));
        QVERIFY(!IsNewFile(startup, 2));
        startup.setChanged(true);
        QVERIFY(!IsNewFile(startup, 3));
        startup.setChanged(false);
        startup.setRecord("Title", "Renamed");
        QVERIFY(!IsNewFile(startup, 3));

        QCOMPARE(decodePlainText("caf\xc3\xa9 \xe2\x82\xac"),
                 QString::fromUtf8("caf\u00e9 \u20ac"));
        // Not UTF-8: the bytes Windows would have written, euro sign and curly quotes too.
        QCOMPARE(decodePlainText("caf\xe9 \x80 \x93x\x94"),
                 QString::fromUtf8("caf\u00e9 \u20ac \u201cx\u201d"));
    }
};

QTEST_GUILESS_MAIN(tst_binderfile)
#include "tst_binderfile.moc"
