// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pagetext/StoredTextMatcher.h"

#include <QByteArrayView>
#include <QString>

#include <array>
#include <vector>

namespace quillery {

// The letters beyond ASCII of a searched text, which a page must show for the text to be
// found in its shown text. Looking through a page for every way it could write one of them
// (a byte beyond ASCII in any code page, an escape, a reference) costs a fraction of
// reading its text, so a page without any way to write one of them is passed over unread.
// The check may only err towards reading a page: whatever it does not understand counts
// as a way.
class ShownLetters
{
public:
    ShownLetters(const QString &text, bool matchCase);

    bool isEmpty() const { return m_letters.empty(); }
    // Whether the whole RTF page may show each letter.
    bool rtfMayShow(QByteArrayView page) const;
    // Whether the whole HTML page may show each letter: its bytes read through the table of
    // its code page, or without one as UTF-8 with the bytes that are no part of UTF-8 as
    // Windows-1252.
    bool htmlMayShow(QByteArrayView page, const std::array<char16_t, 256> *table) const;

private:
    struct Letter
    {
        std::vector<char32_t> forms;      // the characters that match it
        std::array<bool, 256> rtfBytes{}; // bytes that a code page of one byte shows as a form
        bool rtfFromAscii = false;        // an ASCII byte may show it (the symbol fonts)
        StoredTextMatcher utf8OrWindows1252;
    };

    static bool isForm(const Letter &letter, char32_t c);

    std::vector<Letter> m_letters;
};

} // namespace quillery
