// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace quillery {

class ShownText;

namespace test {

// The text the reader shows of the bytes, handed over in pieces of the given size, so that
// every state of the reader is also crossed by the seam between two pieces.
QByteArray shownInPieces(ShownText &&reader, const QByteArray &bytes, qsizetype piece);
// The shown text of an RTF page, as Search All reads it.
QByteArray shownRtf(const QByteArray &rtf, qsizetype piece = qsizetype(1) << 20);

// The plain text of the document the RTF reader makes of the bytes.
QString readerText(const QByteArray &rtf);

// What the shown text and the document's plain text must agree on. The shown text is the
// plain text with these liberties: it is UTF-8, which has a question mark for half a
// surrogate pair; a soft hyphen is not seen, so it is not searched; and paragraphs, cells
// and the edges of tables are each a line break, however many the document has in a row,
// so empty paragraphs and cells, and line breaks at the start and end, do not count.
// Both leave out hidden text (\v), fields' instructions (a field's result is text), and
// show each picture as one object replacement character. A number or bullet a writer put
// before a list paragraph (\pntext, \listtext) the document shows only when it cannot make
// the paragraph's list, the shown text never: pages that hold one are not comparable.
QString comparable(QString text);
bool isComparable(const QByteArray &rtf);

} // namespace test

} // namespace quillery
