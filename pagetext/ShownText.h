// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/PageKind.h"

#include <QByteArray>
#include <QByteArrayView>

#include <memory>

namespace quillery {

class ShownLetters;

// The text a rich text or HTML page shows, made from its stored bytes as they are read,
// piece by piece, without building a document: markup is skipped and escapes are
// decoded. The text comes out as UTF-8 with each paragraph, line and table cell on a
// line of its own (as QTextDocument::toPlainText() gives it), non-breaking spaces as
// spaces and without soft hyphens, which are not seen.
class ShownText
{
public:
    virtual ~ShownText() = default;
    // Appends the text that these bytes, the next of the page, show.
    virtual void read(QByteArrayView bytes, QByteArray &text) = 0;
    // Appends what the end of the page completes.
    virtual void finish(QByteArray &text) = 0;
    // Whether the page, all of whose bytes these are, may show each of the letters; false
    // only when it cannot show one of them.
    virtual bool mayShow(QByteArrayView page, const ShownLetters &letters) const = 0;
};

// The reader for a page of this kind whose bytes start so; null when the stored bytes
// are the text (plain text pages, and rich text pages that hold no RTF).
std::unique_ptr<ShownText> shownTextFor(PageKind kind, QByteArrayView start);

// What a character of a page is in its shown text: line and paragraph separators and
// the marks of frames are line breaks, a non-breaking space is a space, and a soft
// hyphen is 0, left out.
char32_t shownCharacter(char32_t c);

// Puts the UTF-8 of the character into bytes, which has room for four; returns how many.
qsizetype toUtf8(char32_t c, char *bytes);
void appendUtf8(QByteArray &text, char32_t c);

} // namespace quillery
