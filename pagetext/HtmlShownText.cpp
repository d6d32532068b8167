// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagetext/HtmlShownText.h"

#include "pagetext/HtmlEncoding.h"
#include "pagetext/HtmlEntities.h"
#include "pagetext/ShownLetters.h"
#include "platform/ByteScan.h"

#include <QHash>
#include <QMutex>

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace quillery {

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
}

// Elements that a browser lays out as blocks of their own, and line breaks: each
// starts a new line of the shown text.
bool startsLine(QByteArrayView name)
{
    static constexpr std::string_view Names[] = {
        "address", "article",  "aside",      "blockquote", "body",    "br",      "caption",
        "center",  "dd",       "details",    "dialog",     "dir",     "div",     "dl",
        "dt",      "fieldset", "figcaption", "figure",     "footer",  "form",    "h1",
        "h2",      "h3",       "h4",         "h5",         "h6",      "head",    "header",
        "hr",      "html",     "legend",     "li",         "main",    "menu",    "nav",
        "ol",      "option",   "p",          "pre",        "section", "summary", "table",
        "tbody",   "td",       "tfoot",      "th",         "thead",   "tr",      "ul"};
    static_assert(std::is_sorted(std::begin(Names), std::end(Names)));
    return std::binary_search(std::begin(Names), std::end(Names),
                              std::string_view(name.data(), size_t(name.size())));
}

// Elements whose content is not shown and holds no tags.
bool hidesRawText(QByteArrayView name)
{
    return name == "script" || name == "style" || name == "title";
}

// The first byte from p on that ends a run of text: a tag, a reference, white space other
// than a space, and the lead byte of U+0080 to U+00BF (among them the non-breaking space).
const char *nextStop(const char *p, const char *end)
{
    return findStop<false, '<', '&', '\t', '\n', '\r', '\f', '\xC2'>(p, end);
}

// The character of each byte of a code page of one byte a character, ASCII among them;
// nothing for other encodings. Each encoding is looked at once, which takes 256 decodings.
std::optional<std::array<char16_t, 256>> singleByteTable(QStringDecoder &decoder)
{
    static QMutex mutex;
    static QHash<QByteArray, std::optional<std::array<char16_t, 256>>> tables;
    const QByteArray name(decoder.name());
    QMutexLocker lock(&mutex);
    if (const auto known = tables.constFind(name); known != tables.constEnd())
        return *known;
    std::array<char16_t, 256> table{};
    bool singleByte = true;
    for (int b = 0; b < 256 && singleByte; ++b) {
        const char byte = char(b);
        const QString decoded = decoder.decode(QByteArrayView(&byte, 1));
        decoder.resetState();
        singleByte = decoded.size() == 1 && (b >= 0x80 || decoded.at(0) == QChar(b));
        table[std::size_t(b)] = singleByte ? decoded.at(0).unicode() : 0;
    }
    std::optional<std::array<char16_t, 256>> &known = tables[name];
    if (singleByte)
        known = table;
    return known;
}

} // namespace

HtmlShownText::HtmlShownText(QByteArrayView start)
{
    std::optional<QStringDecoder> declared = declaredHtmlDecoder(start);
    if (!declared)
        return;
    if (const std::optional<std::array<char16_t, 256>> table = singleByteTable(*declared)) {
        m_table = *table;
        m_singleByte = true;
    } else {
        m_decoder = std::move(declared);
    }
}

void HtmlShownText::read(QByteArrayView bytes, QByteArray &text)
{
    m_out = &text;
    const QByteArrayView input = utf8(bytes, false);
    feed(input.data(), input.data() + input.size());
}

void HtmlShownText::finish(QByteArray &text)
{
    m_out = &text;
    const QByteArrayView input = utf8({}, true);
    feed(input.data(), input.data() + input.size());
    if (m_lexer == Lexer::Entity)
        endEntity(false);
    else if (m_lexer == Lexer::TagOpen)
        putText("<");
}

// A page in another encoding may make any character of bytes in ASCII.
bool HtmlShownText::mayShow(QByteArrayView page, const ShownLetters &letters) const
{
    return m_decoder || letters.htmlMayShow(page, m_singleByte ? &m_table : nullptr);
}

// The page's bytes as UTF-8.
QByteArrayView HtmlShownText::utf8(QByteArrayView bytes, bool last)
{
    if (m_decoder) {
        m_converted = QString(m_decoder->decode(bytes)).toUtf8();
        return m_converted;
    }
    if (m_singleByte) {
        m_converted.resize(0);
        for (const char *p = bytes.data(), *end = p + bytes.size(); p < end;) {
            const char *ascii = p;
            p = findStop<true>(p, end);
            m_converted.append(ascii, p - ascii);
            if (p < end)
                appendUtf8(m_converted, m_table[uchar(*p++)]);
        }
        return m_converted;
    }
    return m_undeclared.toUtf8(bytes, last);
}

void HtmlShownText::feed(const char *p, const char *end)
{
    while (p < end) {
        const char c = *p;
        switch (m_lexer) {
        case Lexer::Text:
            p = textRun(p, end);
            break;
        case Lexer::Entity:
            if (c == ';') {
                ++p;
                endEntity(true);
            } else if (continuesReferenceName(c, m_entitySize)) {
                m_entity[m_entitySize++] = c;
                ++p;
            } else {
                endEntity(false);
            }
            break;
        case Lexer::TagOpen:
            m_lexer = Lexer::Text;
            if (isAsciiLetter(c)) {
                m_tagNameSize = 0;
                m_endTag = false;
                m_lexer = Lexer::TagName;
            } else if (c == '/') {
                ++p;
                m_lexer = Lexer::EndTagOpen;
            } else if (c == '!') {
                ++p;
                m_lexer = Lexer::Bang;
            } else if (c == '?') {
                ++p;
                m_lexer = Lexer::BogusComment;
            } else {
                putText("<"); // no tag: the < is text
            }
            break;
        case Lexer::EndTagOpen:
            if (isAsciiLetter(c)) {
                m_tagNameSize = 0;
                m_endTag = true;
                m_lexer = Lexer::TagName;
            } else {
                m_lexer = c == '>' ? Lexer::Text : Lexer::BogusComment;
                ++p;
            }
            break;
        case Lexer::TagName:
            while (p < end && !isSpace(*p) && *p != '/' && *p != '>') {
                if (m_tagNameSize < qsizetype(sizeof m_tagName))
                    m_tagName[m_tagNameSize++] = lower(*p);
                ++p;
            }
            if (p < end) {
                m_afterEquals = false;
                m_lexer = Lexer::Attributes;
            }
            break;
        case Lexer::Attributes:
            // A quote opens a value only after an equals sign.
            for (; p < end && m_lexer == Lexer::Attributes; ++p) {
                if (*p == '>') {
                    endTag();
                } else if (*p == '=') {
                    m_afterEquals = true;
                } else if ((*p == '"' || *p == '\'') && m_afterEquals) {
                    m_quote = *p;
                    m_lexer = Lexer::Quoted;
                } else if (!isSpace(*p)) {
                    m_afterEquals = false;
                }
            }
            break;
        case Lexer::Quoted: {
            const auto *quote = static_cast<const char *>(std::memchr(p, m_quote, size_t(end - p)));
            p = quote ? quote + 1 : end;
            if (quote) {
                m_afterEquals = false;
                m_lexer = Lexer::Attributes;
            }
            break;
        }
        case Lexer::Bang:
        case Lexer::BangDash:
            if (c != '-') {
                m_lexer = Lexer::BogusComment;
                break;
            }
            ++p;
            m_dashes = 0;
            m_lexer = m_lexer == Lexer::Bang ? Lexer::BangDash : Lexer::Comment;
            break;
        case Lexer::Comment:
            ++p;
            if (c == '>' && m_dashes >= 2)
                m_lexer = Lexer::Text;
            m_dashes = c == '-' ? m_dashes + 1 : 0;
            break;
        case Lexer::BogusComment: {
            const auto *close = static_cast<const char *>(std::memchr(p, '>', size_t(end - p)));
            p = close ? close + 1 : end;
            if (close)
                m_lexer = Lexer::Text;
            break;
        }
        case Lexer::RawText: {
            const auto *open = static_cast<const char *>(std::memchr(p, '<', size_t(end - p)));
            p = open ? open + 1 : end;
            if (open) {
                m_rawTextMatched = 0;
                m_lexer = Lexer::RawTextEndTag;
            }
            break;
        }
        case Lexer::RawTextEndTag:
            if (m_rawTextMatched < m_rawTextEnd.size()) {
                if (lower(c) == m_rawTextEnd.at(m_rawTextMatched)) {
                    ++m_rawTextMatched;
                    ++p;
                } else {
                    m_lexer = Lexer::RawText;
                }
            } else if (isSpace(c) || c == '>' || c == '/') {
                m_tagNameSize = m_rawTextEnd.size() - 1;
                std::memcpy(m_tagName, m_rawTextEnd.constData() + 1, size_t(m_tagNameSize));
                m_endTag = true;
                m_afterEquals = false;
                m_lexer = Lexer::Attributes;
            } else {
                m_lexer = Lexer::RawText;
            }
            break;
        }
    }
}

// Text up to the next tag or reference, with its white space collapsed outside pre.
const char *HtmlShownText::textRun(const char *p, const char *end)
{
    const char *stop = nextStop(p, end);
    if (m_preDepth > 0)
        putText(QByteArrayView(p, stop - p));
    else
        putCollapsed(p, stop);
    if (stop == end)
        return end;
    p = stop;
    const char c = *p++;
    switch (c) {
    case '<':
        m_lexer = Lexer::TagOpen;
        break;
    case '&':
        m_entitySize = 0;
        m_lexer = Lexer::Entity;
        break;
    case '\xC2': // whose trail byte follows: the input is valid UTF-8
        putChar(0x80 | (uchar(*p++) & 0x3F));
        break;
    default:
        if (m_preDepth == 0) {
            m_spacePending = !m_lineStart;
        } else if (c == '\n') {
            *m_out += '\n';
            m_lineStart = true;
        } else if (c != '\r') {
            putText(QByteArrayView(&c, 1));
        }
        break;
    }
    return p;
}

// Text and spaces: a run of spaces is one space, left out at the start of a line.
void HtmlShownText::putCollapsed(const char *p, const char *end)
{
    while (p < end) {
        if (*p == ' ') {
            while (p < end && *p == ' ')
                ++p;
            m_spacePending = !m_lineStart;
            continue;
        }
        // Words with single spaces between them go out as they are.
        const char *stop = findPair(p, end, ' ');
        const bool trailingSpace = stop[-1] == ' ';
        putText(QByteArrayView(p, stop - p - (trailingSpace ? 1 : 0)));
        if (trailingSpace)
            m_spacePending = true;
        p = stop;
    }
}

void HtmlShownText::endTag()
{
    m_lexer = Lexer::Text;
    const QByteArrayView name(m_tagName, m_tagNameSize);
    if (!m_endTag && hidesRawText(name)) {
        m_rawTextEnd = '/' + name.toByteArray();
        m_lexer = Lexer::RawText;
        return;
    }
    if (name == "pre")
        m_preDepth = std::max(0, m_preDepth + (m_endTag ? -1 : 1));
    if (name == "img" && !m_endTag)
        putChar(0xFFFC); // a picture stands in the text as the object replacement character
    else if (startsLine(name))
        putBreak();
}

// A reference ends at its semicolon; one without takes only a name HTML knows.
void HtmlShownText::endEntity(bool terminated)
{
    m_lexer = Lexer::Text;
    const QByteArrayView name(m_entity, m_entitySize);
    if (const char32_t c = htmlReference(name)) {
        putChar(c);
        return;
    }
    putText("&");
    putText(name);
    if (terminated)
        putText(";");
}

void HtmlShownText::putText(QByteArrayView utf8)
{
    if (utf8.isEmpty())
        return;
    startText();
    m_out->append(utf8);
}

// Text starts after the space that white space before it left.
void HtmlShownText::startText()
{
    if (m_spacePending)
        *m_out += ' ';
    m_spacePending = false;
    m_lineStart = false;
}

void HtmlShownText::putChar(char32_t c)
{
    const char32_t shown = shownCharacter(c);
    if (shown == U'\n') {
        putBreak();
    } else if (shown) {
        startText();
        appendUtf8(*m_out, shown);
    }
}

void HtmlShownText::putBreak()
{
    m_spacePending = false;
    if (!m_lineStart)
        *m_out += '\n';
    m_lineStart = true;
}

} // namespace quillery
