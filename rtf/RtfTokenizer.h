// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ByteScan.h"
#include "rtf/RtfChars.h"
#include "rtf/RtfKeywords.h"

#include <QByteArrayView>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace quillery::rtf {

// Real documents nest a few dozen groups deep; deeper groups are skipped whole, so hostile
// nesting costs neither stack nor memory. Counts the groups with the state before the
// document's group.
constexpr qsizetype MaxDepth = 256;

// The character a \uN stands for: N is a signed 16-bit number, and what lies beyond Unicode
// is a replacement character.
inline char32_t unicodeCharacter(int param)
{
    const int unit = param < 0 ? param + 65536 : param;
    return unit >= 0 && unit <= 0x10FFFF ? char32_t(unit) : char32_t(0xFFFD);
}

// Splits RTF into tokens as its bytes come, in pieces of any size, and hands them to a
// sink. It keeps what belongs to the syntax rather than to a destination: each group's \uc
// count and the fallback it skips after a \uN, the groups it skips whole (a starred group
// whose word is not known, groups nested too deep, and any group the sink refuses), \bin
// data, and the end of the document's group, after which nothing is read. Bytes before the
// first brace are not RTF.
//
// A Sink has these members, which the tokenizer calls as it reads:
//   void openGroup();
//   void closeGroup();          // also of a group that was skipped
//   void skipGroup();           // the rest of the current group is skipped
//   void text(QByteArrayView run, bool ascii); // text bytes, never a brace, backslash, CR,
//                                              // LF or NUL; ascii: none is beyond ASCII
//   void escapedByte(char byte);               // \'hh
//   void unicode(char32_t c);   // \uN, and \~ \- \_ as the characters they stand for
//   bool word(Keyword keyword, bool hasParam, int param); // false: skip the rest of the group
//                               // (an escaped line break comes as \par, \\ \{ \} as text)
//   void binary(QByteArrayView data);          // \bin data, in one or more pieces
// A sink sees nothing of a skipped group but its end.
template <class Sink> class Tokenizer
{
public:
    explicit Tokenizer(Sink &sink) : m_sink(sink)
    {
        m_unicodeSkips.reserve(MaxDepth + 1);
        m_unicodeSkips.push_back(1);
    }

    // Reads the next bytes of the RTF. The states that text keeps are handled here, in the
    // loop, rather than in a function of their own: a page is mostly text.
    void feed(const char *p, const char *end)
    {
        while (p < end) {
            switch (m_state) {
            case State::BeforeRtf:
                p = static_cast<const char *>(std::memchr(p, '{', size_t(end - p)));
                if (!p)
                    return;
                m_state = State::Text;
                break;
            case State::Text: {
                // Writers mostly escape what is beyond ASCII, so a run of ASCII is found
                // first and said to be one.
                const char *run = p;
                p = findStop<true, '\\', '{', '}', '\r', '\n', '\0'>(p, end);
                const bool ascii = p == end || uchar(*p) < 0x80;
                if (!ascii)
                    p = findStop<false, '\\', '{', '}', '\r', '\n', '\0'>(p, end);
                if (p > run)
                    textRun(run, p, ascii);
                if (p == end)
                    return;
                const char c = *p++;
                if (c == '{')
                    openGroup();
                else if (c == '}')
                    closeGroup();
                else if (c == '\\')
                    m_state = State::Escape;
                break; // line breaks and NUL are no part of the text
            }
            case State::Escape:
                p = escape(p);
                break;
            case State::Hex:
                p = hex(p);
                break;
            case State::Name:
                p = name(p, end);
                break;
            case State::Minus:
                if (isDigit(*p)) {
                    m_negative = true;
                    m_state = State::Parameter;
                } else {
                    wordBeforeMinus();
                }
                break;
            case State::Parameter:
                while (p < end && isDigit(*p)) {
                    m_hasParam = true;
                    m_value = std::min<qint64>(m_value * 10 + (*p - '0'), INT32_MAX);
                    ++p;
                }
                if (p < end)
                    p = endWord(p);
                break;
            case State::Binary: {
                const qint64 length = std::min<qint64>(m_binaryLeft, end - p);
                if (m_binaryRead)
                    m_sink.binary(QByteArrayView(p, length));
                m_binaryLeft -= length;
                if (m_binaryLeft == 0)
                    m_state = resumed();
                p += length;
                break;
            }
            case State::Skip:
                p = findStop<false, '{', '}', '\\'>(p, end);
                if (p < end)
                    skipped(*p++);
                break;
            case State::Done:
                return;
            }
        }
    }

    // The input has ended: a word cut off by its end is complete, a lone hex digit is text.
    void finish()
    {
        switch (m_state) {
        case State::Hex:
            m_state = State::Text;
            if (m_hexFirst)
                textRun(&m_hexFirst, &m_hexFirst + 1, true);
            break;
        case State::Name:
        case State::Parameter:
            m_state = resumed();
            word();
            break;
        case State::Minus:
            wordBeforeMinus();
            break;
        default:
            break;
        }
    }

private:
    enum class State : quint8 {
        BeforeRtf, // before the first brace
        Text,      // text, braces and the start of control words
        Escape,    // after a backslash
        Hex,       // after \' (m_hexFirst holds its first digit once it has come)
        Name,      // the letters of a control word
        Minus,     // a minus after the name, a sign only when a digit follows
        Parameter, // the digits of a control word
        Binary,    // the data of \bin
        Skip,      // a group skipped whole: only braces, escapes and \bin matter
        Done,      // after the document's group
    };

    const char *escape(const char *p)
    {
        const char c = *p;
        if (isLetter(c)) {
            m_nameSize = 0;
            m_value = 0;
            m_negative = m_hasParam = false;
            m_state = State::Name;
            return p;
        }
        if (m_skipDepth > 0) {
            m_state = State::Skip;
        } else if (c == '\'') {
            m_hexFirst = 0;
            m_state = State::Hex;
        } else {
            m_state = State::Text;
            symbol(c);
        }
        return p + 1;
    }

    const char *hex(const char *p)
    {
        const int value = hexValue(*p);
        if (value < 0) {
            // Not an escape: what follows the \' is read as it stands.
            m_state = State::Text;
            if (m_hexFirst)
                textRun(&m_hexFirst, &m_hexFirst + 1, true);
            return p;
        }
        if (!m_hexFirst) {
            m_hexFirst = *p;
            return p + 1;
        }
        m_state = State::Text;
        const char byte = char(hexValue(m_hexFirst) * 16 + value);
        if (m_unicodeSkip > 0)
            --m_unicodeSkip;
        else
            m_sink.escapedByte(byte);
        return p + 1;
    }

    const char *name(const char *p, const char *end)
    {
        while (p < end && isLetter(*p)) {
            if (m_nameSize < qsizetype(sizeof m_name))
                m_name[m_nameSize++] = *p;
            ++p;
        }
        if (p == end)
            return p;
        if (*p == '-') {
            m_state = State::Minus;
            return p + 1;
        }
        if (isDigit(*p)) {
            m_state = State::Parameter;
            return p;
        }
        return endWord(p);
    }

    // The word ends before `next`; a space there belongs to it.
    const char *endWord(const char *next)
    {
        if (*next == ' ')
            ++next;
        m_state = resumed();
        word();
        return next;
    }

    // A minus that no digit follows is text after a word without a parameter.
    void wordBeforeMinus()
    {
        static const char minus = '-';
        m_state = resumed();
        word();
        feed(&minus, &minus + 1);
    }

    State resumed() const { return m_skipDepth > 0 ? State::Skip : State::Text; }

    void textRun(const char *begin, const char *end, bool ascii)
    {
        if (m_unicodeSkip > 0) {
            const qsizetype skipped = std::min<qsizetype>(m_unicodeSkip, end - begin);
            begin += skipped;
            m_unicodeSkip -= int(skipped);
        }
        if (begin < end)
            m_sink.text(QByteArrayView(begin, end - begin), ascii);
    }

    void symbol(char c)
    {
        if (c == '*') {
            m_starred = true;
            return;
        }
        m_starred = false;
        if (m_unicodeSkip > 0) {
            --m_unicodeSkip;
            return;
        }
        switch (c) {
        case '\\':
        case '{':
        case '}':
            m_sink.text(QByteArrayView(&c, 1), true);
            break;
        case '~':
            m_sink.unicode(0x00A0);
            break;
        case '-':
            m_sink.unicode(0x00AD);
            break;
        case '_':
            m_sink.unicode(0x2011);
            break;
        case '\r':
        case '\n':
            m_sink.word(Keyword::Par, false, 0);
            break;
        default:
            break; // symbols of no meaning to the text, such as \| and \:
        }
    }

    void word()
    {
        if (m_skipDepth > 0) {
            // Only \bin matters in a skipped group: its data may hold any byte.
            if (QByteArrayView(m_name, m_nameSize) == "bin" && m_hasParam && !m_negative)
                startBinary(m_value, false);
            return;
        }
        const Keyword keyword = knownWord();
        const int param = int(m_negative ? -m_value : m_value);
        const bool starred = m_starred;
        m_starred = false;
        if (keyword == Keyword::Bin) {
            // The data counts as one character of a \uN's fallback.
            const bool read = m_unicodeSkip == 0;
            if (!read)
                --m_unicodeSkip;
            startBinary(m_hasParam ? std::max(param, 0) : 0, read);
            return;
        }
        if (m_unicodeSkip > 0) {
            --m_unicodeSkip;
            return;
        }
        if (starred && !isDestination(keyword)) {
            skipGroup();
            return;
        }
        switch (keyword) {
        case Keyword::Uc:
            m_unicodeSkips.back() = quint8(std::clamp(param, 0, 16));
            break;
        case Keyword::U:
            if (m_hasParam) {
                m_sink.unicode(unicodeCharacter(param));
                m_unicodeSkip = m_unicodeSkips.back();
            }
            break;
        default:
            if (!m_sink.word(keyword, m_hasParam, param))
                skipGroup();
            break;
        }
    }

    // A page uses few control words many times over: the short ones are remembered.
    Keyword knownWord()
    {
        const QByteArrayView name(m_name, m_nameSize);
        quint64 key = 0;
        if (m_nameSize > qsizetype(sizeof key))
            return keywordFor(name);
        std::memcpy(&key, m_name, size_t(m_nameSize));
        KnownWord &known = m_knownWords[(key * 0x9E3779B97F4A7C15ULL) >> 58];
        if (known.name != key) {
            known.name = key;
            known.keyword = keywordFor(name);
        }
        return known.keyword;
    }

    void startBinary(qint64 length, bool read)
    {
        m_binaryLeft = length;
        m_binaryRead = read;
        if (length > 0)
            m_state = State::Binary;
    }

    void openGroup()
    {
        m_unicodeSkip = 0;
        m_starred = false;
        m_unicodeSkips.push_back(m_unicodeSkips.back());
        m_sink.openGroup();
        if (qsizetype(m_unicodeSkips.size()) > MaxDepth)
            skipGroup();
    }

    void closeGroup()
    {
        m_unicodeSkip = 0;
        m_starred = false;
        m_unicodeSkips.pop_back();
        m_sink.closeGroup();
        if (m_unicodeSkips.size() == 1)
            m_state = State::Done; // the document's own group has ended
    }

    void skipGroup()
    {
        m_sink.skipGroup();
        m_skipDepth = 1;
        m_state = State::Skip;
    }

    // A brace or backslash in a skipped group.
    void skipped(char c)
    {
        if (c == '{') {
            ++m_skipDepth;
        } else if (c == '}') {
            if (--m_skipDepth == 0) {
                m_state = State::Text;
                closeGroup();
            }
        } else {
            m_state = State::Escape;
        }
    }

    struct KnownWord
    {
        quint64 name = 0; // its letters, 0: none
        Keyword keyword = Keyword::Unknown;
    };

    Sink &m_sink;
    State m_state = State::BeforeRtf;
    std::vector<quint8> m_unicodeSkips; // each open group's \uc
    int m_unicodeSkip = 0;              // what is left to skip of a \uN's fallback
    bool m_starred = false;
    int m_skipDepth = 0; // groups open in what is skipped

    // The control word being read. Names are at most 32 letters; a longer one, cut to 33,
    // is no word this reader knows.
    char m_name[33];
    qsizetype m_nameSize = 0;
    qint64 m_value = 0;
    bool m_negative = false;
    bool m_hasParam = false;
    char m_hexFirst = 0; // 0 until the first digit of \'hh has come
    qint64 m_binaryLeft = 0;
    bool m_binaryRead = false;
    std::array<KnownWord, 64> m_knownWords{};
};

} // namespace quillery::rtf
