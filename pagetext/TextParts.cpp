// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagetext/TextParts.h"

#include "pagetext/LongParagraphs.h"
#include "pagetext/SealedDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextList>

#include <algorithm>

namespace quillery {

namespace {

using Item = TextParts::Item;
using Range = TextParts::Range;

// Below the height where a layout wraps round; parts of this size stay far below it, and
// one that does not is split further.
constexpr qreal MaxLayoutHeight = 30'000'000;
constexpr qint64 PartCharacters = 100'000;
constexpr qsizetype PartItems = 2'000;
// Marks the empty paragraph put before the text (see addSpacer); clear of the properties of
// rtf/RtfFormat.h and pagetext/LongParagraphs.
constexpr int SpacerProperty = QTextFormat::UserProperty + 0x101;

QList<Item> topLevelItems(const QTextDocument &text)
{
    QList<Item> items;
    for (auto it = text.rootFrame()->begin(); !it.atEnd(); ++it) {
        if (const QTextFrame *frame = it.currentFrame()) {
            items.append({frame->firstPosition() - 1,
                          frame->lastPosition() - frame->firstPosition() + 2, true, false});
        } else {
            const QTextBlock block = it.currentBlock();
            const QTextList *list = block.textList();
            items.append({qMax(0, block.position() - 1), block.length(), false,
                          list && list->item(0) != block});
        }
    }
    return items;
}

// A part starts with a paragraph, since Qt hides an empty paragraph before a table (and so
// the spacer), but not with one just after a table (copying from a table's end copies the
// table too), nor, where avoidable, with one that goes on with a numbered list, whose numbers
// would start again.
bool mayStartPart(const QList<Item> &items, qsizetype i, bool evenInList)
{
    return i >= 2 && !items.at(i).table && !items.at(i - 1).table &&
           (evenInList || !items.at(i).continuesList);
}

QList<Range> plannedParts(const QList<Item> &items)
{
    QList<Range> parts;
    qsizetype first = 0;
    qint64 characters = 0;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const qsizetype count = i - first;
        const bool full = characters >= PartCharacters || count >= PartItems;
        const bool overfull = characters >= 4 * PartCharacters || count >= 4 * PartItems;
        if (full && mayStartPart(items, i, overfull)) {
            parts.append({first, i});
            first = i;
            characters = 0;
        }
        characters += items.at(i).length;
    }
    parts.append({first, items.size()});
    return parts;
}

// The place nearest the middle of a part where it may be split; -1 when there is none.
qsizetype middleOf(const QList<Item> &items, const Range &part)
{
    const qsizetype middle = (part.first + part.second) / 2;
    for (qsizetype step = 0; middle - step > part.first || middle + step < part.second; ++step) {
        for (qsizetype i : {middle - step, middle + step}) {
            if (i > part.first && i < part.second && mayStartPart(items, i, true))
                return i;
        }
    }
    return -1;
}

// An empty first paragraph, so that every part, the first too, is copied from a paragraph
// mark and starts with an empty paragraph: the spacer that holds the height the part before
// it filled on its last page. Added once, however often the text is laid out.
void addSpacer(QTextDocument &text)
{
    QTextCursor cursor(&text);
    if (cursor.blockFormat().hasProperty(SpacerProperty))
        return;
    cursor.insertBlock(cursor.blockFormat(), cursor.blockCharFormat());
    cursor.movePosition(QTextCursor::Start);
    QTextBlockFormat spacer;
    spacer.setProperty(SpacerProperty, true);
    cursor.setBlockFormat(spacer);
}

// Qt scales a paragraph's fixed line height by the device's resolution over the screen's.
qreal lineHeightScale(QPagedPaintDevice &device)
{
    QTextDocument probe;
    probe.documentLayout()->setPaintDevice(&device);
    QTextCursor cursor(&probe);
    QTextBlockFormat high;
    high.setLineHeight(100, QTextBlockFormat::FixedHeight);
    cursor.setBlockFormat(high);
    cursor.insertBlock(QTextBlockFormat());
    const QAbstractTextDocumentLayout *layout = probe.documentLayout();
    return (layout->blockBoundingRect(probe.lastBlock()).top() -
            layout->blockBoundingRect(probe.firstBlock()).top()) /
           100;
}

// Pictures are resources of the document that holds them.
void copyPictures(const QTextDocument &from, int start, int end, QTextDocument &to)
{
    for (QTextBlock block = from.findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QUrl name(format.toImageFormat().name());
            const QVariant picture = from.resource(QTextDocument::ImageResource, name);
            if (picture.isValid())
                to.addResource(QTextDocument::ImageResource, name, picture);
        }
    }
}

// False when a layout has wrapped round: something placed above what comes before it, or
// lower than a layout can hold.
bool laidOutWithinBounds(const QTextDocument &doc)
{
    const QAbstractTextDocumentLayout *layout = doc.documentLayout();
    qreal top = 0;
    for (auto it = doc.rootFrame()->begin(); !it.atEnd(); ++it) {
        const QRectF box = it.currentFrame() ? layout->frameBoundingRect(it.currentFrame())
                                             : layout->blockBoundingRect(it.currentBlock());
        if (box.top() < top || box.height() < 0 || box.bottom() > MaxLayoutHeight)
            return false;
        top = box.top();
    }
    const qreal height = layout->documentSize().height();
    return height >= top && height <= MaxLayoutHeight;
}

} // namespace

TextParts::TextParts(QTextDocument &text, QPagedPaintDevice &device, const QSizeF &pageSize)
    : m_text(text), m_device(device), m_pageSize(pageSize), m_lineScale(lineHeightScale(device))
{
    cutLongParagraphs(text);
    addSpacer(text);
    m_items = topLevelItems(text);
    m_pending = plannedParts(m_items);
    std::reverse(m_pending.begin(), m_pending.end());
}

TextParts::~TextParts() = default;

std::unique_ptr<QTextDocument> TextParts::next(qreal filled)
{
    while (!m_pending.isEmpty()) {
        const Range range = m_pending.takeLast();
        auto part = layOut(range, filled);
        if (laidOutWithinBounds(*part))
            return part;
        const qsizetype middle = middleOf(m_items, range);
        if (middle < 0) {
            m_failed = true;
            m_pending.clear();
            return nullptr;
        }
        m_pending << Range(middle, range.second) << Range(range.first, middle);
    }
    return nullptr;
}

// The page size is set before the text goes in: Qt then lays it out in one pass, where laying
// out a whole document in steps now and then lets a line run over the foot of a page.
std::unique_ptr<QTextDocument> TextParts::layOut(const Range &range, qreal filled) const
{
    auto part = std::make_unique<SealedDocument>();
    part->setUndoRedoEnabled(false);
    part->setDefaultFont(m_text.defaultFont());
    part->setDefaultTextOption(m_text.defaultTextOption());
    part->setIndentWidth(m_text.indentWidth());
    part->setUseDesignMetrics(m_text.useDesignMetrics());
    QTextFrameFormat frame = part->rootFrame()->frameFormat();
    frame.setMargin(0);
    part->rootFrame()->setFrameFormat(frame);
    part->documentLayout()->setPaintDevice(&m_device);
    part->setPageSize(m_pageSize);
    QTextCursor cursor(part.get());
    QTextBlockFormat spacer;
    spacer.setLineHeight(filled / m_lineScale, QTextBlockFormat::FixedHeight);
    cursor.setBlockFormat(spacer);

    const int start = m_items.at(range.first).from;
    const int end =
        range.second < m_items.size() ? m_items.at(range.second).from : m_text.characterCount() - 1;
    copyPictures(m_text, start, end, *part);
    QTextCursor source(&m_text);
    source.setPosition(start);
    source.setPosition(end, QTextCursor::KeepAnchor);
    cursor.insertFragment(source.selection());
    return part;
}

} // namespace quillery
