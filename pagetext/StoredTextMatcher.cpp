// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagetext/StoredTextMatcher.h"

#include <QList>
#include <QStringEncoder>

#include <algorithm>
#include <cstring>

namespace quillery {

namespace {

unsigned char asciiLower(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

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

} // namespace

StoredTextMatcher::StoredTextMatcher(const QString &text, bool matchCase) : m_matchCase(matchCase)
{
    bool asciiSoFar = true;
    for (char32_t c : text.toUcs4()) {
        std::vector<char32_t> cases{c};
        if (!matchCase) {
            for (char32_t other : {QChar::toLower(c), QChar::toUpper(c), QChar::toTitleCase(c),
                                   QChar::toCaseFolded(c)})
                cases.push_back(other);
        }
        Alternatives alternatives;
        for (char32_t variant : cases) {
            for (const QByteArray &bytes : {utf8(variant), windows1252(variant)}) {
                if (!bytes.isEmpty() && std::find(alternatives.begin(), alternatives.end(),
                                                  bytes) == alternatives.end())
                    alternatives.push_back(bytes);
            }
        }
        qsizetype longest = 0;
        for (const QByteArray &bytes : alternatives) {
            longest = std::max(longest, bytes.size());
            if (bytes.size() > 1 || uchar(bytes.at(0)) >= 0x80)
                asciiSoFar = false;
        }
        if (asciiSoFar)
            ++m_prefixChars;
        m_longest += longest;
        m_chars.push_back(std::move(alternatives));
    }

    for (int b = 0; b < 256; ++b)
        m_fold[b] = matchCase ? b : asciiLower(b);
    for (std::size_t i = 0; i < m_prefixChars; ++i)
        m_prefix += char(m_fold[uchar(m_chars[i].front().at(0))]);
    // Horspool's shifts, over folded bytes.
    const qsizetype m = m_prefix.size();
    m_shift.fill(m);
    for (qsizetype i = 0; i + 1 < m; ++i) {
        for (int b = 0; b < 256; ++b) {
            if (m_fold[b] == uchar(m_prefix.at(i)))
                m_shift[b] = m - 1 - i;
        }
    }
    if (!m_chars.empty()) {
        for (const QByteArray &bytes : m_chars.front())
            m_firstByte[uchar(bytes.at(0))] = true;
    }
}

bool StoredTextMatcher::contains(QByteArrayView bytes) const
{
    if (m_chars.empty())
        return false;
    if (m_prefix.isEmpty())
        return containsAny(bytes);
    // The ASCII start of the text is found fast; the rest is checked where it is.
    for (qsizetype from = 0;;) {
        const qsizetype at = findPrefix(bytes, from);
        if (at < 0)
            return false;
        if (matchesAt(bytes, at + m_prefix.size(), m_prefixChars))
            return true;
        from = at + 1;
    }
}

qsizetype StoredTextMatcher::findPrefix(QByteArrayView bytes, qsizetype from) const
{
    const qsizetype m = m_prefix.size();
    const qsizetype n = bytes.size();
    if (n - from < m)
        return -1;
    const auto *text = reinterpret_cast<const unsigned char *>(bytes.data());
    if (m_matchCase) {
        const void *found = ::memmem(text + from, n - from, m_prefix.constData(), m);
        return found ? static_cast<const unsigned char *>(found) - text : -1;
    }
    const auto *needle = reinterpret_cast<const unsigned char *>(m_prefix.constData());
    const unsigned char last = needle[m - 1];
    for (qsizetype pos = from; pos <= n - m;) {
        const unsigned char tail = text[pos + m - 1];
        if (m_fold[tail] == last) {
            qsizetype j = m - 2;
            while (j >= 0 && m_fold[text[pos + j]] == needle[j])
                --j;
            if (j < 0)
                return pos;
        }
        pos += m_shift[tail];
    }
    return -1;
}

bool StoredTextMatcher::containsAny(QByteArrayView bytes) const
{
    const auto *text = reinterpret_cast<const unsigned char *>(bytes.data());
    for (qsizetype at = 0; at < bytes.size(); ++at) {
        if (m_firstByte[text[at]] && matchesAt(bytes, at, 0))
            return true;
    }
    return false;
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

} // namespace quillery
