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
    enum class Encodings { Utf8AndWindows1252, Utf8 };

    StoredTextMatcher(const QString &text, bool matchCase,
                      Encodings encodings = Encodings::Utf8AndWindows1252);

    // The characters that match c: c itself and, without match case, its other cases.
    static std::vector<char32_t> matchingCharacters(char32_t c, bool matchCase);

    bool isEmpty() const { return m_chars.empty(); }
    bool contains(QByteArrayView bytes) const;
    // The most bytes one match can span: a page read in pieces overlaps them by one less.
    qsizetype longestMatch() const { return m_longest; }

private:
    using Alternatives = std::vector<QByteArray>;

    // A byte that every match has at a known distance from the start of the anchor
    // character, with the values it may take.
    struct Probe
    {
        qsizetype offset = 0;
        QByteArray values;
        std::array<bool, 256> allowed{};
        double frequency = 0; // how often such a byte turns up in text, 0 to 1
    };

    void chooseAnchor();
    bool matchesAround(QByteArrayView bytes, qsizetype at) const;
    bool matchesAt(QByteArrayView bytes, qsizetype at, std::size_t charIndex) const;
    bool matchesBefore(QByteArrayView bytes, qsizetype end, std::size_t charCount) const;

    std::vector<Alternatives> m_chars; // per character, the byte strings that match it
    qsizetype m_longest = 0;
    // Candidates are found by the one or two most selective probes; each is then checked
    // from the anchor character forwards and backwards.
    std::size_t m_anchor = 0;
    std::vector<Probe> m_probes;
    qsizetype m_probeReach = 0; // the furthest probe offset
};

} // namespace quillery
