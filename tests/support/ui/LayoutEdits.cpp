// SPDX-License-Identifier: GPL-3.0-or-later
#include "LayoutEdits.h"

#include "platform_ui/ParagraphLayout.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextList>
#include <QTextTable>

namespace quillery::test {

namespace {

const QString Sentence = QStringLiteral("The quick brown fox jumps over the lazy dog. ");
const QString Hebrew = QStringLiteral(u"שלום עולם ומה שלומך היום? ");
const QString Arabic = QStringLiteral(u"مرحبا بالعالم ");

QString where(const QTextBlock &block)
{
    return QStringLiteral("paragraph %1").arg(block.blockNumber());
}

// The middle of a line of a laid-out paragraph.
QPointF middleOf(const QTextLayout &layout, const QTextLine &line)
{
    return layout.position() + line.rect().center();
}

QString lineDifference(const QTextLine &x, const QTextLine &y)
{
    if (x.position() != y.position())
        return QStringLiteral("place");
    if (x.width() != y.width() || x.naturalTextWidth() != y.naturalTextWidth())
        return QStringLiteral("width %1/%2 against %3/%4")
            .arg(x.width())
            .arg(x.naturalTextWidth())
            .arg(y.width())
            .arg(y.naturalTextWidth());
    if (x.height() != y.height() || x.ascent() != y.ascent())
        return QStringLiteral("height");
    if (x.textStart() != y.textStart() || x.textLength() != y.textLength())
        return QStringLiteral("text");
    return {};
}

int positionIn(QTextDocument &doc, const std::function<int(int)> &choose)
{
    return choose(doc.characterCount());
}

QTextCursor selection(QTextDocument &doc, const std::function<int(int)> &choose, int most)
{
    QTextCursor cursor(&doc);
    const int from = positionIn(doc, choose);
    cursor.setPosition(from);
    cursor.setPosition(std::min(from + 1 + choose(most), doc.characterCount() - 1),
                       QTextCursor::KeepAnchor);
    return cursor;
}

QString typed(const std::function<int(int)> &choose)
{
    static const QString letters[] = {QStringLiteral("a"),     QStringLiteral("W"),
                                      QStringLiteral("i"),     QStringLiteral(" "),
                                      QStringLiteral(u"א"),    QStringLiteral(u"ب"),
                                      QStringLiteral("word "), QStringLiteral(u"שלום "),
                                      QStringLiteral("1"),     QStringLiteral(".")};
    return letters[choose(int(std::size(letters)))];
}

QTextCharFormat randomCharFormat(const std::function<int(int)> &choose)
{
    QTextCharFormat format;
    switch (choose(5)) {
    case 0:
        format.setFontWeight(choose(2) ? QFont::Bold : QFont::Normal);
        break;
    case 1:
        format.setFontPointSize(6 + choose(30));
        break;
    case 2:
        format.setFontItalic(choose(2));
        break;
    case 3:
        format.setFontFamilies(
            {choose(2) ? QStringLiteral("Liberation Mono") : QStringLiteral("Liberation Sans")});
        break;
    default:
        format.setFontLetterSpacing(80 + choose(60));
        break;
    }
    return format;
}

void formatParagraph(QTextCursor &cursor, const std::function<int(int)> &choose)
{
    QTextBlockFormat format;
    switch (choose(7)) {
    case 0: {
        static const Qt::Alignment alignments[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter,
                                                   Qt::AlignJustify};
        format.setAlignment(alignments[choose(4)]);
        break;
    }
    case 1:
        format.setIndent(choose(3));
        break;
    case 2: {
        static const Qt::LayoutDirection directions[] = {Qt::LeftToRight, Qt::RightToLeft,
                                                         Qt::LayoutDirectionAuto};
        format.setLayoutDirection(directions[choose(3)]);
        break;
    }
    case 3:
        format.setTextIndent(choose(40) - 10);
        break;
    case 4:
        format.setTopMargin(choose(12));
        format.setBottomMargin(choose(12));
        break;
    case 5:
        format.setNonBreakableLines(choose(2));
        break;
    default:
        format.setLineHeight(100 + 25 * choose(4), QTextBlockFormat::ProportionalHeight);
        break;
    }
    cursor.mergeBlockFormat(format);
}

} // namespace

std::unique_ptr<QTextDocument> editablePage(qreal width, bool ours)
{
    auto doc = std::make_unique<QTextDocument>();
    QImage picture(20, 40, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    doc->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("picture")), picture);
    QTextOption option = doc->defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    doc->setDefaultTextOption(option);
    if (ours)
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
    table->cellAt(1, 1).firstCursorPosition().insertText(Hebrew);
    cursor.setPosition(table->lastPosition() + 1);
    cursor.insertText(QString(QChar::LineSeparator) + Sentence);
    cursor.insertBlock();
    cursor.insertText(Hebrew.repeated(3));
    cursor.insertBlock();
    cursor.insertText(Sentence + Arabic + Sentence);
    QTextBlockFormat unbroken;
    unbroken.setNonBreakableLines(true);
    cursor.insertBlock(unbroken);
    cursor.insertText(QStringLiteral("Unbroken ") + Sentence);
    for (int n = 0; n < 150; ++n) {
        cursor.insertBlock();
        cursor.insertText(n % 25 ? QStringLiteral("x") : Sentence);
    }
    doc->setTextWidth(width);
    doc->documentLayout()->documentSize();
    return doc;
}

QString layoutDifferences(QTextDocument &doc)
{
    std::unique_ptr<QTextDocument> fresh(doc.clone());
    fresh->setDefaultTextOption(doc.defaultTextOption());
    fresh->setTextWidth(doc.textWidth());
    return layoutDifferences(doc, *fresh);
}

QString layoutDifferences(QTextDocument &doc, QTextDocument &reference)
{
    QAbstractTextDocumentLayout *ours = doc.documentLayout();
    QAbstractTextDocumentLayout *qts = reference.documentLayout();
    if (ours->documentSize() != qts->documentSize())
        return QStringLiteral("the page's size %1x%2 against %3x%4")
            .arg(ours->documentSize().width())
            .arg(ours->documentSize().height())
            .arg(qts->documentSize().width())
            .arg(qts->documentSize().height());
    for (QTextBlock a = doc.begin(), b = reference.begin(); a.isValid();
         a = a.next(), b = b.next()) {
        const QTextLayout &la = *a.layout();
        const QTextLayout &lb = *b.layout();
        if (la.position() != lb.position())
            return where(a) + QStringLiteral(": place");
        if (la.lineCount() != lb.lineCount())
            return where(a) +
                   QStringLiteral(": %1 lines against %2").arg(la.lineCount()).arg(lb.lineCount());
        if (la.textOption().textDirection() != lb.textOption().textDirection())
            return where(a) + QStringLiteral(": direction");
        for (int n = 0; n < la.lineCount(); ++n) {
            const QString differ = lineDifference(la.lineAt(n), lb.lineAt(n));
            if (!differ.isEmpty())
                return where(a) + QStringLiteral(", line %1: ").arg(n) + differ;
            // Hit tests cost most: every line of a paragraph with text is tried, and
            // every tenth of the short ones, enough to start from each mark down the page.
            if (a.length() <= 2 && a.blockNumber() % 10 != 0)
                continue;
            const QPointF point = middleOf(lb, lb.lineAt(n));
            const int x = ours->hitTest(point, Qt::FuzzyHit);
            const int y = qts->hitTest(point, Qt::FuzzyHit);
            if (x != y)
                return where(a) +
                       QStringLiteral(", line %1: hit test %2 against %3").arg(n).arg(x).arg(y);
        }
    }
    return {};
}

QString randomEdit(QTextDocument &doc, const std::function<int(int)> &choose)
{
    QTextCursor cursor(&doc);
    cursor.setPosition(positionIn(doc, choose));
    switch (choose(16)) {
    case 0:
    case 1:
    case 2:
    case 3: {
        const QString text = typed(choose);
        cursor.insertText(text);
        return QStringLiteral("typed '%1' at %2").arg(text).arg(cursor.position());
    }
    case 4: {
        // At the start of a paragraph, where its first letter sets its direction.
        cursor.movePosition(QTextCursor::StartOfBlock);
        const QString text = typed(choose);
        cursor.insertText(text);
        return QStringLiteral("typed '%1' at a paragraph's start").arg(text);
    }
    case 5:
        cursor.insertText(QString(QChar::LineSeparator));
        return QStringLiteral("a line break");
    case 6:
        cursor.insertBlock();
        return QStringLiteral("a new paragraph");
    case 7:
    case 8: {
        QTextCursor range = selection(doc, choose, 4);
        range.removeSelectedText();
        return QStringLiteral("a deletion");
    }
    case 9: {
        QTextCursor range = selection(doc, choose, 6);
        const QString text = range.selectedText();
        QString same;
        for (int n = 0; n < text.size(); ++n)
            same += typed(choose).at(0);
        range.insertText(same);
        return QStringLiteral("'%1' replaced by '%2'").arg(text, same);
    }
    case 10: {
        QTextCursor range = selection(doc, choose, 30);
        range.mergeCharFormat(randomCharFormat(choose));
        return QStringLiteral("letters formatted");
    }
    case 11:
        formatParagraph(cursor, choose);
        return QStringLiteral("a paragraph formatted");
    case 12:
        if (cursor.currentList())
            cursor.currentList()->remove(cursor.block());
        else
            cursor.createList(QTextListFormat::ListDecimal);
        return QStringLiteral("a list");
    case 13:
        if (choose(8) == 0) {
            cursor.insertTable(1 + choose(2), 1 + choose(2));
            return QStringLiteral("a table");
        }
        cursor.insertText(QString(20 + choose(30), u'M'));
        return QStringLiteral("a long word");
    case 14:
        doc.undo();
        return QStringLiteral("undo");
    default:
        doc.redo();
        return QStringLiteral("redo");
    }
}

EditedPages::EditedPages(qreal width)
    : m_ours(editablePage(width)), m_qts(editablePage(width, false))
{
}

EditedPages::~EditedPages() = default;

QString EditedPages::edit(const std::function<int(int)> &choose)
{
    QList<int> choices;
    const QString what =
        randomEdit(*m_ours, [&](int n) { return choices.emplace_back(choose(n)); });
    qsizetype next = 0;
    randomEdit(*m_qts, [&](int) { return choices.at(next++); });
    return what;
}

QString EditedPages::differences()
{
    const QString fromFresh = layoutDifferences(*m_ours);
    if (fromFresh.isEmpty() || layoutDifferences(*m_ours, *m_qts).isEmpty())
        return {};
    return fromFresh;
}

} // namespace quillery::test
