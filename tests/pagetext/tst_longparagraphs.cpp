// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextDocumentSupport.h"
#include "pagetext/LongParagraphs.h"

#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

using namespace quillery;
using namespace quillery::test;

namespace {

QString word(qsizetype length)
{
    QString text(length, Qt::Uninitialized);
    for (qsizetype i = 0; i < length; ++i)
        text[i] = QChar(char16_t(u'a' + i % 26));
    return text;
}

// Words of five letters and a space, about length characters.
QString prose(qsizetype length)
{
    QString text;
    while (text.size() < length)
        text += word(5) + u' ';
    return text;
}

int longestParagraph(const QTextDocument &doc)
{
    int longest = 0;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        longest = qMax(longest, block.length() - 1);
    return longest;
}

} // namespace

class tst_longparagraphs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void aLongWordIsCutIntoShortPiecesAndJoinsAgain()
    {
        const QString text = u"Before.\n"_qs + word(300'000) + u"\nAfter."_qs;
        QTextDocument doc;
        doc.setPlainText(text);
        QCOMPARE(cutLongParagraphs(doc), 299);
        QCOMPARE(longestParagraph(doc), RunLimit);
        QVERIFY(continuesParagraph(doc.firstBlock().next().next()));
        QVERIFY(!continuesParagraph(doc.lastBlock()));
        // Cut once, a document has nothing more to cut.
        QCOMPARE(cutLongParagraphs(doc), 0);

        const std::unique_ptr<QTextDocument> joined(doc.clone());
        joinCutParagraphs(*joined);
        QCOMPARE(joined->toPlainText(), text);
    }

    void proseIsCutOnlyBetweenWordsAndOnlyWhenLong()
    {
        QTextDocument doc;
        const QString shortText = prose(ParagraphLimit - 10) + u'\n' + word(RunLimit);
        doc.setPlainText(shortText);
        QCOMPARE(cutLongParagraphs(doc), 0);

        const QString text = prose(5 * ParagraphLimit);
        doc.setPlainText(text);
        QCOMPARE(cutLongParagraphs(doc), 5);
        QVERIFY(longestParagraph(doc) <= ParagraphLimit);
        // Every piece but the last ends where a line may break (after a space), as late as
        // it can.
        for (QTextBlock block = doc.begin(); block.next().isValid(); block = block.next())
            QVERIFY(block.text().endsWith(u' ') && block.length() - 1 > ParagraphLimit - 7);
        // Copied, the pieces are one paragraph again, from anywhere to anywhere.
        QTextCursor selection(&doc);
        selection.select(QTextCursor::Document);
        QCOMPARE(uncutText(selection), text);
        selection.setPosition(10);
        selection.setPosition(doc.characterCount() - 1 - 10, QTextCursor::KeepAnchor);
        QCOMPARE(uncutText(selection), text.mid(10, text.size() - 20));
        joinCutParagraphs(doc);
        QCOMPARE(doc.toPlainText(), text);
    }

    void cutsNeverPartALetterFromItsMarks()
    {
        // Letters outside the first plane (two UTF-16 halves, the first one character in)
        // and letters with combining accents, with no place to break.
        const QString pairs = u"x"_qs + u"\U0001D400"_qs.repeated(3 * RunLimit);
        const QString accents = u"e\u0301\u0302"_qs.repeated(RunLimit);
        for (const QString &text : {pairs, accents}) {
            QTextDocument doc;
            doc.setPlainText(text);
            QVERIFY(cutLongParagraphs(doc) > 0);
            for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
                const QChar first = block.text().at(0);
                QVERIFY(!first.isLowSurrogate() && !first.isMark());
                QVERIFY(block.length() - 1 <= RunLimit);
            }
            joinCutParagraphs(doc);
            QCOMPARE(doc.toPlainText(), text);
        }
    }

    void piecesReadOnFromTheParagraphAndJoinToItsFormat()
    {
        QTextDocument doc;
        QTextCursor cursor(&doc);
        cursor.insertText("Intro");
        QTextBlockFormat item;
        item.setTopMargin(7);
        item.setBottomMargin(9);
        item.setTextIndent(20);
        item.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        cursor.insertBlock(item);
        QTextListFormat bullets;
        bullets.setIndent(2);
        QTextList *list = cursor.createList(bullets);
        cursor.insertText(word(2500));
        const QTextBlockFormat original = cursor.blockFormat();
        cursor.insertBlock();
        cursor.insertText("Second item");

        QCOMPARE(cutLongParagraphs(doc), 2);
        const QTextBlock first = blockOf(doc, "abc");
        const QTextBlock middle = first.next();
        const QTextBlock last = middle.next();
        QCOMPARE(first.textList(), list);
        QCOMPARE(first.blockFormat().bottomMargin(), 0.0);
        QCOMPARE(first.blockFormat().pageBreakPolicy(),
                 QTextFormat::PageBreakFlags(QTextFormat::PageBreak_AlwaysBefore));
        QCOMPARE(list->count(), 2); // the pieces have no bullets of their own
        for (const QTextBlock &piece : {middle, last}) {
            QVERIFY(continuesParagraph(piece));
            QCOMPARE(piece.blockFormat().indent(), 2); // as far in as the list item's text
            QCOMPARE(piece.blockFormat().textIndent(), 0.0);
            // A piece goes on where the one before it ends, not on a sheet of its own.
            QCOMPARE(piece.blockFormat().pageBreakPolicy(),
                     QTextFormat::PageBreakFlags(QTextFormat::PageBreak_Auto));
        }
        QCOMPARE(last.blockFormat().bottomMargin(), 9.0);

        joinCutParagraphs(doc);
        QCOMPARE(paragraphs(doc), QStringList({"Intro", word(2500), "Second item"}));
        QCOMPARE(blockOf(doc, "abc").blockFormat().properties(), original.properties());
    }

    void tableCellsAreCutInsideTheirCells()
    {
        QTextDocument doc;
        QTextCursor cursor(&doc);
        QTextTable *table = cursor.insertTable(1, 2);
        table->cellAt(0, 0).firstCursorPosition().insertText(word(3 * RunLimit));
        table->cellAt(0, 1).firstCursorPosition().insertText("next cell");
        QCOMPARE(cutLongParagraphs(doc), 2);
        QCOMPARE(table->cellAt(0, 1).firstCursorPosition().block().text(), QString("next cell"));
        QVERIFY(table->cellAt(0, 0).lastCursorPosition().block() !=
                table->cellAt(0, 0).firstCursorPosition().block());
        joinCutParagraphs(doc);
        QCOMPARE(table->cellAt(0, 0).firstCursorPosition().block().text(), word(3 * RunLimit));
    }

    void longRunsAreFoundWithoutCutting()
    {
        QTextDocument doc;
        doc.setPlainText(prose(3 * ParagraphLimit) + u'\n' + word(RunLimit));
        QVERIFY(!hasLongRuns(doc));
        doc.setPlainText(u"short\n"_qs + word(RunLimit + 1));
        QVERIFY(hasLongRuns(doc));
        QCOMPARE(doc.blockCount(), 2);
    }
};

QTEST_MAIN(tst_longparagraphs)
#include "tst_longparagraphs.moc"
