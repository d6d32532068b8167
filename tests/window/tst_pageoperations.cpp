// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "TestSupport.h"
#include "documents/NewBinder.h"
#include "transfer/PageImport.h"
#include "window/PageOperations.h"
#include "window/PageRename.h"
#include "window/Properties.h"

#include <QTest>

using namespace quillery;
using namespace quillery::test;

namespace {

void addRows(Binder &binder, const QStringList &names, const QString &kind = "TXT")
{
    for (const QString &name : names) {
        PageRow row{name, "made " + name, "Never", name.size(), "about " + name, {}};
        row.key.serial = binder.takeSerial();
        row.key.kind = StoredKind::fromName(kind);
        binder.appendLoadedPages({row});
    }
}

// Every column and the key of each row, in list order.
QStringList rows(const Binder &binder)
{
    QStringList result;
    for (int i = 0; i < binder.pageCount(); ++i) {
        const PageRow &r = binder.pages().at(i);
        result << QStringList{r.name,     r.created,       r.modified, QString::number(r.size),
                              r.comments, r.key.toString()}
                      .join('|');
    }
    return result;
}

QStringList names(const Binder &binder)
{
    QStringList result;
    for (const QString &row : rows(binder))
        result << row.section('|', 0, 0);
    return result;
}

} // namespace

class tst_pageoperations : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void deleteRemovesTheConfirmedPage()
    {
        BinderFixture f;
        Binder binder;
        addRows(binder, {"one", "two", "three", "four", "five"});
        binder.setCurrentPosition(2);
        f.dialogs.queueMessage(MsgResult::No);
        deletePage(*f.workspace, binder, 3);
        QCOMPARE(binder.pageCount(), 5);
        QVERIFY(!binder.isChanged());
        QVERIFY(f.dialogs.takeLast().text.contains("'three'"));

        // The windows hear of every page that becomes current, never of a stale one.
        BinderAnnouncements heard(binder);
        // The page named in the question goes, even when another one was current.
        deletePage(*f.workspace, binder, 3);
        QCOMPARE(names(binder), QStringList({"one", "two", "four", "five"}));
        QCOMPARE(binder.currentPosition(), 1);
        QVERIFY(binder.isChanged());
        QCOMPARE(heard.seen, QStringList({"page 1", "changed true"}));
        QCOMPARE(binder.history().undoText(), QString("Delete Page 'three'"));

        // Down to one page, that page is current; removing the last page leaves no current
        // page behind.
        Binder pair;
        addRows(pair, {"a", "b"});
        removePage(*f.workspace, pair, 2, "Cut Page");
        QCOMPARE(pair.currentPosition(), 1);
        pair.discardChanges();
        BinderAnnouncements heardPair(pair);
        removePage(*f.workspace, pair, 1, "Cut Page");
        QCOMPARE(pair.currentPosition(), 0);
        removePage(*f.workspace, pair, 1, "Cut Page");
        QCOMPARE(heardPair.seen, QStringList({"page 0", "changed true"}));
    }

    // With the question turned off, the page goes at once; undo is there to take it back.
    void deleteWithoutAsking()
    {
        BinderFixture f;
        f.workspace->confirmDeletes = false;
        Binder binder;
        addRows(binder, {"one", "two"});
        deletePage(*f.workspace, binder, 2);
        deleteAllPages(*f.workspace, binder);
        QCOMPARE(binder.pageCount(), 0);
        QCOMPARE(f.messageTitles(), QStringList());
    }

    void deletingForgetsOnlyThePagesOwnDataFile()
    {
        BinderFixture f;
        auto binder = f.open(f.makeBinder("two.qly", {{"a.txt", "AAA"}, {"b.txt", "BBB"}}));
        QVERIFY(importFile(*f.workspace, *binder, f.file("src/c.txt", "CCC"), PageKind::Unknown));
        QVERIFY(importFile(*f.workspace, *binder, f.file("src/d.txt", "DDD"), PageKind::Unknown));
        const QString own = binder->pages().at(2).key.location;
        // A row that shares another's file, and one whose file this program never made.
        PageRow other = binder->pages().at(3);
        binder->appendLoadedPages({other});
        const QString outside = f.file("mine.txt", "mine");
        other.key.location = outside;
        binder->appendLoadedPages({other});

        for (int position : {6, 5, 3, 1})
            removePage(*f.workspace, *binder, position, "Cut Page");
        // Undo can still bring the pages back; once the history lets go, their files go.
        QVERIFY(QFile::exists(own));
        binder->discardChanges();
        QVERIFY(!QFile::exists(own));
        QVERIFY(!f.temp->registered().contains(own));
        QCOMPARE(pageBytes(*binder, 1), QByteArray("BBB"));
        QCOMPARE(pageBytes(*binder, 2), QByteArray("DDD"));
        QCOMPARE(readFile(outside), QByteArray("mine"));
    }

    void deleteAllAsksWithNoAsTheDefault()
    {
        BinderFixture f;
        Binder binder;
        makeNewBinder(*f.workspace, binder, false);
        QVERIFY(importFile(*f.workspace, binder, f.file("src/a.txt", "AAA"), PageKind::Unknown));
        addRows(binder, {"two"});
        binder.setCurrentPosition(2);
        binder.discardChanges();

        deleteAllPages(*f.workspace, binder); // Enter answers No
        QCOMPARE(binder.pageCount(), 2);
        QCOMPARE(f.dialogs.takeLast().buttons, MsgButtons::YesNoDefaultNo);

        const QString data = binder.pages().at(0).key.location;
        f.dialogs.queueMessage(MsgResult::Yes);
        deleteAllPages(*f.workspace, binder);
        QCOMPARE(binder.pageCount(), 0);
        QCOMPARE(binder.currentPosition(), 0);
        QVERIFY(binder.isChanged());
        QVERIFY(QFile::exists(data));
        binder.discardChanges();
        QVERIFY(!QFile::exists(data));
    }

    // Page Properties keeps a colour chosen for the page, and undo takes it back.
    void propertiesKeepTheChosenColour()
    {
        BinderFixture f;
        auto binder = f.open(f.makeBinder("colour.qly", {{"a.txt", "a"}}));
        QVERIFY(binder);
        const QString before = binder->page(1).key.colour;
        applyPageProperties(*f.workspace, *binder, 1, {"a", "", QString("255")});
        QCOMPARE(binder->page(1).key.colour, QString("255"));
        binder->undo();
        QCOMPARE(binder->page(1).key.colour, before);
    }

    void moveKeepsTheRowWholeAndStopsAtTheEnds()
    {
        BinderFixture f;
        Binder binder;
        addRows(binder, {"one", "two", "three", "four", "five"});
        const QString last = rows(binder).at(4);
        BinderAnnouncements heard(binder);

        movePage(binder, 5, MoveDirection::Up);
        movePage(binder, 4, MoveDirection::Up);
        QCOMPARE(names(binder), QStringList({"one", "two", "five", "three", "four"}));
        QCOMPARE(rows(binder).at(2), last);
        QCOMPARE(binder.currentPosition(), 3);
        QVERIFY(binder.isChanged());
        // The moved page stays current as it moves.
        QCOMPARE(heard.seen, QStringList({"page 4", "changed true", "page 3"}));

        movePage(binder, 3, MoveDirection::Down);
        QCOMPARE(names(binder), QStringList({"one", "two", "three", "five", "four"}));
        binder.discardChanges();
        movePage(binder, 1, MoveDirection::Up);
        movePage(binder, 5, MoveDirection::Down);
        QCOMPARE(names(binder), QStringList({"one", "two", "three", "five", "four"}));
        QVERIFY(!binder.isChanged());
    }

    void renameKeepsExtensionsAndRefusesBlankNames()
    {
        struct Case
        {
            const char *kind, *old, *typed, *result; // result null: the name stays
        };
        const Case cases[] = {{"PICTURE", "photo.jpeg", "Holiday", "Holiday.jpeg"},
                              {"PICTURE", "photo.jpeg", "Holiday.png", "Holiday.png"},
                              {"FILE", "README", "notes", "notes"},
                              {"RTF", "Report.v2", "Final", "Final"},
                              {"TXT", "Page 1", "two\r\nlines\nhere", "two lines here"},
                              {"TXT", "Page 1", " \r\n ", nullptr},
                              {"PICTURE", "photo.jpeg", "photo", nullptr}};
        for (const Case &c : cases) {
            BinderFixture f;
            Binder binder;
            addRows(binder, {"first"});
            addRows(binder, {QString::fromLatin1(c.old)}, QString::fromLatin1(c.kind));
            BinderAnnouncements heard(binder);
            beginRename(binder, 2);
            const bool renamed =
                finishRename(*f.workspace, binder, 2, QString::fromLatin1(c.typed));
            QCOMPARE(binder.pages().at(1).name, QString::fromLatin1(c.result ? c.result : c.old));
            QCOMPARE(renamed, c.result != nullptr);
            QCOMPARE(binder.isChanged(), renamed);
            QCOMPARE(heard.seen.size(), renamed ? 1 : 0);
            QVERIFY(binder.nameBeforeRename().isEmpty());
        }
    }
};

QTEST_MAIN(tst_pageoperations)
#include "tst_pageoperations.moc"
