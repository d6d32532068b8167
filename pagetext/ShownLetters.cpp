// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagetext/ShownLetters.h"

#include "pagetext/HtmlEntities.h"
#include "platform/ByteScan.h"
#include "rtf/RtfChars.h"
#include "rtf/RtfCodePages.h"

#include <QChar>

#include <algorithm>
#include <cstring>

namespace quillery {

using rtf::hexValue;
using rtf::isDigit;
using rtf::isLetter;

namespace {

// Looking for a few letters costs little; each more costs a pass over HTML pages.
constexpr std::size_t MaxLetters = 4;

// Letters only: no control word, symbol or picture stands for one, and the shown text
// keeps each as it is.
bool isCheckable(const std::vector<char32_t> &forms)
{
    return std::all_of(forms.begin(), forms.end(),
                       [](char32_t f) { return f >= 0x80 && f <= 0xFFFF && QChar::isLetter(f); });
}

bool namesMultiByteCodePage(int codePage)
{
    return !CodePageDecoder::forCodePage(codePage)->singleByteTable();
}

// The control words that matter to the check; a page holds thousands of others.
enum class Word { Other, Unicode, Binary, CodePage, Charset };

Word wordOf(QByteArrayView name)
{
    switch (name.size()) {
    case 1:
        return name[0] == 'u' ? Word::Unicode : Word::Other;
    case 3:
        return std::memcmp(name.data(), "bin", 3) == 0   ? Word::Binary
               : std::memcmp(name.data(), "cpg", 3) == 0 ? Word::CodePage
                                                         : Word::Other;
    case 7:
        return std::memcmp(name.data(), "ansicpg", 7) == 0 ? Word::CodePage : Word::Other;
    case 8:
        return std::memcmp(name.data(), "fcharset", 8) == 0 ? Word::Charset : Word::Other;
    default:
        return Word::Other;
    }
}

} // namespace

ShownLetters::ShownLetters(const QString &text, bool matchCase)
{
    const QList<int> codePages = namedCodePages();
    for (char32_t c : text.toUcs4()) {
        if (m_letters.size() == MaxLetters)
            break;
        const bool known = std::any_of(m_letters.begin(), m_letters.end(),
                                       [c](const Letter &letter) { return isForm(letter, c); });
        std::vector<char32_t> forms = StoredTextMatcher::matchingCharacters(c, matchCase);
        if (known || !isCheckable(forms))
            continue;
        Letter letter{
            std::move(forms), {}, false, StoredTextMatcher(QString::fromUcs4(&c, 1), matchCase)};
        for (int codePage : codePages) {
            const auto decoder = CodePageDecoder::forCodePage(codePage);
            const char16_t *table = decoder->singleByteTable();
            for (int b = 0; b < 256; ++b) {
                char32_t shown = 0;
                if (table) {
                    shown = table[b];
                } else if (b < 0x80) {
                    // Beyond ASCII a byte of a double-byte page may be part of anything.
                    QString decoded;
                    decoder->decode(QByteArray(1, char(b)), decoded);
                    shown = decoded.size() == 1 ? decoded.at(0).unicode() : 0;
                }
                if (isForm(letter, shown)) {
                    letter.rtfBytes[std::size_t(b)] = true;
                    letter.rtfFromAscii = letter.rtfFromAscii || b < 0x80;
                }
            }
        }
        m_letters.push_back(std::move(letter));
    }
}

bool ShownLetters::isForm(const Letter &letter, char32_t c)
{
    return std::find(letter.forms.begin(), letter.forms.end(), c) != letter.forms.end();
}

// The bytes beyond ASCII of the page, as they stand and as \'hh escapes, the characters of
// its \uN words, and whether it names a double-byte code page (whose characters may be made
// of any byte beyond ASCII with another). Markup and text that is not shown count as well.
bool ShownLetters::rtfMayShow(QByteArrayView page) const
{
    std::array<bool, 256> bytes{};
    std::array<bool, MaxLetters> written{};
    bool multiByte = false;
    const char *p = page.data();
    const char *const end = p + page.size();
    while ((p = findStop<true, '\\'>(p, end)) < end) {
        if (*p != '\\') {
            bytes[uchar(*p++)] = true;
            continue;
        }
        if (++p == end)
            break;
        if (*p == '\'') {
            ++p;
            if (end - p >= 2 && hexValue(p[0]) >= 0 && hexValue(p[1]) >= 0) {
                bytes[std::size_t(hexValue(p[0]) * 16 + hexValue(p[1]))] = true;
                p += 2;
            }
            continue;
        }
        if (!isLetter(*p)) {
            ++p; // a symbol, such as an escaped backslash
            continue;
        }
        // The scan passes over the letters and digits of the words that do not matter.
        if (*p != 'u' && *p != 'b' && *p != 'c' && *p != 'a' && *p != 'f') {
            ++p;
            continue;
        }
        const char *name = p;
        while (p < end && isLetter(*p))
            ++p;
        const Word word = wordOf(QByteArrayView(name, p - name));
        const bool negative = end - p >= 2 && *p == '-' && isDigit(p[1]);
        p += negative ? 1 : 0;
        qint64 value = 0;
        bool hasParam = false;
        for (; p < end && isDigit(*p); ++p) {
            value = std::min<qint64>(value * 10 + (*p - '0'), INT32_MAX);
            hasParam = true;
        }
        const int param = int(negative ? -value : value);
        if (word == Word::Binary) {
            return true; // its data may hold a backslash, which this reading would take as markup
        } else if (word == Word::Unicode && hasParam) {
            const int unit = param < 0 ? param + 65536 : param;
            for (std::size_t i = 0; i < m_letters.size(); ++i)
                written[i] = written[i] || isForm(m_letters[i], char32_t(unit));
        } else if (word == Word::CodePage) {
            multiByte = multiByte || namesMultiByteCodePage(param);
        } else if (word == Word::Charset) {
            const int codePage = codePageForCharset(param);
            multiByte = multiByte || (codePage > 0 && namesMultiByteCodePage(codePage));
        }
    }
    for (std::size_t i = 0; i < m_letters.size(); ++i) {
        const Letter &letter = m_letters[i];
        if (written[i] || letter.rtfFromAscii)
            continue;
        bool shown = false;
        for (int b = 0x80; b < 256 && !shown; ++b)
            shown = bytes[std::size_t(b)] && (multiByte || letter.rtfBytes[std::size_t(b)]);
        if (!shown)
            return false;
    }
    return true;
}

// The characters that the page's references name, and its bytes beyond ASCII. Only ASCII
// makes a tag or a reference, as long as no byte beyond ASCII reads as ASCII.
bool ShownLetters::htmlMayShow(QByteArrayView page, const std::array<char16_t, 256> *table) const
{
    std::array<bool, MaxLetters> written{};
    const char *const end = page.data() + page.size();
    for (const char *p = page.data();
         (p = static_cast<const char *>(std::memchr(p, '&', size_t(end - p))));) {
        const char *name = ++p;
        while (p < end && continuesReferenceName(*p, p - name))
            ++p;
        if (const char32_t c = htmlReference(QByteArrayView(name, p - name))) {
            for (std::size_t i = 0; i < m_letters.size(); ++i)
                written[i] = written[i] || isForm(m_letters[i], c);
        }
    }
    std::array<bool, 256> bytes{};
    if (table) {
        for (const char *p = page.data(); (p = findStop<true>(p, end)) < end; ++p) {
            if ((*table)[uchar(*p)] < 0x80)
                return true;
            bytes[uchar(*p)] = true;
        }
    }
    for (std::size_t i = 0; i < m_letters.size(); ++i) {
        const Letter &letter = m_letters[i];
        if (written[i])
            continue;
        bool shown = false;
        if (table) {
            for (int b = 0x80; b < 256 && !shown; ++b)
                shown = bytes[std::size_t(b)] && isForm(letter, (*table)[std::size_t(b)]);
        } else {
            shown = letter.utf8OrWindows1252.contains(page);
        }
        if (!shown)
            return false;
    }
    return true;
}

} // namespace quillery
