// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/PageKind.h"

#include <QString>
#include <QVector>

namespace quillery {

class Binder;
class Interaction;

// Whether Search All looks at pages of this kind: rich text, plain text and HTML.
bool isSearchedKind(PageKind kind);

struct SearchOptions
{
    bool matchCase = false;
    // Rich text and HTML pages are searched in the text they show rather than in their
    // stored markup, so that a word with an escaped accent or split by a change of
    // formatting is found, and a control word or tag is not.
    bool shownText = false;
    // Pages are searched on this many threads; 0: on one for each processor (four at most)
    // when the pages are large enough to pay for starting them.
    int threads = 0;
};

struct SearchResult
{
    QVector<int> positions; // 1-based positions of the matching pages, in order
    bool cancelled = false; // the user stopped the search; positions are those found
};

// Search All: every text page of the binder whose stored data (RTF markup, HTML source)
// contains the text. Large pages are read in pieces, so memory stays small whatever the
// page's size; a page that cannot be read has no match. A search that takes longer than
// progressDelayMs shows a progress window with Cancel; a cancelled search gives the
// matches among the pages it has decided, which are the first pages.
SearchResult searchPages(Interaction &ui, const Binder &binder, const QString &text,
                         SearchOptions options, int progressDelayMs = 400);

} // namespace quillery
