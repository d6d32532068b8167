// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagetext/StoredTextMatcher.h"

#include <QList>
#include <QStringEncoder>

#include <algorithm>
#include <limits>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quillery {

namespace {

QByteArray utf8(char32_t c)
{
    return QString::fromUcs4(&c, 1).toUtf8();
}

// The Windows-1252 byte of a character outside ASCII, or nothing.
QByteArray windows1252(char32_t c)
{
    if (c < 0x80)
        return QByteArray();
    QStringEncoder encoder("windows-1252");
    const QByteArray bytes = encoder.encode(QString::fromUcs4(&c, 1));
    return encoder.hasError() || bytes.size() != 1 ? QByteArray() : bytes;
}

// Roughly how often each byte turns up in pages of text and markup, as a share of all
// bytes: a probe on rare bytes stops at few places that are no match.
const std::array<double, 256> &byteFrequencies()
{
    static const std::array<double, 256> table = [] {
        std::array<double, 256> weights{};
        weights.fill(0.3);
        for (int b = 0x80; b < 0x100; ++b)
            weights[b] = 2;
        // Letters per thousand in English prose.
        const std::pair<char, double> letters[] = {
            {'e', 127}, {'t', 91}, {'a', 82}, {'o', 75}, {'i', 70}, {'n', 67}, {'s', 63},
            {'h', 61},  {'r', 60}, {'d', 43}, {'l', 40}, {'c', 28}, {'u', 28}, {'m', 24},
            {'w', 24},  {'f', 22}, {'g', 20}, {'y', 20}, {'p', 19}, {'b', 15}, {'v', 10},
            {'k', 8},   {'j', 2},  {'x', 2},  {'q', 1},  {'z', 1}};
        for (const auto &[letter, weight] : letters) {
            weights[uchar(letter)] = weight;
            weights[uchar(letter - 'a' + 'A')] = weight / 10;
        }
        for (char c = '0'; c <= '9'; ++c)
            weights[uchar(c)] = 4;
        for (char c : QByteArrayView(".,;:'\"-()"))
            weights[uchar(c)] = 6;
        for (char c : QByteArrayView("\\{}<>/=\r\n\t"))
            weights[uchar(c)] = 12;
        weights[' '] = 180;
        double total = 0;
        for (double weight : weights)
            total += weight;
        for (double &weight : weights)
            weight /= total;
        return weights;
    }();
    return table;
}

#if defined(__SSE2__)
// Bit i is set when the byte at i (of 16) is one of the probe's values.
unsigned probeMask(const __m128i *values, int count, const unsigned char *at)
{
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(at));
    __m128i equal = _mm_cmpeq_epi8(block, values[0]);
    for (int i = 1; i < count; ++i)
        equal = _mm_or_si128(equal, _mm_cmpeq_epi8(block, values[i]));
    return unsigned(_mm_movemask_epi8(equal));
}
#endif

} // namespace

StoredTextMatcher::StoredTextMatcher(const QString &text, bool matchCase, Encodings encodings)
{
    for (char32_t c : text.toUcs4()) {
        Alternatives alternatives;
        for (char32_t variant : matchingCharacters(c, matchCase)) {
            for (const QByteArray &bytes :
                 {utf8(variant), encodings == Encodings::Utf8AndWindows1252 ? windows1252(variant)
                                                                            : QByteArray()}) {
                if (!bytes.isEmpty() && std::find(alternatives.begin(), alternatives.end(),
                                                  bytes) == alternatives.end())
                    alternatives.push_back(bytes);
            }
        }
        qsizetype longest = 0;
        for (const QByteArray &bytes : alternatives)
            longest = std::max(longest, bytes.size());
        m_longest += longest;
        m_chars.push_back(std::move(alternatives));
    }
    chooseAnchor();
}

std::vector<char32_t> StoredTextMatcher::matchingCharacters(char32_t c, bool matchCase)
{
    std::vector<char32_t> cases{c};
    if (!matchCase) {
        for (char32_t other : {QChar::toLower(c), QChar::toUpper(c), QChar::toTitleCase(c),
                               QChar::toCaseFolded(c)}) {
            if (std::find(cases.begin(), cases.end(), other) == cases.end())
                cases.push_back(other);
        }
    }
    return cases;
}

// Every character from the anchor on whose earlier characters all have one length puts
// its leading bytes at a known offset; the two rarest such bytes of the best anchor are
// the probes.
void StoredTextMatcher::chooseAnchor()
{
    const auto &frequencies = byteFrequencies();
    double bestScore = std::numeric_limits<double>::infinity();
    for (std::size_t start = 0; start < m_chars.size(); ++start) {
        std::vector<Probe> candidates;
        qsizetype base = 0;
        for (std::size_t c = start; c < m_chars.size(); ++c) {
            const Alternatives &alternatives = m_chars[c];
            qsizetype shortest = alternatives.front().size();
            qsizetype longest = shortest;
            for (const QByteArray &bytes : alternatives) {
                shortest = std::min(shortest, bytes.size());
                longest = std::max(longest, bytes.size());
            }
            for (qsizetype j = 0; j < shortest; ++j) {
                Probe probe;
                probe.offset = base + j;
                for (const QByteArray &bytes : alternatives) {
                    const uchar value = uchar(bytes.at(j));
                    if (!probe.allowed[value]) {
                        probe.allowed[value] = true;
                        probe.values += char(value);
                        probe.frequency += frequencies[value];
                    }
                }
                candidates.push_back(std::move(probe));
            }
            if (shortest != longest)
                break;
            base += shortest;
        }
        std::sort(candidates.begin(), candidates.end(),
                  [](const Probe &a, const Probe &b) { return a.frequency < b.frequency; });
        candidates.resize(std::min<std::size_t>(candidates.size(), 2));
        double score = 1;
        for (const Probe &probe : candidates)
            score *= probe.frequency;
        if (score < bestScore) {
            bestScore = score;
            m_anchor = start;
            m_probes = std::move(candidates);
        }
        // A later start inside the same run of fixed-length characters sees fewer bytes.
        while (start + 1 < m_chars.size() &&
               std::all_of(m_chars[start].begin(), m_chars[start].end(), [&](const QByteArray &b) {
                   return b.size() == m_chars[start][0].size();
               }))
            ++start;
    }
    for (const Probe &probe : m_probes)
        m_probeReach = std::max(m_probeReach, probe.offset);
}

bool StoredTextMatcher::contains(QByteArrayView bytes) const
{
    if (m_chars.empty())
        return false;
    const auto *text = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype last = bytes.size() - 1 - m_probeReach; // the last place the anchor may start
    qsizetype at = 0;
#if defined(__SSE2__)
    __m128i values[2][16];
    int counts[2] = {0, 0};
    bool vectorised = true;
    for (std::size_t p = 0; p < m_probes.size(); ++p) {
        const QByteArray &probeValues = m_probes[p].values;
        counts[p] = int(probeValues.size());
        vectorised = vectorised && counts[p] <= 16;
        for (int i = 0; i < counts[p] && i < 16; ++i)
            values[p][i] = _mm_set1_epi8(probeValues.at(i));
    }
    if (vectorised) {
        const qsizetype first = m_probes[0].offset;
        const qsizetype second = m_probes.size() > 1 ? m_probes[1].offset : -1;
        for (; at + 16 <= last + 1; at += 16) {
            unsigned mask = probeMask(values[0], counts[0], text + at + first);
            if (mask && second >= 0)
                mask &= probeMask(values[1], counts[1], text + at + second);
            for (; mask; mask &= mask - 1) {
                if (matchesAround(bytes, at + qsizetype(__builtin_ctz(mask))))
                    return true;
            }
        }
    }
#endif
    for (; at <= last; ++at) {
        if (std::all_of(
                m_probes.begin(), m_probes.end(),
                [&](const Probe &probe) { return probe.allowed[text[at + probe.offset]]; }) &&
            matchesAround(bytes, at))
            return true;
    }
    return false;
}

// Whether the anchor character starts a match at `at`.
bool StoredTextMatcher::matchesAround(QByteArrayView bytes, qsizetype at) const
{
    return matchesAt(bytes, at, m_anchor) && matchesBefore(bytes, at, m_anchor);
}

bool StoredTextMatcher::matchesAt(QByteArrayView bytes, qsizetype at, std::size_t charIndex) const
{
    if (charIndex == m_chars.size())
        return true;
    const QByteArrayView rest = bytes.sliced(at);
    for (const QByteArray &alternative : m_chars[charIndex]) {
        if (rest.startsWith(alternative) &&
            matchesAt(bytes, at + alternative.size(), charIndex + 1))
            return true;
    }
    return false;
}

// Whether the first charCount characters match, ending just before `end`.
bool StoredTextMatcher::matchesBefore(QByteArrayView bytes, qsizetype end,
                                      std::size_t charCount) const
{
    if (charCount == 0)
        return true;
    const QByteArrayView before = bytes.first(end);
    for (const QByteArray &alternative : m_chars[charCount - 1]) {
        if (before.endsWith(alternative) &&
            matchesBefore(bytes, end - alternative.size(), charCount - 1))
            return true;
    }
    return false;
}

} // namespace quillery
