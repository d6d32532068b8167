// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "TestSupport.h"
#include "documents/BinderSaver.h"
#include "documents/LumpArchive.h"
#include "documents/NewBinder.h"
#include "documents/NewPage.h"
#include "transfer/BinderImport.h"
#include "transfer/BinderOpener.h"
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
        NewFile(*f.workspace, binder, false);
        const int tempFiles = QDir(f.temp->path()).count();
        QVERIFY(!ImportFile(*f.workspace, binder, f.path("missing.txt"), PageKind::Unknown));
        QVERIFY(!ImportFile(*f.workspace, binder, f.dir.path(), PageKind::Unknown));
        QCOMPARE(binder.pageCount(), 0);
        QCOMPARE(QDir(f.temp->path()).count(), tempFiles);
        QCOMPARE(f.messageTitles(), QStringList({"Import Error", "Import Error"}));
        QVERIFY(f.dialogs.calls().first().text.startsWith(
            "An error occurred when trying to import the file '" + f.path("missing.txt") + "' - "));

        struct Case
        {
            const char *file;
            const char *kind;
            const char *name;
        };
        const Case cases[] = {{"Letter.RTF", "RTF", "Letter"},
                              {"photo.jpeg", "PICTURE", "photo.jpeg"},
                              {"data.bin", "FILE", "data.bin"},
                              {"readme", "FILE", "readme"},
                              {"report.final.txt", "TXT", "report.final"},
                              {"empty.html", "HTML", "empty"}};
        for (const Case &c : cases) {
            const QByteArray bytes =
                QByteArray(c.file) == "empty.html" ? QByteArray() : QByteArray(c.file);
            QVERIFY(ImportFile(*f.workspace, binder, f.file(QString::fromLatin1(c.file), bytes),
                               PageKind::Unknown));
            const PageRow &row = binder.pages.at(binder.pageCount() - 1);
            QCOMPARE(row.key.kind.name(), QString::fromLatin1(c.kind));
            QCOMPARE(row.name, QString::fromLatin1(c.name));
            QCOMPARE(row.modified, QString("Never"));
            QCOMPARE(pageData(row.key), bytes);
        }
        QCOMPARE(binder.pages.at(0).key.colour, QString("-2147483643"));
        QCOMPARE(binder.pages.at(1).key.colour, QString("NA"));
        QCOMPARE(binder.pages.data(binder.pages.index(5, PageList::SizeColumn), Qt::DisplayRole),
                 QVariant("0"));
        QCOMPARE(binder.CurIndex(), 0);
        QVERIFY(binder.Changed());
        // Each page's data is a registered copy, so changing the source changes nothing.
        writeFile(f.path("Letter.RTF"), "changed");
        QCOMPARE(GetLumpString(binder, "1"), QByteArray("Letter.RTF"));
        QVERIFY(f.temp->registered().contains(binder.pages.at(0).key.location));
    }

    void importDialogAndNewPages()
    {
        BinderFixture f;
        Binder binder;
        NewFile(*f.workspace, binder, true);
        f.dialogs.queueOpenFile(f.file("notes.txt", "plain words"));
        ImportDialog(*f.workspace, binder, PageKind::RTF);
        QCOMPARE(binder.pageCount(), 2);
        QCOMPARE(binder.CurIndex(), 2);
        QCOMPARE(binder.page(2).key.kind.name(), QString("RTF"));
        QCOMPARE(GetLumpString(binder), QByteArray("plain words"));
        QCOMPARE(f.dialogs.calls().first().file.title, QString("Import a Rich Text Format File"));
        ImportDialog(*f.workspace, binder, PageKind::SOUND); // cancelled
        QCOMPARE(binder.pageCount(), 2);

        // New pages are named by their place and numbered on from the next key.
        binder.setNextKey(7);
        binder.setChanged(false);
        NewIcon(binder, PageKind::RTF);
        NewIcon(binder, PageKind::TXT);
        QCOMPARE(binder.pages.at(3).name, QString("Page 4"));
        QCOMPARE(binder.pages.at(3).key.toString(), QString("8?"
                                                            "??TXT?"
                                                            "?NA"));
        QCOMPARE(binder.CurIndex(), 4);
        QVERIFY(binder.Changed());
        QCOMPARE(GetLumpString(binder), QByteArray());
        QCOMPARE(readFile(writeBlankHtml(*f.workspace)), QByteArray("<html></html>\n"));
    }

    void folderImportAddsEveryFileAndCanCancel()
    {
        BinderFixture f;
        Binder binder;
        NewFile(*f.workspace, binder, false);
        QDir().mkpath(f.path("empty"));
        f.dialogs.queueFolder(f.path("empty"));
        importFolder(*f.workspace, binder);
        QCOMPARE(binder.pageCount(), 0);
        QCOMPARE(f.ui.progressCaptions, QStringList{"Importing " + f.path("empty")});

        for (int i = 0; i < 5; ++i)
            f.file(QString("many/f%1.txt").arg(i), "x");
        QDir().mkpath(f.path("many/sub"));
        // A FIFO would block the import for ever: only regular files are taken.
        QCOMPARE(::mkfifo(QFile::encodeName(f.path("many/pipe")).constData(), 0600), 0);
        f.dialogs.queueFolder(f.path("many"));
        importFolder(*f.workspace, binder);
        QCOMPARE(binder.pageCount(), 5);
        QCOMPARE(binder.CurIndex(), 0);

        f.ui.cancelProgressAfter = 2;
        f.dialogs.queueFolder(f.path("many"));
        importFolder(*f.workspace, binder);
        QCOMPARE(binder.pageCount(), 7);
        QVERIFY(f.dialogs.calls().last().text.startsWith("Please choose a &folder to import"));
    }

    void exportWritesBytesUnchangedAndReplaces()
    {
        BinderFixture f;
        const QByteArray picture("\x89PNG\r\n\x1a\n\0\0binary", 16);
        auto binder =
            f.open(f.makeBinder("exp.qly", {{"pic.png", picture}, {"Plans: Q3.txt", ""}}));
        binder->setCurIndex(1);
        const QString target = f.file("out.png", QByteArray(1000, 'z'));
        f.dialogs.queueSaveFile(target);
        ExportFile(*f.workspace, *binder, "Selected Page", "*");
        QCOMPARE(readFile(target), picture);
        QCOMPARE(f.dialogs.calls().last().file.fileName, QString("pic.png"));

        binder->setCurIndex(2);
        f.dialogs.queueSaveFile(f.path("empty.txt"));
        ExportFile(*f.workspace, *binder, "HTML", "htm;*.html;*.php");
        QCOMPARE(f.dialogs.calls().last().file.filter,
                 QString("HTML (*.htm;*.html;*.php)|*.htm;*.html;*.php|All files (*.*)|*.*"));
        // Proposed as extract names it: with the page's own extension, safe to save at once.
        QCOMPARE(f.dialogs.calls().last().file.fileName, QString("Plans; Q3.txt"));
        QVERIFY(QFile::exists(f.path("empty.txt")));
        QCOMPARE(readFile(f.path("empty.txt")), QByteArray());

        f.dialogs.queueSaveFile(f.path("no-folder/x.txt"));
        ExportFile(*f.workspace, *binder, "Text Document", "txt");
        QCOMPARE(f.messageTitles().last(), QString("Export Error"));

        // A name from someone else's binder never proposes a hidden file or an option.
        for (const auto &[name, proposed] :
             {std::pair<QString, QString>{".profile", "_.profile.txt"},
              {"-rf\n\x1b[1m", "_-rf[1m.txt"}}) {
            PageRow row = binder->pages.at(1);
            row.name = name;
            binder->pages.replace(1, row);
            ExportFile(*f.workspace, *binder, "Text Document", "txt");
            QCOMPARE(f.dialogs.calls().last().file.fileName, proposed);
        }
    }

    void expBinMakesUniqueScratchFiles()
    {
        BinderFixture f;
        auto binder = f.open(f.makeBinder("css.qly", {{"style.css", "body{}"}}));
        binder->setCurIndex(1);
        const QString first = ExpBin(*f.workspace, *binder, "style.css", 0);
        QCOMPARE(readFile(first), QByteArray("body{}"));
        const QString second = ExpBin(*f.workspace, *binder, "style.css", 1);
        QVERIFY(first.startsWith(f.temp->filePath("style")));
        QVERIFY(second != first);
        QCOMPARE(readFile(second), QByteArray("body{}"));
        QVERIFY(f.temp->registered().contains(second));
        QCOMPARE(ExpBin(*f.workspace, *binder, "x", 7), QString());
    }

    void importBinderAppendsPagesAndKeepsSettings()
    {
        BinderFixture f;
        const QString other =
            f.makeBinder("other.qly", {{"a.txt", "A"}, {"b.txt", "B"}, {"c.png", "C"}});
        auto target = f.open(f.makeBinder("target.qly", {{"one.txt", "1"}, {"two.txt", "2"}}));
        target->setRecord("Title", "Mine");
        f.dialogs.queueOpenFile(other);
        ImportQLY(*f.workspace, *target);
        QCOMPARE(target->pageCount(), 5);
        QStringList names;
        for (int i = 0; i < 5; ++i)
            names << target->pages.at(i).name;
        QCOMPARE(names, QStringList({"one", "two", "a", "b", "c.png"}));
        QCOMPARE(target->title(), QString("Mine"));
        QVERIFY(target->Changed());
        QSet<qint64> serials;
        for (int i = 0; i < 5; ++i)
            serials.insert(target->pages.at(i).key.serial);
        QCOMPARE(serials.size(), 5);

        // Saving writes the imported pages' data into the binder.
        QVERIFY(SavFile(*f.workspace, *target, target->CurFile()));
        target.reset();
        auto reopened = f.open(f.path("target.qly"));
        QCOMPARE(GetLumpString(*reopened, "5"), QByteArray("C"));

        // Cancel stops the import after the page it was pressed on.
        f.ui.cancelProgressAfter = 2;
        QVERIFY(importBinderFile(*f.workspace, *reopened, other));
        QCOMPARE(reopened->pageCount(), 7);
    }

    void importBinderWithPasswordOrNoPages()
    {
        BinderFixture f;
        const QString locked = f.makeBinder("locked.qly", {{"s.txt", "secret"}}, "Pass");
        const QString empty = f.makeBinder("empty.qly", {});
        Binder binder;
        NewFile(*f.workspace, binder, false);

        QVERIFY(!importBinderFile(*f.workspace, binder, locked)); // prompt cancelled
        QCOMPARE(binder.pageCount(), 0);
        QVERIFY(!binder.Changed());
        QCOMPARE(f.ui.passwordLabels, QStringList{"&Enter the password to import this file:"});

        f.ui.passwords = {"pass", "Pass"};
        QVERIFY(importBinderFile(*f.workspace, binder, locked));
        QCOMPARE(f.messageTitles(), QStringList{"Incorrect Password Entered"});
        QCOMPARE(GetLumpString(binder, "1"), QByteArray("secret"));

        binder.setChanged(false);
        QVERIFY(importBinderFile(*f.workspace, binder, empty));
        QCOMPARE(binder.pageCount(), 1);
        QVERIFY(binder.Changed());

        writeFile(f.path("junk.qly"), "QLY4 junk");
        QVERIFY(!importBinderFile(*f.workspace, binder, f.path("junk.qly")));
        QCOMPARE(f.messageTitles().last(), QString("Import Quillery Error"));
    }
};

QTEST_GUILESS_MAIN(tst_pagetransfer)
#include "tst_pagetransfer.moc"
