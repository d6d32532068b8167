// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

class QTextDocument;

namespace quillery {

// The document as RTF that the rich edit control, word processors and this program read
// back with the same text and formatting. Code page 1252; other characters as \uN.
QByteArray writeRtf(const QTextDocument &doc);

// Only the characters from position `from` up to, not including, `to` (a selection). A
// paragraph mark is written only when the range covers it.
QByteArray writeRtf(const QTextDocument &doc, int from, int to);

} // namespace quillery
