// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform_ui/ParagraphLayout.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QVarLengthArray>

#include <algorithm>
#include <utility>

namespace quillery {

namespace {

// Long enough that the marks catch up between bursts of typing, not during them.
constexpr int CatchUpAfterMs = 300;

struct LineGeometry
{
    QPointF position;
    qreal width;
    qreal ascent;
    qreal descent;
    qreal leading;
};

bool floatsInPage(const QTextDocument &document)
{
    const QList<QTextFrame *> frames = document.rootFrame()->childFrames();
    return std::any_of(frames.begin(), frames.end(), [](const QTextFrame *frame) {
        return frame->frameFormat().position() != QTextFrameFormat::InFlow;
    });
}

// Lays the paragraph's lines out again with the widths and places its old lines had, which
// is what Qt's layout gives them when nothing around them changed. False where the lines
// came out other than the old ones in number or height: the paragraph must then be laid out
// with everything below it.
bool relayOnOldLines(QTextLayout &layout)
{
    // A paragraph holds a few lines; keeping them on the stack spares each keystroke an
    // allocation.
    QVarLengthArray<LineGeometry, 16> old;
    for (int n = 0; n < layout.lineCount(); ++n) {
        const QTextLine line = layout.lineAt(n);
        old.append({line.position(), line.width(), line.ascent(), line.descent(), line.leading()});
    }
    layout.beginLayout();
    bool same = true;
    qsizetype made = 0;
    for (; same && made < old.size(); ++made) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        const LineGeometry &was = old.at(made);
        line.setLeadingIncluded(true);
        line.setLineWidth(was.width);
        line.setPosition(was.position);
        same = line.ascent() == was.ascent && line.descent() == was.descent &&
               line.leading() == was.leading && line.naturalTextWidth() <= was.width;
    }
    // The text must end where the old lines did.
    same = same && made == old.size() && !layout.createLine().isValid();
    layout.endLayout();
    return same;
}

} // namespace

ParagraphLayout::ParagraphLayout(QTextDocument *document)
    : QTextDocumentLayout(document), m_blockCount(document->blockCount())
{
    m_catchUp.setSingleShot(true);
    m_catchUp.setInterval(CatchUpAfterMs);
    connect(&m_catchUp, &QTimer::timeout, this, &ParagraphLayout::catchUp);
}

void ParagraphLayout::documentChanged(int from, int oldLength, int length)
{
    const int blocks = document()->blockCount();
    if (std::exchange(m_blockCount, blocks) == blocks && layOutAlone(from, oldLength, length))
        return;
    if (m_behindFrom >= 0 && m_behindFrom < from) {
        if (document()->findBlock(m_behindFrom) == document()->findBlock(from)) {
            // Qt lays this paragraph out anyway: starting where the marks fell behind
            // brings them up to date in the same pass.
            const int reach = from - m_behindFrom;
            from = m_behindFrom;
            oldLength += reach;
            length += reach;
        } else {
            catchUp();
        }
    }
    m_behindFrom = -1;
    m_catchUp.stop();
    QTextDocumentLayout::documentChanged(from, oldLength, length);
}

bool ParagraphLayout::layOutAlone(int from, int oldLength, int length)
{
    const QTextDocument &doc = *document();
    // Unwrapped lines are as long as their paragraphs and the page's width follows them; an
    // unfinished layout goes on from a mark.
    if (doc.pageSize().width() <= 0 || layoutStatus() != 100 || length < oldLength)
        return false;
    const QTextBlock block = doc.findBlock(from);
    const QTextBlock next = block.next();
    const int start = block.position();
    const int mark = start + block.length() - 1;
    // A change that reaches the paragraph mark may change the paragraph's format. A paragraph
    // that was empty or starts with a line break may stand next to a table, which Qt's layout
    // tucks it into; one in a table cell or beside a float has its width from around it.
    if (!next.isValid() || from + length > mark || block.length() - (length - oldLength) <= 1 ||
        doc.characterAt(start) == QChar::LineSeparator || doc.frameAt(from) != doc.rootFrame() ||
        floatsInPage(doc))
        return false;
    QTextLayout *layout = block.layout();
    if (layout->lineCount() == 0 || next.layout()->lineCount() == 0 || !relayOnOldLines(*layout))
        return false;
    if (length != oldLength) {
        m_behindFrom = m_behindFrom < 0 ? from : std::min(m_behindFrom, from);
        m_catchUp.start();
    }
    ++m_alone;
    const QRectF laidOut = blockBoundingRect(block);
    Q_EMIT update(QRectF(0, laidOut.top(), documentSize().width(), laidOut.height()));
    return true;
}

void ParagraphLayout::catchUp()
{
    if (m_behindFrom < 0)
        return;
    // A change of no length at the very top would mark nothing for layout.
    QTextDocumentLayout::documentChanged(std::exchange(m_behindFrom, -1), 1, 1);
}

} // namespace quillery
