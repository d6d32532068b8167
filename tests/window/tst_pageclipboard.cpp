// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "TestSupport.h"
#include "window/ClipInfo.h"
#include "window/PageClipboard.h"

#include <QTest>

using namespace quillery;
using namespace quillery::test;

namespace {

const QByteArray RtfPage = "{\\rtf1\\ansi Hello \\b world\\b0\\par}";

} // namespace

class tst_pageclipboard : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Names and comments with quotes, commas and line breaks come back as they were; the
    // plain quoted form reads too. Too few or many fields, an open quote, text after a
    // closing one or a second line are refused.
    void clipInfoReadsBackWhatItWroteAndRefusesOthers()
    {
        const ClipInfo hostile{"say \"hi\", then \"\"go\"\"", "a, \"b\"\r\nsecond line", "RTF",
                               "-2147483643"};
        const std::optional<ClipInfo> back = ClipInfo::parse(hostile.toLine());
        QVERIFY(back);
        QCOMPARE(back->name, hostile.name);
        QCOMPARE(back->comments, hostile.comments);
        QCOMPARE(back->colour, hostile.colour);
        const ClipInfo scripts{"Страница 日本語 ✓", "", "TXT", "NA"};
        QCOMPARE(ClipInfo::parse(scripts.toLine())->name, scripts.name);

        const auto plain =
            ClipInfo::parse("\"Notes, June\",\"with ''quotes''\",\"HTML\",\"NA\"\r\n");
        QVERIFY(plain);
        QCOMPARE(plain->name, QString("Notes, June"));
        QCOMPARE(plain->comments, QString("with ''quotes''"));
        for (const char *line : {"\"a\",\"b\",\"RTF\"\r\n", "\"a\",\"b\",\"RTF\",\"0\",\"x\"\r\n",
                                 "\"a\",\"b\",\"RTF\",\"0", "\"a\"x,\"b\",\"RTF\",\"0\"",
                                 "\"a\",\"b\",\"RTF\",\"0\"\r\nmore", ""})
            QVERIFY2(!ClipInfo::parse(line), line);
    }

    // A copied page outlives its binder; each paste makes a page with a file of its own.
    void pastingTwiceMakesTwoPagesWithTheirOwnFiles()
    {
        BinderFixture f;
        auto source = f.open(f.makeBinder("a.qly", {{"Greeting.rtf", RtfPage}}));
        PageRow named = source->pages().at(0);
        named.name = "He said \"no\", twice";
        named.comments = "\"quoted\", with comma";
        source->updatePage(1, named);
        QVERIFY(copyPage(*f.workspace, *source, 1));
        source.reset();

        Binder target;
        target.setNextSerial(41);
        // Into a binder without pages the pasted page becomes current; later ones do not.
        QVERIFY(pastePage(*f.workspace, target));
        QCOMPARE(target.currentPosition(), 1);
        QVERIFY(pastePage(*f.workspace, target));
        QCOMPARE(target.currentPosition(), 1);
        QCOMPARE(target.pageCount(), 2);
        const PageRow &first = target.pages().at(0);
        const PageRow &second = target.pages().at(1);
        QCOMPARE(first.name, named.name);
        QCOMPARE(first.comments, named.comments);
        QCOMPARE(first.key.colour, named.key.colour);
        QCOMPARE(first.key.kind.name(), QString("RTF"));
        QCOMPARE(first.key.serial, qint64(41));
        QCOMPARE(second.key.serial, qint64(42));
        QVERIFY(first.key.location != second.key.location);
        QVERIFY(f.temp->registered().contains(second.key.location));
        QCOMPARE(pageBytes(target, 1), RtfPage);
        QCOMPARE(pageBytes(target, 2), RtfPage);
    }

    void aFailedCopyKeepsThePageCopiedBefore()
    {
        BinderFixture f;
        auto a = f.open(f.makeBinder(
            "a.qly", {{"small.txt", "small page"}, {"big.txt", QByteArray(64 * 1024, 'x')}}));
        QVERIFY(copyPage(*f.workspace, *a, 1));
        {
            FileSizeLimit full(16 * 1024);
            QVERIFY(!copyPage(*f.workspace, *a, 2));
            // A cut whose copy failed deletes nothing.
            cutPage(*f.workspace, *a, 2);
        }
        QCOMPARE(a->pageCount(), 2);
        QCOMPARE(f.messageTitles(), QStringList({"Copy Error", "Copy Error"}));
        QVERIFY(f.dialogs.lastText().contains("ClipData.tmp"));
        Binder b;
        QVERIFY(pastePage(*f.workspace, b));
        QCOMPARE(b.pages().at(0).name, QString("small"));
        QCOMPARE(pageBytes(b, 1), QByteArray("small page"));
    }

    void cutRemovesThePageWithoutAsking()
    {
        BinderFixture f;
        auto a =
            f.open(f.makeBinder("a.qly", {{"one.txt", "1"}, {"two.txt", "2"}, {"three.txt", "3"}}));
        a->setCurrentPosition(3); // not the page cut
        cutPage(*f.workspace, *a, 2);
        QCOMPARE(a->pageCount(), 2);
        QCOMPARE(a->pages().at(1).name, QString("three"));
        QCOMPARE(a->currentPosition(), 1);
        QVERIFY(f.messageTitles().isEmpty());
        // Pasted back, it goes last; the page the user looks at stays current.
        a->setCurrentPosition(2);
        QVERIFY(pastePage(*f.workspace, *a));
        QCOMPARE(a->pages().at(2).name, QString("two"));
        QCOMPARE(a->currentPosition(), 2);
    }

    void pasteRefusesWhatIsNotAPage()
    {
        BinderFixture f;
        Binder b;
        QVERIFY(!pastePage(*f.workspace, b)); // nothing copied: silent
        QVERIFY(f.dialogs.calls().isEmpty());

        writeFile(f.temp->filePath(ClipDataName), "data");
        writeFile(f.temp->filePath(ClipInfoName), "\"x\",\"\",\"EXE\",\"NA\"\r\n");
        QVERIFY(!pastePage(*f.workspace, b));
        writeFile(f.temp->filePath(ClipInfoName), "garbage");
        QVERIFY(!pastePage(*f.workspace, b));
        QCOMPARE(b.pageCount(), 0);
        QCOMPARE(f.messageTitles(), QStringList({"Paste Error", "Paste Error"}));
        QVERIFY(f.temp->registered().isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_pageclipboard)
#include "tst_pageclipboard.moc"
