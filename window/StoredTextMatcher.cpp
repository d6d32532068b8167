#include "window/StoredTextMatcher.h"

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
                m_ascii = false;
        }
        m_longest += longest;
        m_chars.push_back(std::move(alternatives));
    }

    for (int b = 0; b < 256; ++b)
        m_fold[b] = matchCase ? b : asciiLower(b);
    if (m_ascii) {
        for (const Alternatives &alternatives : m_chars)
            m_folded += char(m_fold[uchar(alternatives.front().at(0))]);
        // Horspool's shifts, over folded bytes.
        const qsizetype m = m_folded.size();
        m_shift.fill(m);
        for (qsizetype i = 0; i + 1 < m; ++i) {
            for (int b = 0; b < 256; ++b) {
                if (m_fold[b] == uchar(m_folded.at(i)))
                    m_shift[b] = m - 1 - i;
            }
        }
    } else if (!m_chars.empty()) {
        for (const QByteArray &bytes : m_chars.front())
            m_firstByte[uchar(bytes.at(0))] = true;
    }
}

bool StoredTextMatcher::contains(QByteArrayView bytes) const
{
    if (m_chars.empty())
        return false;
    return m_ascii ? containsAscii(bytes) : containsAny(bytes);
}

bool StoredTextMatcher::containsAscii(QByteArrayView bytes) const
{
    const qsizetype m = m_folded.size();
    const qsizetype n = bytes.size();
    if (n < m)
        return false;
    const auto *text = reinterpret_cast<const unsigned char *>(bytes.data());
    if (m_matchCase)
        return ::memmem(text, n, m_folded.constData(), m) != nullptr;
    const auto *needle = reinterpret_cast<const unsigned char *>(m_folded.constData());
    const unsigned char last = needle[m - 1];
    for (qsizetype pos = 0; pos <= n - m;) {
        const unsigned char tail = text[pos + m - 1];
        if (m_fold[tail] == last) {
            qsizetype j = m - 2;
            while (j >= 0 && m_fold[text[pos + j]] == needle[j])
                --j;
            if (j < 0)
                return true;
        }
        pos += m_shift[tail];
    }
    return false;
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
    for (const QByteArray &alternative : m_chars[charIndex]) {
        if (bytes.sliced(at).startsWith(alternative) &&
            matchesAt(bytes, at + alternative.size(), charIndex + 1))
            return true;
    }
    return false;
}

} // namespace quillery
