// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform_ui/ParagraphLayout.h"
#include "platform_ui/RichTextBox.h"

#include "support/ui/LayoutEdits.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <functional>
#include <memory>

using namespace quillery;

namespace {

const QString Sentence = QStringLiteral("The quick brown fox jumps over the lazy dog. ");
constexpr qreal PageWidth = 420;

int startOf(const QTextDocument &doc, int paragraph)
{
    return doc.findBlockByNumber(paragraph).position();
}

// A large page in an editable box on the screen, shown before Qt's layout of it is done.
struct LargePage
{
    RichTextBox box;
    ParagraphLayout *layout;

    LargePage()
    {
        QByteArray rtf = "{\\rtf1 ";
        for (int n = 0; n < 4000; ++n)
            rtf += "Paragraph " + QByteArray::number(n) + " of a long page, " +
                   Sentence.repeated(3).toLatin1() + "\\par ";
        box.resize(600, 400);
        box.setRtf(rtf + '}');
        box.show();
        layout = qobject_cast<ParagraphLayout *>(box.document()->documentLayout());
    }

    // How much of the page is laid out, in characters.
    int laidOut() const { return layout->layoutStatus() * box.document()->characterCount() / 100; }
};

QTextCursor cursorAt(QTextDocument &doc, int paragraph, int offset)
{
    QTextCursor cursor(&doc);
    cursor.setPosition(startOf(doc, paragraph) + offset);
    return cursor;
}

// An edit at an offset from the start of a paragraph: typing the text, or something else.
struct Edit
{
    const char *what;
    int paragraph;
    int offset;
    QString text;
    bool alone;
    std::function<void(QTextCursor &)> other = {};
};

} // namespace

class tst_paragraphlayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Edits laid out alone, and the edits that need Qt's pass after them, leave every line
    // where Qt would have put it, one after another on the same page.
    void editsLeaveLinesWhereQtPutsThem()
    {
        QTextCharFormat red;
        red.setForeground(Qt::red);
        QTextCharFormat large;
        large.setFontPointSize(30);
        const QList<Edit> edits = {
            {"a letter at the start of a plain paragraph", 0, 0, "A", true},
            {"a word in an indented, centred paragraph", 1, 50, "word ", true},
            {"a letter in a paragraph with spaced lines", 2, 7, "e", true},
            {"a letter beside a picture", 3, 1, "p", true},
            {"a letter in a list item", 4, 3, "l", true},
            {"a word coloured",
             0,
             5,
             {},
             true,
             [&red](QTextCursor &cursor) {
                 cursor.setPosition(10, QTextCursor::KeepAnchor);
                 cursor.mergeCharFormat(red);
             }},
            {"a paragraph indented further",
             1,
             0,
             {},
             false,
             [](QTextCursor &cursor) {
                 QTextBlockFormat format = cursor.blockFormat();
                 format.setIndent(2);
                 cursor.setBlockFormat(format);
             }},
            {"a letter in the empty paragraph before a table", 5, 0, "b", false},
            {"a word in a table cell, which widens its column", 6, 2, "widerwiderwiderwider",
             false},
            {"a letter in a larger size",
             0,
             20,
             {},
             false,
             [&large](QTextCursor &cursor) {
                 cursor.insertText(QStringLiteral("L"), large);
             }},
            {"a letter at the start of a paragraph, marks left behind", 0, 0, "B", true},
            {"then at its end, so that it takes more lines", 1, -1, Sentence.repeated(3), false},
            {"a letter far down the page, marks left behind", 150, 0, "D", true},
            {"then a letter at the top", 0, 0, "C", true},
            {"then a new paragraph between them",
             200,
             1,
             {},
             false,
             [](QTextCursor &cursor) {
                 cursor.insertBlock();
             }},
            {"two letters deleted at the top",
             0,
             1,
             {},
             false,
             [](QTextCursor &cursor) {
                 cursor.setPosition(3, QTextCursor::KeepAnchor);
                 cursor.removeSelectedText();
             }},
        };
        const std::unique_ptr<QTextDocument> doc = test::editablePage(PageWidth);
        auto *layout = qobject_cast<ParagraphLayout *>(doc->documentLayout());
        QVERIFY(layout);
        QSignalSpy updates(layout, &QAbstractTextDocumentLayout::update);
        for (const Edit &edit : edits) {
            const int aloneBefore = layout->paragraphsLaidOutAlone();
            updates.clear();
            QTextCursor cursor = cursorAt(*doc, edit.paragraph, edit.offset);
            const int at = cursor.position();
            if (edit.other)
                edit.other(cursor);
            else
                cursor.insertText(edit.text);
            const QString differ = test::layoutDifferences(*doc);
            QVERIFY2(differ.isEmpty(),
                     qPrintable(QLatin1String(edit.what) + QStringLiteral(": ") + differ));
            QVERIFY2((layout->paragraphsLaidOutAlone() > aloneBefore) == edit.alone, edit.what);
            if (edit.alone) {
                // The edited paragraph is painted again.
                const QRectF painted = updates.constLast().constFirst().toRectF();
                QVERIFY2(painted.contains(layout->blockBoundingRect(doc->findBlock(at))),
                         edit.what);
            }
        }
    }

    // Typing that first goes alone and then needs Qt's pass, in each paragraph down a stretch
    // of the page long enough to hold one of its marks.
    void passesAfterTypingStartWhereMarksFellBehind()
    {
        const std::unique_ptr<QTextDocument> doc = test::editablePage(PageWidth);
        for (int number = 14; number < 150; ++number) {
            cursorAt(*doc, number + 1, 0).insertText(QStringLiteral("AB"));
            cursorAt(*doc, number, 0).insertText(QStringLiteral("AB"));
            cursorAt(*doc, number + 1, -1).insertText(Sentence.repeated(2));
            const QString differ = test::layoutDifferences(*doc);
            QVERIFY2(differ.isEmpty(), qPrintable(differ));
        }
    }

    // Edits laid out alone that change what Qt's layout gives the paragraph besides its
    // lines: its direction, the page's width through a line that may not break, and the line
    // a paragraph opening with a line break gives up to the table above it.
    void editsThatChangeMoreThanLinesTakeQtsWay_data()
    {
        QTest::addColumn<int>("paragraph");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("replacing");
        QTest::addColumn<QString>("text");
        QTest::addColumn<qreal>("width");
        QTest::newRow("a right-to-left letter opening a left-to-right paragraph")
            << 0 << 0 << 0 << QStringLiteral(u"א") << PageWidth;
        QTest::newRow("a left-to-right letter opening a right-to-left paragraph")
            << 11 << 0 << 0 << QStringLiteral("a") << PageWidth;
        QTest::newRow("narrower letters in a line running past the page")
            << 13 << 0 << 3 << QStringLiteral("iii") << qreal(308);
        QTest::newRow("wider letters in a line running past the page")
            << 13 << 0 << 3 << QStringLiteral("WWW") << qreal(308);
        QTest::newRow("a letter before the line break after a table")
            << 10 << 0 << 0 << QStringLiteral("b") << PageWidth;
    }
    void editsThatChangeMoreThanLinesTakeQtsWay()
    {
        QFETCH(int, paragraph);
        QFETCH(int, offset);
        QFETCH(int, replacing);
        QFETCH(QString, text);
        QFETCH(qreal, width);
        const std::unique_ptr<QTextDocument> doc = test::editablePage(width);
        QTextCursor cursor = cursorAt(*doc, paragraph, offset);
        cursor.setPosition(cursor.position() + replacing, QTextCursor::KeepAnchor);
        cursor.insertText(text);
        const QString differ = test::layoutDifferences(*doc);
        QVERIFY2(differ.isEmpty(), qPrintable(differ));
    }

    // A letter made bold in a line of its own width: the line is shaped anew.
    void formattingShapesTheLineAnew()
    {
        const std::unique_ptr<QTextDocument> doc = test::editablePage(PageWidth);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        for (int offset : {0, 5, 30}) {
            QTextCursor cursor = cursorAt(*doc, 0, offset);
            cursor.setPosition(cursor.position() + 3, QTextCursor::KeepAnchor);
            cursor.mergeCharFormat(bold);
            const QString differ = test::layoutDifferences(*doc);
            QVERIFY2(differ.isEmpty(), qPrintable(differ));
        }
    }

    // Words spaced wider take more lines; spaced as before they take fewer again, and what
    // follows moves up to meet them.
    void formattingThatTakesLinesAwayMovesTheRestUp()
    {
        const std::unique_ptr<QTextDocument> doc = test::editablePage(PageWidth);
        const QTextBlock first = doc->begin();
        QTextCursor cursor(first);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        const int lines = first.layout()->lineCount();
        QTextCharFormat spacing;
        spacing.setFontWordSpacing(40);
        cursor.mergeCharFormat(spacing);
        QVERIFY(first.layout()->lineCount() > lines);
        spacing.setFontWordSpacing(0);
        cursor.mergeCharFormat(spacing);
        QCOMPARE(first.layout()->lineCount(), lines);
        const QString differ = test::layoutDifferences(*doc);
        QVERIFY2(differ.isEmpty(), qPrintable(differ));
    }

    // Random edits of every kind, each compared with Qt's own layout of a copy of the page:
    // the same edits every run, from fixed seeds, at two page widths.
    void randomEditsLeaveLinesWhereQtPutsThem_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<qreal>("width");
        for (quint32 seed : {1u, 2u, 3u})
            QTest::addRow("seed %u", seed) << seed << (seed % 2 ? qreal(308) : PageWidth);
    }
    void randomEditsLeaveLinesWhereQtPutsThem()
    {
        QFETCH(quint32, seed);
        QFETCH(qreal, width);
        QRandomGenerator random(seed);
        const auto choose = [&random](int n) {
            return int(random.bounded(quint32(n)));
        };
        test::EditedPages pages(width);
        auto *layout = qobject_cast<ParagraphLayout *>(pages.page().documentLayout());
        QStringList edits;
        for (int n = 0; n < 600; ++n) {
            edits.append(pages.edit(choose));
            const QString differ = pages.differences();
            QVERIFY2(differ.isEmpty(),
                     qPrintable(QStringLiteral("after edit %1: %2; the last edits: %3")
                                    .arg(n)
                                    .arg(differ, edits.mid(edits.size() - 4).join(u'|'))));
        }
        // Most letters typed were laid out alone, so the comparison tried that way.
        QVERIFY(layout->paragraphsLaidOutAlone() > 100);
    }

    // The rest of a page shown before it is all laid out comes a short stretch between
    // events, where Qt's own steps grow to 200,000 characters.
    void aPageShownEarlyIsLaidOutAStretchAtATime()
    {
        LargePage page;
        QVERIFY(page.layout->layoutStatus() < 100);
        int longest = 0;
        while (page.layout->layoutStatus() < 100) {
            const int before = page.laidOut();
            QCoreApplication::processEvents();
            longest = std::max(longest, page.laidOut() - before);
        }
        QVERIFY2(longest < 50000, qPrintable(QString::number(longest)));
        const QString differ = test::layoutDifferences(*page.box.document());
        QVERIFY2(differ.isEmpty(), qPrintable(differ));
    }

    // Qt's pass for a change above where its unfinished layout has reached leaves every
    // paragraph below without lines; typing at once must leave the whole page there.
    void typingBeforeThePageIsLaidOutKeepsAllOfIt()
    {
        LargePage page;
        page.box.setFocus();
        QTest::keyClicks(&page.box, QStringLiteral("ab"));
        QTRY_COMPARE_WITH_TIMEOUT(page.layout->layoutStatus(), 100, 20000);
        const QString differ = test::layoutDifferences(*page.box.document());
        QVERIFY2(differ.isEmpty(), qPrintable(differ));
        QCOMPARE(page.box.document()->begin().text().left(2), QStringLiteral("ab"));
    }

    void richTextBoxLaysOutEachPageWithIt()
    {
        RichTextBox box;
        box.setRtf("{\\rtf1 first\\par second\\par}");
        QVERIFY(qobject_cast<ParagraphLayout *>(box.document()->documentLayout()));
    }
};

QTEST_MAIN(tst_paragraphlayout)
#include "tst_paragraphlayout.moc"
