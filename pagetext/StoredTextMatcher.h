// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <vector>

namespace quillery {

// Finds a text in a page's stored bytes (RTF markup, HTML source, plain text) without
// decoding them or making a lower-cased copy. Each character of the text matches its
// UTF-8 bytes, and its Windows-1252 byte where it has one (plain text pages that are not
// UTF-8 are stored that way); without match case, also those of its other cases.
class StoredTextMatcher
{
public:
    StoredTextMatcher(const QString &text, bool matchCase);

    bool isEmpty() const { return m_chars.empty(); }
    bool contains(QByteArrayView bytes) const;
    // The most bytes one match can span: a page read in pieces overlaps them by one less.
    qsizetype longestMatch() const { return m_longest; }

private:
    using Alternatives = std::vector<QByteArray>;

    bool matchesAt(QByteArrayView bytes, qsizetype at, std::size_t charIndex) const;
    // Where the ASCII start of the text next occurs from `from` on, or -1.
    qsizetype findPrefix(QByteArrayView bytes, qsizetype from) const;
    bool containsAny(QByteArrayView bytes) const;

    std::vector<Alternatives> m_chars; // per character, the byte strings that match it
    qsizetype m_longest = 0;
    // The leading characters that are ASCII in every form: one byte each, compared
    // through m_fold and found by Horspool's search over m_shift.
    std::size_t m_prefixChars = 0;
    bool m_matchCase;
    QByteArray m_prefix;
    std::array<unsigned char, 256> m_fold{};
    std::array<qsizetype, 256> m_shift{};
    std::array<bool, 256> m_firstByte{};
};

} // namespace quillery
