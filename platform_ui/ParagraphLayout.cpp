// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform_ui/ParagraphLayout.h"

#include <QAbstractEventDispatcher>
#include <QDeadlineTimer>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextList>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>
#include <utility>

namespace quillery {

namespace {

// Qt's layout works in 64ths of a pixel.
constexpr qreal LayoutUnit = 1.0 / 64;

// How long the layout of the rest of a page may hold up events at a time.
constexpr int FurtherMs = 1;
// The timer of Qt's layout that lays out the next step of an unfinished page; its other
// timer, which reports the page's size, has no interval.
constexpr int QtLayoutStepMs = 10;

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

// Qt's layout moves a paragraph right after a table into the table's last row when it is
// empty or opens with a line break.
bool followsFrame(const QTextDocument &document, const QTextBlock &block)
{
    const QTextBlock previous = block.previous();
    return previous.isValid() && document.frameAt(previous.position()) != document.rootFrame();
}

// The width Qt's layout gives a line of the paragraph when its text fits: the page's, less
// the page's and the paragraph's margins and indent, and for the first line its own indent.
// A line given more holds something too wide for the page and widens the page with it.
qreal roomFor(const QTextDocument &document, const QTextBlock &block, bool firstLine)
{
    const QTextFrameFormat page = document.rootFrame()->frameFormat();
    const QTextBlockFormat paragraph = block.blockFormat();
    qreal indent = paragraph.indent();
    if (const QTextList *list = block.textList())
        indent += list->format().indent();
    const qreal room = document.pageSize().width() - page.leftMargin() - page.rightMargin() -
                       2 * (page.border() + page.padding()) - paragraph.leftMargin() -
                       paragraph.rightMargin() - indent * document.indentWidth();
    return firstLine ? room - paragraph.textIndent() : room;
}

// Lays the paragraph's lines out again with the widths and places its old lines had, which
// is what Qt's layout gives them when nothing around them changed. False where an old line
// was wider than its room or the lines came out other than the old ones in number or height:
// the paragraph must then be laid out with everything below it.
bool relayOnOldLines(const QTextDocument &document, const QTextBlock &block)
{
    QTextLayout &layout = *block.layout();
    // A paragraph holds a few lines; keeping them on the stack spares each keystroke an
    // allocation.
    QVarLengthArray<LineGeometry, 16> old;
    for (int n = 0; n < layout.lineCount(); ++n) {
        const QTextLine line = layout.lineAt(n);
        if (std::abs(line.width() - roomFor(document, block, n == 0)) > LayoutUnit)
            return false;
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

bool isQtLayoutStep(QObject *layout, int timerId)
{
    const QList<QAbstractEventDispatcher::TimerInfo> timers =
        QAbstractEventDispatcher::instance()->registeredTimers(layout);
    return std::any_of(timers.begin(), timers.end(), [timerId](const auto &timer) {
        return timer.timerId == timerId && timer.interval == QtLayoutStepMs;
    });
}

// The first paragraph Qt's unfinished layout has not reached: the laid-out ones come first.
QTextBlock firstNotLaidOut(const QTextDocument &document)
{
    int low = 0;
    int high = document.blockCount() - 1;
    while (low < high) {
        const int middle = (low + high) / 2;
        if (document.findBlockByNumber(middle).layout()->lineCount() > 0)
            low = middle + 1;
        else
            high = middle;
    }
    return document.findBlockByNumber(low);
}

} // namespace

ParagraphLayout::ParagraphLayout(QTextDocument *document)
    : QTextDocumentLayout(document), m_blockCount(document->blockCount())
{
    m_further.setInterval(0);
    connect(&m_further, &QTimer::timeout, this, &ParagraphLayout::layOutFurther);
}

void ParagraphLayout::documentChanged(int from, int oldLength, int length)
{
    const int blocks = document()->blockCount();
    if (layoutStatus() < 100) {
        // Qt's pass for a change made before its layout of the page has reached the end walks
        // on past where the layout stopped, moving the paragraphs it has not reached as if
        // they had no lines, and calls the page done: the rest of the page vanishes. The page
        // is laid out from the top again instead, as far as it is shown and then a stretch at
        // a time.
        m_blockCount = blocks;
        m_behindFrom = -1;
        QTextDocumentLayout::documentChanged(0, 0, document()->characterCount());
        return;
    }
    if (std::exchange(m_blockCount, blocks) == blocks && layOutAlone(from, oldLength, length))
        return;
    if (m_behindFrom >= 0 && m_behindFrom < from) {
        const int reach = from - m_behindFrom;
        if (document()->findBlock(m_behindFrom) == document()->findBlock(from)) {
            // Qt lays this paragraph out anyway: starting where the marks fell behind
            // brings them up to date in the same pass.
            oldLength += reach;
            length += reach;
            from = m_behindFrom;
        } else {
            // A change of no length at the very top would mark nothing for layout.
            QTextDocumentLayout::documentChanged(m_behindFrom, 1, 1);
        }
    }
    m_behindFrom = -1;
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
    // that was empty may stand before a table, which Qt's layout tucks it into; one in a
    // table cell or beside a float has its width from around it.
    if (!next.isValid() || from + length > mark || block.length() - (length - oldLength) <= 1 ||
        followsFrame(doc, block) || doc.frameAt(from) != doc.rootFrame() || floatsInPage(doc))
        return false;
    // Qt's layout has not been where lines are missing; a letter typed at the start of a
    // paragraph may turn its direction.
    const QTextLayout *layout = block.layout();
    if (layout->lineCount() == 0 || next.layout()->lineCount() == 0 ||
        layout->textOption().textDirection() != block.textDirection() ||
        !relayOnOldLines(doc, block))
        return false;
    if (length != oldLength)
        m_behindFrom = m_behindFrom < 0 ? from : std::min(m_behindFrom, from);
    ++m_alone;
    const QRectF laidOut = blockBoundingRect(block);
    Q_EMIT update(QRectF(0, laidOut.top(), documentSize().width(), laidOut.height()));
    return true;
}

void ParagraphLayout::timerEvent(QTimerEvent *event)
{
    if (layoutStatus() < 100 && isQtLayoutStep(this, event->timerId())) {
        m_further.start();
        return;
    }
    QTextDocumentLayout::timerEvent(event);
}

void ParagraphLayout::layOutFurther()
{
    const QDeadlineTimer stretch(FurtherMs, Qt::PreciseTimer);
    while (layoutStatus() < 100 && !stretch.hasExpired()) {
        // Asking where the first paragraph not laid out ends makes Qt lay out the stretch up
        // to its next mark, as long as its first step, which is short.
        const qreal laidOut = dynamicDocumentSize().height();
        blockBoundingRect(firstNotLaidOut(*document()));
        if (dynamicDocumentSize().height() == laidOut)
            documentSize(); // no stretch came of it: Qt lays the rest out at once
    }
    if (layoutStatus() == 100)
        m_further.stop();
}

} // namespace quillery
