// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "TestSupport.h"
#include "documents/BinderSaver.h"
#include "documents/LumpArchive.h"
#include "documents/NewBinder.h"
#include "transfer/BinderImport.h"
#include "transfer/BinderOpener.h"
#include "transfer/DroppedFiles.h"
#include "transfer/PageExport.h"
#include "transfer/PageImport.h"

#include <QTest>

#include <sys/stat.h>

using namespace quillery;
using namespace quillery::test;

class tst_pagetransfer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void importNamesPagesByKindOrAddsNothing()
    {
        BinderFixture f;
        Binder binder;
        makeNewBinder(*f.workspace, binder, false);
        const int tempFiles = QDir(f.temp->path()).count();
        QVERIFY(!importFile(*f.workspace, binder, f.path("missing.txt"), PageKind::Unknown));
        QVERIFY(!importFile(*f.workspace, binder, f.dir.path(), PageKind::Unknown));
        QCOMPARE(binder.pageCount(), 0);
        QCOMPARE(QDir(f.temp->path()).count(), tempFiles);
        QCOMPARE(f.messageTitles(), QStringList({"Import Error", "Import Error"}));
        QVERIFY(f.dialogs.calls().first().text.startsWith(
            "An error occurred when trying to import the file '" + f.path("missing.txt") + "' - "));

        const std::tuple<QString, QString, QString> cases[] = {
            {"Letter.RTF", "RTF", "Letter"},
            {"photo.jpeg", "PICTURE", "photo.jpeg"},
            {"report.final.txt", "TXT", "report.final"},
            {"empty.html", "HTML", "empty"}};
        for (const auto &[file, kind, name] : cases) {
            const QByteArray bytes = name == "empty" ? QByteArray() : file.toUtf8();
            QVERIFY(importFile(*f.workspace, binder, f.file(file, bytes), PageKind::Unknown));
            const PageRow &row = binder.pages().at(binder.pageCount() - 1);
            QCOMPARE(row.key.kind.name(), kind);
            QCOMPARE(row.name, name);
            QCOMPARE(pageData(row.key), bytes);
        }
        QCOMPARE(binder.pages().at(0).key.colour, QString("-2147483643"));
        QCOMPARE(binder.pages().at(1).key.colour, QString("NA"));
        QVERIFY(binder.isChanged());
        // Each page's data is a registered copy, so changing the source changes nothing.
        writeFile(f.path("Letter.RTF"), "changed");
        QCOMPARE(pageBytes(binder, 1), QByteArray("Letter.RTF"));
        QVERIFY(f.temp->registered().contains(binder.pages().at(0).key.location));
    }

    void folderImportAddsEveryFileAndCanCancel()
    {
        BinderFixture f;
        Binder binder;
        makeNewBinder(*f.workspace, binder, false);
        for (int i = 0; i < 5; ++i)
            f.file(QString("many/f%1.txt").arg(i), "x");
        QDir().mkpath(f.path("many/sub"));
        // A FIFO would block the import for ever: only regular files are taken.
        QCOMPARE(::mkfifo(QFile::encodeName(f.path("many/pipe")).constData(), 0600), 0);
        f.dialogs.queueFolder(f.path("many"));
        importFolder(*f.workspace, binder);
        QCOMPARE(binder.pageCount(), 5);

        f.ui.cancelProgressAfter = 2;
        f.dialogs.queueFolder(f.path("many"));
        importFolder(*f.workspace, binder);
        QCOMPARE(binder.pageCount(), 7);
    }

    // A cancelled drop leaves the binder as it was, its copies gone; a file that vanished
    // since it was dropped and a FIFO are named in one message, and the rest still arrive.
    void droppedFilesCancelToNothingAndNameWhatFailed()
    {
        BinderFixture f;
        auto binder = f.open(f.makeBinder("b.qly", {{"one.txt", "1"}}));
        QStringList files;
        for (int i = 0; i < 30; ++i)
            files << f.file(QString("drop/f%1.txt").arg(i), "x");
        const QStringList scratchBefore = QDir(f.temp->path()).entryList(QDir::Files);
        f.ui.cancelProgressAfter = 10;
        QCOMPARE(importDroppedFiles(*f.workspace, *binder, files, 1), 0);
        QCOMPARE(binder->pageCount(), 1);
        QCOMPARE(binder->history().count(), 0);
        QVERIFY(!binder->isChanged());
        QCOMPARE(QDir(f.temp->path()).entryList(QDir::Files), scratchBefore);
        QVERIFY(f.dialogs.calls().isEmpty());

        f.ui.cancelProgressAfter = -1;
        // A FIFO is only looked at: opened, a read from it would wait for a writer.
        const QString fifo = f.path("drop/pipe.txt");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const QStringList some{files.at(0), f.path("drop/gone.txt"), fifo, files.at(1)};
        QCOMPARE(importDroppedFiles(*f.workspace, *binder, some, 99), 2);
        QCOMPARE(binder->pageCount(), 3);
        QCOMPARE(binder->page(3).name, QString("f1"));
        QVERIFY(f.dialogs.lastText().contains("'" + f.path("drop/gone.txt") + "' does not exist"));
        QVERIFY(f.dialogs.lastText().contains("'" + fifo + "' is not a regular file"));
        QCOMPARE(binder->history().undoText(), QString("Import 2 Files"));
    }

    void exportWritesBytesUnchangedAndReplaces()
    {
        BinderFixture f;
        const QByteArray picture("\x89PNG\r\n\x1a\n\0\0binary", 16);
        auto binder =
            f.open(f.makeBinder("exp.qly", {{"pic.png", picture}, {"Plans: Q3.txt", ""}}));
        binder->setCurrentPosition(1);
        const QString target = f.file("out.png", QByteArray(1000, 'z'));
        f.dialogs.queueSaveFile(target);
        exportCurrentPage(*f.workspace, *binder, "Selected Page", "*");
        QCOMPARE(readFile(target), picture);
        QCOMPARE(f.dialogs.calls().last().file.fileName, QString("pic.png"));

        binder->setCurrentPosition(2);
        f.dialogs.queueSaveFile(f.path("empty.txt"));
        exportCurrentPage(*f.workspace, *binder, "HTML", "htm;*.html;*.php");
        QVERIFY(QFile::exists(f.path("empty.txt")));
        QCOMPARE(readFile(f.path("empty.txt")), QByteArray());

        f.dialogs.queueSaveFile(f.path("no-folder/x.txt"));
        exportCurrentPage(*f.workspace, *binder, "Text Document", "txt");
        QCOMPARE(f.messageTitles().last(), QString("Export Error"));

        // A name from someone else's binder never proposes an option or forges a line.
        PageRow row = binder->pages().at(1);
        row.name = "-rf\n\x1b[1m";
        binder->updatePage(2, row);
        exportCurrentPage(*f.workspace, *binder, "Text Document", "txt");
        QCOMPARE(f.dialogs.calls().last().file.fileName, QString("_-rf[1m.txt"));
    }

    void importBinderAppendsPagesAndKeepsSettings()
    {
        BinderFixture f;
        const QString other =
            f.makeBinder("other.qly", {{"a.txt", "A"}, {"b.txt", "B"}, {"c.png", "C"}});
        auto target = f.open(f.makeBinder("target.qly", {{"one.txt", "1"}, {"two.txt", "2"}}));
        target->setRecord("Title", "Mine");
        f.dialogs.queueOpenFile(other);
        importBinder(*f.workspace, *target);
        QCOMPARE(target->pageCount(), 5);
        QStringList names;
        QSet<qint64> serials;
        for (int i = 0; i < 5; ++i) {
            names << target->pages().at(i).name;
            serials.insert(target->pages().at(i).key.serial);
        }
        QCOMPARE(names, QStringList({"one", "two", "a", "b", "c.png"}));
        QCOMPARE(serials.size(), 5);
        QCOMPARE(target->title(), QString("Mine"));
        QVERIFY(target->isChanged());

        // Saving writes the imported pages' data into the binder.
        QVERIFY(saveBinderFile(*f.workspace, *target, target->fileName()));
        target.reset();
        auto reopened = f.open(f.path("target.qly"));
        QCOMPARE(pageBytes(*reopened, 5), QByteArray("C"));

        // Cancel stops the import after the page it was pressed on.
        f.ui.cancelProgressAfter = 2;
        QVERIFY(importBinderFile(*f.workspace, *reopened, other));
        QCOMPARE(reopened->pageCount(), 7);
    }

    void importBinderWithPasswordOrNoPages()
    {
        BinderFixture f;
        const QString locked = f.makeBinder("locked.qly", {{"s.txt", "secret"}}, "Pass");
        Binder binder;
        makeNewBinder(*f.workspace, binder, false);

        QVERIFY(!importBinderFile(*f.workspace, binder, locked)); // prompt cancelled
        QCOMPARE(binder.pageCount(), 0);
        QVERIFY(!binder.isChanged());

        f.ui.passwords = {"pass", "Pass"};
        QVERIFY(importBinderFile(*f.workspace, binder, locked));
        QCOMPARE(f.messageTitles(), QStringList{"Incorrect Password Entered"});
        QCOMPARE(pageBytes(binder, 1), QByteArray("secret"));
    }
};

QTEST_GUILESS_MAIN(tst_pagetransfer)
#include "tst_pagetransfer.moc"
