// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagetext/LongParagraphs.h"

#include <QList>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

namespace quillery {

namespace {

// A block property, clear of those the RTF reader keeps (rtf/RtfFormat.h).
constexpr int ContinuesParagraph = QTextFormat::UserProperty + 0x100;

// Where a run is cut: after RunLimit characters, or a little before where that would part a
// letter from its combining marks or the halves of a surrogate pair.
qsizetype hardCut(const QString &text, qsizetype runStart)
{
    const qsizetype limit = runStart + RunLimit;
    for (qsizetype cut = limit; cut > runStart + RunLimit / 2; --cut) {
        const QChar c = text.at(cut);
        if (!c.isLowSurrogate() && !c.isMark())
            return cut;
    }
    return text.at(limit).isLowSurrogate() ? limit - 1 : limit;
}

// The positions in a paragraph's text before which it is cut, in order.
QList<qsizetype> cutPositions(const QString &text)
{
    QList<qsizetype> cuts;
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    qsizetype pieceStart = 0;
    qsizetype runStart = 0; // the last place a line may break, or the last cut
    for (qsizetype next = breaks.toNextBoundary(); next >= 0; next = breaks.toNextBoundary()) {
        while (next - runStart > RunLimit) {
            runStart = hardCut(text, runStart);
            pieceStart = runStart;
            cuts << runStart;
        }
        // The run before this break fits (it is at most RunLimit long), so a piece that
        // would grow too long ends at the break before it.
        if (next - pieceStart > ParagraphLimit) {
            pieceStart = runStart;
            cuts << runStart;
        }
        runStart = next;
    }
    return cuts;
}

void cutBlock(const QTextBlock &block, const QList<qsizetype> &cuts)
{
    const QTextBlockFormat own = block.blockFormat();
    QTextBlockFormat piece = own;
    if (const QTextList *list = block.textList()) {
        // Indented as far as the list's text, without a bullet or number of its own.
        piece.setIndent(own.indent() + list->format().indent());
        piece.clearProperty(QTextFormat::ObjectIndex);
    }
    for (int property :
         {QTextFormat::TextIndent, QTextFormat::BlockTopMargin, QTextFormat::BlockBottomMargin,
          QTextFormat::PageBreakPolicy, QTextFormat::BlockMarker})
        piece.clearProperty(property);
    piece.setProperty(ContinuesParagraph, true);
    // The paragraph's space after comes after its last piece.
    QTextBlockFormat lastPiece = piece;
    if (own.hasProperty(QTextFormat::BlockBottomMargin))
        lastPiece.setBottomMargin(own.bottomMargin());
    QTextBlockFormat firstPiece = own;
    firstPiece.clearProperty(QTextFormat::BlockBottomMargin);

    const int start = block.position();
    QTextCursor cursor(block);
    for (auto cut = cuts.crbegin(); cut != cuts.crend(); ++cut) {
        cursor.setPosition(start + int(*cut));
        cursor.insertBlock(cut == cuts.crbegin() ? lastPiece : piece, cursor.charFormat());
    }
    cursor.setPosition(start);
    cursor.setBlockFormat(firstPiece);
}

} // namespace

int cutLongParagraphs(QTextDocument &doc)
{
    const bool undo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    QTextCursor edit(&doc);
    edit.beginEditBlock();
    int count = 0;
    // From the end, so that cutting a paragraph moves none of those still to be looked at.
    for (QTextBlock block = doc.lastBlock(); block.isValid();) {
        const QTextBlock previous = block.previous();
        if (block.length() - 1 > RunLimit) {
            const QList<qsizetype> cuts = cutPositions(block.text());
            if (!cuts.isEmpty())
                cutBlock(block, cuts);
            count += int(cuts.size());
        }
        block = previous;
    }
    edit.endEditBlock();
    doc.setUndoRedoEnabled(undo);
    return count;
}

bool continuesParagraph(const QTextBlock &block)
{
    return block.blockFormat().boolProperty(ContinuesParagraph);
}

void joinCutParagraphs(QTextDocument &doc)
{
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    for (QTextBlock block = doc.lastBlock(); block.isValid();) {
        const QTextBlock previous = block.previous();
        if (previous.isValid() && continuesParagraph(block) &&
            doc.characterAt(block.position() - 1) == QChar::ParagraphSeparator) {
            const QTextBlockFormat own = block.blockFormat();
            cursor.setPosition(block.position());
            cursor.deletePreviousChar();
            // The joined paragraph has the first piece's format and the space after the last.
            QTextBlockFormat joined = cursor.blockFormat();
            if (own.hasProperty(QTextFormat::BlockBottomMargin))
                joined.setBottomMargin(own.bottomMargin());
            else
                joined.clearProperty(QTextFormat::BlockBottomMargin);
            cursor.setBlockFormat(joined);
        }
        block = previous;
    }
    cursor.endEditBlock();
}

QString uncutText(const QTextCursor &selection)
{
    const QString text = selection.selectedText();
    const int start = selection.selectionStart();
    const int end = selection.selectionEnd();
    QString uncut;
    uncut.reserve(text.size());
    qsizetype copied = 0;
    // The selected text has one character for each position selected.
    for (QTextBlock block = selection.document()->findBlock(start).next();
         block.isValid() && block.position() <= end; block = block.next()) {
        const qsizetype mark = block.position() - 1 - start;
        if (!continuesParagraph(block) || mark >= text.size() ||
            text.at(mark) != QChar::ParagraphSeparator)
            continue;
        uncut += QStringView(text).sliced(copied, mark - copied);
        copied = mark + 1;
    }
    uncut += QStringView(text).sliced(copied);
    return uncut;
}

bool hasLongRuns(const QTextDocument &doc)
{
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block.length() - 1 <= RunLimit)
            continue;
        const QString text = block.text();
        QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
        qsizetype runStart = 0;
        for (qsizetype next = breaks.toNextBoundary(); next >= 0; next = breaks.toNextBoundary()) {
            if (next - runStart > RunLimit)
                return true;
            runStart = next;
        }
    }
    return false;
}

} // namespace quillery
