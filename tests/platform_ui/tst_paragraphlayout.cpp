// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform_ui/ParagraphLayout.h"
#include "platform_ui/RichTextBox.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextList>
#include <QTextTable>

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

// A paragraph of each kind Qt lays out in its own way (plain, indented and centred, spaced,
// with a picture, in a list, either side of a table, in a table cell), then enough short
// paragraphs for Qt's layout to keep several marks down the page.
std::unique_ptr<QTextDocument> page()
{
    auto doc = std::make_unique<QTextDocument>();
    QImage picture(20, 40, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    doc->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("picture")), picture);
    doc->setDocumentLayout(new ParagraphLayout(doc.get()));
    QTextCursor cursor(doc.get());
    cursor.insertText(Sentence.repeated(6));
    QTextBlockFormat indented;
    indented.setIndent(1);
    indented.setTextIndent(24);
    indented.setLeftMargin(10);
    indented.setRightMargin(30);
    indented.setAlignment(Qt::AlignHCenter);
    cursor.insertBlock(indented);
    cursor.insertText(Sentence.repeated(5));
    QTextBlockFormat spaced;
    spaced.setLineHeight(150, QTextBlockFormat::ProportionalHeight);
    spaced.setTopMargin(6);
    spaced.setBottomMargin(9);
    cursor.insertBlock(spaced);
    cursor.insertText(Sentence.repeated(4));
    cursor.insertBlock(QTextBlockFormat());
    QTextImageFormat image;
    image.setName(QStringLiteral("picture"));
    cursor.insertImage(image);
    cursor.insertText(Sentence.repeated(3));
    cursor.insertBlock(QTextBlockFormat());
    cursor.createList(QTextListFormat::ListDisc);
    cursor.insertText(Sentence.repeated(3));
    cursor.insertBlock(QTextBlockFormat());
    QTextTable *table = cursor.insertTable(2, 2);
    table->cellAt(0, 0).firstCursorPosition().insertText(Sentence.repeated(2));
    table->cellAt(0, 1).firstCursorPosition().insertText(QStringLiteral("cell"));
    cursor.setPosition(table->lastPosition() + 1);
    for (int n = 0; n < 300; ++n) {
        cursor.insertBlock();
        cursor.insertText(QStringLiteral("x"));
    }
    doc->setTextWidth(PageWidth);
    doc->documentLayout()->documentSize();
    return doc;
}

// Where the page's paragraphs and lines differ from where Qt's own layout puts them in a
// copy laid out afresh, and where hit testing down the page differs; empty when nowhere.
QString differences(QTextDocument &doc)
{
    std::unique_ptr<QTextDocument> fresh(doc.clone());
    fresh->setTextWidth(doc.textWidth());
    QAbstractTextDocumentLayout *ours = doc.documentLayout();
    QAbstractTextDocumentLayout *qts = fresh->documentLayout();
    if (ours->documentSize() != qts->documentSize())
        return QStringLiteral("the page's size");
    for (QTextBlock a = doc.begin(), b = fresh->begin(); a.isValid(); a = a.next(), b = b.next()) {
        const QString where = QStringLiteral("paragraph %1 ").arg(a.blockNumber());
        const QTextLayout &la = *a.layout();
        const QTextLayout &lb = *b.layout();
        if (la.position() != lb.position() || la.lineCount() != lb.lineCount())
            return where + QStringLiteral("place or line count");
        for (int n = 0; n < la.lineCount(); ++n) {
            const QTextLine x = la.lineAt(n);
            const QTextLine y = lb.lineAt(n);
            if (x.position() != y.position() || x.width() != y.width() ||
                x.height() != y.height() || x.textStart() != y.textStart() ||
                x.textLength() != y.textLength() || x.naturalTextWidth() != y.naturalTextWidth())
                return where + QStringLiteral("line %1").arg(n);
        }
        const QPointF middle = ours->blockBoundingRect(a).center();
        if (ours->hitTest(middle, Qt::FuzzyHit) != qts->hitTest(middle, Qt::FuzzyHit))
            return where + QStringLiteral("hit test");
    }
    return {};
}

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
            {"a letter far down the page, marks left behind", 280, 0, "D", true},
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
        const std::unique_ptr<QTextDocument> doc = page();
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
            const QString differ = differences(*doc);
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
        const std::unique_ptr<QTextDocument> doc = page();
        for (int number = 11; number < 180; ++number) {
            cursorAt(*doc, number + 1, 0).insertText(QStringLiteral("AB"));
            cursorAt(*doc, number, 0).insertText(QStringLiteral("AB"));
            cursorAt(*doc, number + 1, -1).insertText(Sentence.repeated(2));
            const QString differ = differences(*doc);
            QVERIFY2(differ.isEmpty(), qPrintable(differ));
        }
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
