// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <memory>

class QTextDocument;

namespace quillery::test {

// A page laid out by the rich text box's layout (or, when ours is false, by Qt's own), with a
// paragraph of each kind Qt lays out in its own way, from the top: plain, indented and centred,
// spaced, with a picture, in a list, empty before a table, four table cells, opening with a line
// break after the table, right-to-left, mixed, one whose lines may not break and so run past the
// page; then 150 short paragraphs, for Qt's layout to keep marks down the page. It wraps at width,
// as the box does.
std::unique_ptr<QTextDocument> editablePage(qreal width, bool ours = true);

// Where the page's paragraphs and lines differ from where Qt's own layout puts them in a
// copy laid out afresh, where the page's size differs, and where hit testing differs (in
// the middle of lines down the page); empty when nowhere.
QString layoutDifferences(QTextDocument &doc);
// The same between two pages of the same text.
QString layoutDifferences(QTextDocument &doc, QTextDocument &reference);

// One random edit of the kinds people make: typing left-to-right and right-to-left letters,
// words, line breaks and paragraphs, deleting, replacing a selection with as many letters,
// formatting letters and paragraphs, making lists and tables, undo and redo. choose(n)
// gives a number from 0 to n - 1. Returns what it did, to name a mismatch.
QString randomEdit(QTextDocument &doc, const std::function<int(int)> &choose);

// The editable page laid out by the rich text box's layout, and a twin of it laid out by
// Qt's own layout, given the same random edits. Qt's own layout, going from where it was
// after an edit, does not always put things where it puts them in a page laid out afresh
// (a paragraph put before a list item, for one): the box's layout is held to the fresh
// layout, or where Qt's own differs from that, to Qt's own.
class EditedPages
{
public:
    explicit EditedPages(qreal width);
    ~EditedPages();

    // Makes the same random edit in both; says what it did.
    QString edit(const std::function<int(int)> &choose);
    // Where the box's page differs from both; empty when it matches one.
    QString differences();
    QTextDocument &page() { return *m_ours; }

private:
    std::unique_ptr<QTextDocument> m_ours;
    std::unique_ptr<QTextDocument> m_qts;
};

} // namespace quillery::test
