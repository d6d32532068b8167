// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QTextBlock;
class QTextCursor;
class QTextDocument;

namespace quillery {

// Qt lays a paragraph out in one go, and for every line it looks for the next place to break
// up to the end of the unbroken run of characters it is in: one long word or paragraph kept
// a window busy for seconds, quadratically in the length of the run. Text that is only
// shown or printed is therefore cut into paragraphs Qt lays out quickly:
//  - a run without a place to break a line is cut after RunLimit characters;
//  - a paragraph longer than ParagraphLimit characters is cut where a line may break.
// A piece after a cut is marked as continuing the paragraph and formatted to read on from
// it: no first-line indent, no space or page break before it and no number or bullet. Each
// cut starts a new line, so a cut word shows a short line every RunLimit characters.
// Text that may be saved back is never cut.
constexpr int RunLimit = 1000;
constexpr int ParagraphLimit = 16000;

// Cuts the document's long runs and paragraphs; returns the number of cuts.
int cutLongParagraphs(QTextDocument &doc);

// True for a paragraph cutLongParagraphs split off the one before.
bool continuesParagraph(const QTextBlock &block);

// Joins the pieces of cut paragraphs again, so that text copied from a cut document is the
// text as it was. The first paragraph is left as it is even when it continues another.
void joinCutParagraphs(QTextDocument &doc);

// The text a cursor selects in a cut document, without the paragraph marks of the cuts, as
// QTextCursor::selectedText gives it.
QString uncutText(const QTextCursor &selection);

// True when a paragraph has a run longer than RunLimit without a place to break a line.
bool hasLongRuns(const QTextDocument &doc);

} // namespace quillery
