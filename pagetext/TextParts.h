// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QSizeF>

#include <memory>

class QPagedPaintDevice;
class QTextDocument;

namespace quillery {

// A text laid out on pages a part at a time, each part a document of its own. Qt places
// laid-out text in 1/64 dot in an int, so one layout taller than 2^31 / 64 dots (some 3,000
// sheets at 1200 dots per inch) wraps round and shows nothing; laid out in parts, the text
// can be any length, and the memory of a layout is held for one part only.
//
// The text's long paragraphs are cut (see LongParagraphs) and an empty paragraph is put
// before it, once, so that the same text can be laid out again; callers hand over a copy of
// what they show. Parts end between paragraphs or tables at the top level, and a numbered
// list stays in one part unless it is very long.
class TextParts
{
public:
    TextParts(QTextDocument &text, QPagedPaintDevice &device, const QSizeF &pageSize);
    ~TextParts();

    // The next part, laid out for the device on pages of pageSize, its first page filled to
    // the given height already, as by the part before it. Null when all parts have been
    // given, or when a paragraph or table alone is too tall to lay out (failed()).
    std::unique_ptr<QTextDocument> next(qreal filled);
    bool failed() const { return m_failed; }

    // A paragraph or table at the top level, and where a part starting with it is copied
    // from: the mark that ends the item before it, since copied from its own first
    // character, a paragraph would lose its format.
    struct Item
    {
        int from = 0;
        qint64 length = 0;
        bool table = false;
        bool continuesList = false; // a list paragraph after the list's first
    };
    using Range = std::pair<qsizetype, qsizetype>; // items [first, end)

private:
    std::unique_ptr<QTextDocument> layOut(const Range &range, qreal filled) const;

    QTextDocument &m_text;
    QPagedPaintDevice &m_device;
    const QSizeF m_pageSize;
    const qreal m_lineScale;
    QList<Item> m_items;
    QList<Range> m_pending; // the next part last
    bool m_failed = false;
};

} // namespace quillery
