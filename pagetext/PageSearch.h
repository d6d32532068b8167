// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVector>

namespace quillery {

class Binder;
class Interaction;
struct PageKey;
class StoredTextMatcher;

// Whether Search All looks at pages of this kind: rich text, plain text and HTML.
bool isSearchedKind(const QString &kind);

// Whether the page's stored bytes contain the text. Large pages are read in pieces, so
// memory stays small whatever the page's size; a page that cannot be read has no match.
bool pageContains(const PageKey &key, const StoredTextMatcher &matcher);

struct SearchResult
{
    QVector<int> positions; // 1-based positions of the matching pages, in order
    bool cancelled = false; // the user stopped the search; positions are those found
};

// Search All: every text page of the binder whose stored data (RTF markup, HTML source)
// contains the text. A search that takes longer than progressDelayMs shows a progress
// window with Cancel.
SearchResult searchPages(Interaction &ui, const Binder &binder, const QString &text, bool matchCase,
                         int progressDelayMs = 400);

} // namespace quillery
