// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

class QTextDocument;

namespace quillery {

// Whether text holds a character that can make a paragraph, or a run in it, right to left.
bool mayReadRightToLeft(QStringView text);

// A paragraph that states no direction takes the direction of its first letter. Qt works it
// out again for every paragraph below the one that changed, at every keystroke, and in a
// large page that is over a third of the keystroke. A document with no right-to-left
// character is left to right throughout, so while it has none it says so once for all its
// paragraphs. Called before the document is laid out, since changing the default direction
// lays it out again; returns whether it said so.
bool settleParagraphDirection(QTextDocument *doc);

// After a settled document has been laid out: the first right-to-left character to arrive
// gives each paragraph its own direction again. Not before, because the document tells of
// the whole of its text again when it gets its layout.
void watchForRightToLeft(QTextDocument *doc);

} // namespace quillery
