// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagetext/TextSheets.h"

#include "pagetext/LongParagraphs.h"
#include "pagetext/SealedDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextList>

#include <algorithm>
#include <cmath>
#include <memory>

namespace quillery {

namespace {

constexpr int NumberDrop = 360; // the page number's distance below the printable top, twips

// Qt places laid-out text in 1/64 dot in an int, so a layout taller than 2^31 / 64 dots (some
// 3,000 sheets at 1200 dots per inch) wraps round and prints nothing. The text is laid out a
// part at a time, which also holds the memory of a layout to one part. Parts of this size
// stay far below that height; one that does not is split further.
constexpr qreal MaxLayoutHeight = 30'000'000;
constexpr qint64 PartCharacters = 100'000;
constexpr qsizetype PartItems = 2'000;
// Marks the empty paragraph printing puts before the text (see addSpacer); clear of the
// properties of rtf/RtfFormat.h and pagetext/LongParagraphs.
constexpr int SpacerProperty = QTextFormat::UserProperty + 0x101;

class Sheet
{
public:
    explicit Sheet(QPagedPaintDevice &device)
        : m_scale(device.logicalDpiY() / double(PrintMargins::Inch))
    {
        // Where the device can put ink, from the paper's corner.
        const int resolution = device.logicalDpiY();
        QPageLayout layout = device.pageLayout();
        layout.setMargins(layout.minimumMargins());
        printable = QRectF(layout.paintRectPixels(resolution));
        paper =
            QRectF(QPointF(0, 0), QSizeF(device.pageLayout().fullRectPixels(resolution).size()));
    }

    double px(int twips) const { return twips * m_scale; }

    QRectF paper;
    QRectF printable;

private:
    double m_scale;
};

void drawLine(QPainter &painter, double x, double y, const QString &text)
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    painter.drawText(QPointF(x, y + metrics.ascent()), text);
}

double textWidth(const QPainter &painter, const QString &text)
{
    return QFontMetricsF(painter.font(), painter.device()).horizontalAdvance(text);
}

// A paragraph or table at the top level of the text. A part starting with it is copied from
// the mark that ends the item before it: copied from its own first character, a paragraph
// would lose its format.
struct Item
{
    int from = 0;
    qint64 length = 0;
    bool table = false;
    bool continuesList = false; // a list paragraph after the list's first
};

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

// A part may start with item i unless a table comes just before it (copying from a table's
// end copies the table too) or, where avoidable, it goes on with a numbered list, whose
// numbers would start again.
bool mayStartPart(const QList<Item> &items, qsizetype i, bool evenInList)
{
    return i >= 2 && !items.at(i - 1).table && (evenInList || !items.at(i).continuesList);
}

using Part = std::pair<qsizetype, qsizetype>; // items [first, end)

QList<Part> plannedParts(const QList<Item> &items)
{
    QList<Part> parts;
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
qsizetype middleOf(const QList<Item> &items, const Part &part)
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
// it filled on its last sheet. Added once, however often the text is printed.
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

// Sheets with their marks, the text drawn on them part after part, each part going on from
// where the one before it ended.
class SheetWriter
{
public:
    SheetWriter(QPainter &painter, QPagedPaintDevice &device, const QRectF &body,
                const QString &title, const QString &date)
        : m_painter(painter), m_device(device), m_sheet(device), m_body(body), m_title(title),
          m_date(date)
    {
        m_context.palette.setColor(QPalette::Text, Qt::black);
    }

    QSizeF bodySize() const { return m_body.size(); }
    // The height the text fills on the last sheet; 0 when the next part starts a sheet.
    qreal filled() const { return m_filled; }
    int sheets() const { return m_sheets; }

    // Draws a part laid out on sheets of bodySize, below filled() on its first.
    void draw(QTextDocument &part)
    {
        const int pages = qMax(1, part.pageCount());
        for (int page = 0; page < pages; ++page) {
            if (page > 0 || m_filled == 0)
                startSheet();
            drawPage(part, page);
        }
        m_filled = std::fmod(part.documentLayout()->documentSize().height(), m_body.height());
    }

private:
    void startSheet()
    {
        if (m_sheets > 0)
            m_device.newPage();
        ++m_sheets;
        const QString number = QStringLiteral("- %1 -").arg(m_sheets);
        drawLine(m_painter, m_body.right() - textWidth(m_painter, number),
                 m_sheet.printable.top() + m_sheet.px(NumberDrop), number);
        // Half of each margin that lies inside the printable area holds the title and date.
        const double topGap = qMax(0.0, m_body.top() - m_sheet.printable.top());
        const double bottomGap = qMax(0.0, m_sheet.printable.bottom() - m_body.bottom());
        centred(m_title, m_sheet.printable.top() + topGap / 2);
        centred(m_date, m_sheet.printable.bottom() - bottomGap / 2);
    }

    void centred(const QString &line, double y)
    {
        if (!line.isEmpty())
            drawLine(m_painter,
                     m_sheet.printable.left() +
                         (m_sheet.printable.width() - textWidth(m_painter, line)) / 2,
                     y, line);
    }

    void drawPage(QTextDocument &part, int page)
    {
        const QRectF view(0, page * m_body.height(), m_body.width(), m_body.height());
        m_painter.save();
        m_painter.translate(m_body.left(), m_body.top() - view.top());
        m_painter.setClipRect(view);
        // A line starting on the seam belongs to the next sheet only: drawn on both, its
        // text would print twice where the clip hides nothing from a PDF reader.
        m_context.clip = view.adjusted(0, 0.5, 0, -0.5);
        part.documentLayout()->draw(&m_painter, m_context);
        m_painter.restore();
    }

    QPainter &m_painter;
    QPagedPaintDevice &m_device;
    const Sheet m_sheet;
    const QRectF m_body;
    const QString m_title;
    const QString m_date;
    QAbstractTextDocumentLayout::PaintContext m_context;
    int m_sheets = 0;
    qreal m_filled = 0;
};

// A part of the text as a document of its own, laid out for the writer's sheets. The page
// size is set before the text goes in: Qt then lays it out in one pass, where laying out
// the whole document in steps now and then lets a line run over the foot of a sheet.
std::unique_ptr<QTextDocument> layOutPart(QTextDocument &text, const QList<Item> &items,
                                          const Part &range, QPagedPaintDevice &device,
                                          const SheetWriter &writer, qreal lineScale)
{
    auto part = std::make_unique<SealedDocument>();
    part->setUndoRedoEnabled(false);
    part->setDefaultFont(text.defaultFont());
    part->setDefaultTextOption(text.defaultTextOption());
    part->setIndentWidth(text.indentWidth());
    part->setUseDesignMetrics(text.useDesignMetrics());
    QTextFrameFormat frame = part->rootFrame()->frameFormat();
    frame.setMargin(0);
    part->rootFrame()->setFrameFormat(frame);
    part->documentLayout()->setPaintDevice(&device);
    part->setPageSize(writer.bodySize());
    QTextCursor cursor(part.get());
    QTextBlockFormat spacer;
    spacer.setLineHeight(writer.filled() / lineScale, QTextBlockFormat::FixedHeight);
    cursor.setBlockFormat(spacer);

    const int start = items.at(range.first).from;
    const int end =
        range.second < items.size() ? items.at(range.second).from : text.characterCount() - 1;
    copyPictures(text, start, end, *part);
    QTextCursor source(&text);
    source.setPosition(start);
    source.setPosition(end, QTextCursor::KeepAnchor);
    cursor.insertFragment(source.selection());
    return part;
}

QString tr(const char *text)
{
    return QCoreApplication::translate("quillery", text);
}

} // namespace

int printText(QPainter &painter, QPagedPaintDevice &device, QTextDocument &text,
              const PrintMargins &margins, const QString &title, const QString &date,
              QString *error)
{
    const Sheet sheet(device);
    const QRectF body(sheet.px(margins.left), sheet.px(margins.top),
                      sheet.paper.width() - sheet.px(margins.left) - sheet.px(margins.right),
                      sheet.paper.height() - sheet.px(margins.top) - sheet.px(margins.bottom));
    if (body.width() <= 0 || body.height() <= 0) {
        if (error)
            *error = tr("The margins leave no room for the text.");
        return 0;
    }
    cutLongParagraphs(text);
    addSpacer(text);
    const QList<Item> items = topLevelItems(text);
    const qreal lineScale = lineHeightScale(device);
    SheetWriter writer(painter, device, body, title, date);
    // The parts still to print, the next one last.
    QList<Part> pending = plannedParts(items);
    std::reverse(pending.begin(), pending.end());
    while (!pending.isEmpty()) {
        const Part range = pending.takeLast();
        const auto part = layOutPart(text, items, range, device, writer, lineScale);
        if (laidOutWithinBounds(*part)) {
            writer.draw(*part);
            continue;
        }
        const qsizetype middle = middleOf(items, range);
        if (middle < 0) {
            if (error)
                *error = tr("A paragraph or table is too long to lay out on sheets.");
            return 0;
        }
        pending << Part(middle, range.second) << Part(range.first, middle);
    }
    return writer.sheets();
}

} // namespace quillery
