// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagetext/RtfShownText.h"

#include "pagetext/ByteScan.h"
#include "pagetext/RtfShownBytes.h"
#include "pagetext/ShownLetters.h"
#include "rtf/RtfChars.h"
#include "rtf/RtfCodePages.h"
#include "rtf/RtfDestinations.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace quillery {

using rtf::Destination;
using rtf::hexValue;
using rtf::isDigit;
using rtf::isLetter;
using rtf::Keyword;

namespace {

// The first byte from p on that ends a run of text: group braces, control words, and the
// line breaks that are no part of the text; with NonAscii also a byte beyond ASCII.
template <bool NonAscii> const char *nextStop(const char *p, const char *end)
{
    return findStop<NonAscii, '\\', '{', '}', '\r', '\n', '\0'>(p, end);
}

} // namespace

RtfShownText::RtfShownText()
{
    m_groups.reserve(rtf::MaxDepth + 1);
    m_groups.emplace_back();
}

RtfShownText::~RtfShownText() = default;

void RtfShownText::read(QByteArrayView bytes, QByteArray &text)
{
    m_out = &text;
    feed(bytes.data(), bytes.data() + bytes.size());
    flushOut();
}

void RtfShownText::finish(QByteArray &text)
{
    m_out = &text;
    // The page ends inside an escape: a lone hex digit is text, a word is complete.
    switch (m_lexer) {
    case Lexer::Hex:
        m_lexer = Lexer::Text;
        if (m_hexDigits)
            feed(&m_hexFirst, &m_hexFirst + 1);
        break;
    case Lexer::Name:
    case Lexer::Parameter:
        m_lexer = Lexer::Text;
        word();
        break;
    case Lexer::Minus:
        m_lexer = Lexer::Text;
        word();
        feed("-", "-" + 1);
        break;
    default:
        break;
    }
    flushBytes();
    releaseSurrogate();
    flushOut();
}

bool RtfShownText::mayShow(QByteArrayView page, const ShownLetters &letters) const
{
    return letters.rtfMayShow(page);
}

void RtfShownText::feed(const char *p, const char *end)
{
    while (p < end) {
        switch (m_lexer) {
        case Lexer::BeforeRtf: {
            const auto *brace = static_cast<const char *>(std::memchr(p, '{', size_t(end - p)));
            if (!brace)
                return;
            p = brace;
            m_lexer = Lexer::Text;
            break;
        }
        case Lexer::Text: {
            // Writers mostly escape what is beyond ASCII, and a run of ASCII is its text.
            const char *run = p;
            p = nextStop<true>(p, end);
            const bool ascii = p == end || uchar(*p) < 0x80;
            if (!ascii)
                p = nextStop<false>(p, end);
            if (p > run)
                textRun(run, p, ascii);
            if (p == end)
                break;
            const char c = *p++;
            if (c == '{')
                openGroup();
            else if (c == '}')
                closeGroup();
            else if (c == '\\')
                m_lexer = Lexer::Escape;
            break;
        }
        case Lexer::Escape: {
            const char c = *p;
            if (isLetter(c)) {
                m_nameSize = 0;
                m_value = 0;
                m_negative = m_hasParam = false;
                m_lexer = Lexer::Name;
                break;
            }
            ++p;
            if (c == '\'') {
                m_hexDigits = 0;
                m_lexer = Lexer::Hex;
            } else {
                m_lexer = Lexer::Text;
                symbol(c);
            }
            break;
        }
        case Lexer::Hex: {
            const int value = hexValue(*p);
            if (value < 0) {
                // Not an escape: what follows the \' is read as it stands.
                m_lexer = Lexer::Text;
                if (m_hexDigits)
                    feed(&m_hexFirst, &m_hexFirst + 1);
                break;
            }
            if (!m_hexDigits) {
                m_hexFirst = *p++;
                m_hexDigits = 0x100 | value;
                break;
            }
            ++p;
            m_lexer = Lexer::Text;
            hexByte(char((m_hexDigits & 0xF) * 16 + value));
            break;
        }
        case Lexer::Name:
            while (p < end && isLetter(*p)) {
                if (m_nameSize < qsizetype(sizeof m_name))
                    m_name[m_nameSize++] = *p;
                ++p;
            }
            if (p == end)
                break;
            if (*p == '-') {
                ++p;
                m_lexer = Lexer::Minus;
            } else if (isDigit(*p)) {
                m_lexer = Lexer::Parameter;
            } else {
                p = endWord(p);
            }
            break;
        case Lexer::Minus:
            if (isDigit(*p)) {
                m_negative = true;
                m_lexer = Lexer::Parameter;
                break;
            }
            // A minus that no digit follows is text after a word without parameter.
            m_lexer = Lexer::Text;
            word();
            feed("-", "-" + 1);
            break;
        case Lexer::Parameter:
            while (p < end && isDigit(*p)) {
                m_hasParam = true;
                m_value = std::min<qint64>(m_value * 10 + (*p - '0'), INT32_MAX);
                ++p;
            }
            if (p < end)
                p = endWord(p);
            break;
        case Lexer::Binary:
        case Lexer::SkipBinary: {
            const qint64 length = std::min<qint64>(m_binaryLeft, end - p);
            m_pictureData = m_pictureData || (m_binaryToPicture && length > 0);
            p += length;
            m_binaryLeft -= length;
            if (m_binaryLeft == 0)
                m_lexer = m_lexer == Lexer::Binary ? Lexer::Text : Lexer::Skip;
            break;
        }
        case Lexer::Skip:
            while (p < end && *p != '{' && *p != '}' && *p != '\\')
                ++p;
            if (p < end)
                skipByte(*p++);
            break;
        case Lexer::SkipEscape:
            if (isLetter(*p)) {
                m_nameSize = 0;
                m_value = 0;
                m_lexer = Lexer::SkipName;
            } else {
                ++p;
                m_lexer = Lexer::Skip;
            }
            break;
        case Lexer::SkipName:
            // As the reader skips a group: only \bin, whose data may hold any byte, matters.
            while (p < end && isLetter(*p)) {
                if (m_nameSize < qsizetype(sizeof m_name))
                    m_name[m_nameSize++] = *p;
                ++p;
            }
            if (p < end)
                m_lexer = Lexer::SkipParameter;
            break;
        case Lexer::SkipParameter:
            while (p < end && (isDigit(*p) || *p == '-')) {
                if (*p != '-')
                    m_value = std::min<qint64>(m_value * 10 + (*p - '0'), INT32_MAX);
                ++p;
            }
            if (p == end)
                break;
            if (*p == ' ')
                ++p;
            m_lexer = Lexer::Skip;
            if (QByteArrayView(m_name, m_nameSize) == "bin" && m_value > 0) {
                m_binaryLeft = m_value;
                m_binaryToPicture = false;
                m_lexer = Lexer::SkipBinary;
            }
            break;
        case Lexer::Done:
            return;
        }
    }
}

// The end of a control word at `next`: a space there belongs to the word.
const char *RtfShownText::endWord(const char *next)
{
    if (*next == ' ')
        ++next;
    m_lexer = Lexer::Text;
    word();
    return next;
}

void RtfShownText::skipByte(char c)
{
    if (c == '{') {
        ++m_skipDepth;
    } else if (c == '}') {
        if (--m_skipDepth == 0) {
            m_lexer = Lexer::Text;
            closeGroup();
        }
    } else {
        m_lexer = Lexer::SkipEscape;
    }
}

void RtfShownText::textRun(const char *begin, const char *end, bool ascii)
{
    QByteArrayView run(begin, end - begin);
    if (m_unicodeSkip > 0) {
        const qsizetype skipped = std::min<qsizetype>(m_unicodeSkip, run.size());
        run = run.sliced(skipped);
        m_unicodeSkip -= int(skipped);
    }
    switch (top().destination) {
    case Destination::FontTable:
        fontTableText(run);
        return;
    case Destination::ColourTable:
        return;
    case Destination::Picture:
        pictureText(run);
        return;
    default:
        break;
    }
    if (!run.isEmpty())
        addBytes(run, ascii);
}

void RtfShownText::hexByte(char byte)
{
    if (m_unicodeSkip > 0)
        --m_unicodeSkip;
    else if (top().destination != Destination::Picture)
        addBytes(QByteArrayView(&byte, 1));
}

void RtfShownText::symbol(char c)
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
        addBytes(QByteArrayView(&c, 1));
        break;
    case '~':
        addChar(0x00A0);
        break;
    case '-':
        addChar(0x00AD);
        break;
    case '_':
        addChar(0x2011);
        break;
    case '\r':
    case '\n':
        if (top().destination == Destination::Body) {
            flushBytes();
            endParagraph();
        }
        break;
    default:
        break;
    }
}

void RtfShownText::word()
{
    const Keyword keyword = knownWord();
    const int param = int(m_negative ? -m_value : m_value);
    const bool starred = m_starred;
    m_starred = false;
    if (keyword == Keyword::Bin) {
        flushBytes();
        m_binaryToPicture = top().destination == Destination::Picture && m_unicodeSkip == 0;
        if (m_unicodeSkip > 0)
            --m_unicodeSkip;
        m_binaryLeft = m_hasParam ? std::max(param, 0) : 0;
        if (m_binaryLeft > 0)
            m_lexer = Lexer::Binary;
        return;
    }
    if (m_unicodeSkip > 0) {
        --m_unicodeSkip;
        return;
    }
    flushBytes();
    if (rtf::isDestination(keyword)) {
        destination(keyword);
        return;
    }
    if (starred) {
        skipCurrentGroup();
        return;
    }
    if (const char32_t c = rtf::specialCharacter(keyword)) {
        addChar(c);
        return;
    }
    controlWord(keyword, m_hasParam, param);
}

// A page uses few control words many times over: the short ones are remembered.
Keyword RtfShownText::knownWord()
{
    const QByteArrayView name(m_name, m_nameSize);
    quint64 key = 0;
    if (m_nameSize > qsizetype(sizeof key))
        return rtf::keywordFor(name);
    std::memcpy(&key, m_name, size_t(m_nameSize));
    KnownWord &known = m_knownWords[(key * 0x9E3779B97F4A7C15ULL) >> 58];
    if (known.name != key) {
        known.name = key;
        known.keyword = rtf::keywordFor(name);
    }
    return known.keyword;
}

void RtfShownText::controlWord(Keyword keyword, bool hasParam, int param)
{
    Group &group = top();
    const bool body = group.destination == Destination::Body;
    const bool inFontTable = group.destination == Destination::FontTable;
    const bool on = !hasParam || param != 0;
    switch (keyword) {
    case Keyword::Ansi:
        setDocumentCodePage(1252);
        break;
    case Keyword::Mac:
        setDocumentCodePage(10000);
        break;
    case Keyword::Pc:
        setDocumentCodePage(437);
        break;
    case Keyword::Pca:
        setDocumentCodePage(850);
        break;
    case Keyword::AnsiCpg:
        if (param > 0)
            setDocumentCodePage(param);
        break;
    case Keyword::Deff:
        m_defaultFont = param;
        break;
    case Keyword::Uc:
        group.unicodeSkip = std::clamp(param, 0, 16);
        break;
    case Keyword::U:
        if (hasParam) {
            const int unit = param < 0 ? param + 65536 : param;
            addChar(unit >= 0 && unit <= 0x10FFFF ? char32_t(unit) : char32_t(0xFFFD));
            m_unicodeSkip = top().unicodeSkip;
        }
        break;
    case Keyword::Par:
    case Keyword::Sect:
    case Keyword::Column:
    case Keyword::NestRow:
    case Keyword::Page:
        if (body)
            endParagraph();
        break;
    case Keyword::Cell:
        if (body)
            endCell();
        break;
    case Keyword::Row:
        if (body && m_tableOpen)
            putBreak();
        break;
    case Keyword::Plain:
        group.hidden = false;
        group.font = -1;
        group.codePage = fontCodePage(-1);
        break;
    case Keyword::V:
        group.hidden = on;
        break;
    case Keyword::Pard:
        group.inTable = false;
        break;
    case Keyword::InTbl:
        group.inTable = on;
        break;
    case Keyword::F:
        if (inFontTable) {
            m_fontNumber = param;
            m_fontPending = true;
        } else {
            group.font = std::max(param, 0);
            group.codePage = fontCodePage(group.font);
        }
        break;
    case Keyword::FCharset:
        if (inFontTable) {
            m_fontCodePage = codePageForCharset(param);
            m_symbolFont = param == SymbolCharset;
            group.codePage = m_fontCodePage > 0 ? m_fontCodePage : m_documentCodePage;
        }
        break;
    case Keyword::Cpg:
        if (inFontTable && param > 0)
            m_fontCodePage = group.codePage = param;
        break;
    default:
        break;
    }
}

void RtfShownText::openGroup()
{
    flushBytes();
    m_unicodeSkip = 0;
    m_starred = false;
    Group copy = m_groups.back();
    copy.ownsDestination = false;
    m_groups.push_back(copy);
    if (qsizetype(m_groups.size()) > rtf::MaxDepth)
        skipCurrentGroup();
}

void RtfShownText::closeGroup()
{
    flushBytes();
    m_unicodeSkip = 0;
    m_starred = false;
    if (m_groups.size() <= 1) {
        m_lexer = Lexer::Done;
        return;
    }
    const Group closed = m_groups.back();
    m_groups.pop_back();
    if (closed.ownsDestination || closed.destination == Destination::FontTable)
        endDestination(closed);
    if (m_groups.size() == 1)
        m_lexer = Lexer::Done; // the document's own group has ended
}

void RtfShownText::skipCurrentGroup()
{
    top().destination = Destination::Skip;
    top().ownsDestination = false;
    m_skipDepth = 1;
    m_lexer = Lexer::Skip;
}

void RtfShownText::destination(Keyword keyword)
{
    Group &group = top();
    // A destination needs a group of its own inside the document's group.
    if (m_groups.size() < 3)
        return;
    const rtf::GroupDestination opened =
        rtf::groupDestination(keyword, group.destination, m_listLevels);
    if (opened.kind == rtf::GroupDestination::Kind::Skipped) {
        skipCurrentGroup();
        return;
    }
    if (opened.kind == rtf::GroupDestination::Kind::Own)
        setDestination(opened.destination);
    // What each destination starts from.
    switch (keyword) {
    case Keyword::FontTable:
        m_fontName.clear();
        m_fontPending = false;
        m_fontCodePage = 0;
        m_symbolFont = false;
        group.codePage = m_documentCodePage;
        break;
    case Keyword::Pict:
        m_pictureData = false;
        m_nibble = -1;
        break;
    case Keyword::List:
        m_listLevels = 0;
        break;
    case Keyword::ListLevel:
        ++m_listLevels;
        break;
    default:
        break;
    }
}

void RtfShownText::setDestination(Destination destination)
{
    top().destination = destination;
    top().ownsDestination = true;
}

void RtfShownText::endDestination(const Group &closed)
{
    Group &parent = top();
    if (closed.destination == Destination::FontTable) {
        if (m_fontPending)
            commitFont();
        if (closed.ownsDestination && parent.font < 0)
            parent.codePage = fontCodePage(-1);
    } else if (closed.destination == Destination::Picture) {
        // A picture stands in the text as the object replacement character.
        if (parent.destination == Destination::Body && m_pictureData) {
            content(parent.inTable);
            put(QByteArrayView("\xEF\xBF\xBC"));
        }
        m_pictureData = false;
    }
}

void RtfShownText::setDocumentCodePage(int codePage)
{
    m_documentCodePage = codePage;
    for (Group &group : m_groups) {
        if (group.font < 0 && group.destination != Destination::FontTable)
            group.codePage = codePage;
    }
}

int RtfShownText::fontCodePage(int font) const
{
    const auto it = m_fontCodePages.constFind(font < 0 ? m_defaultFont : font);
    return it != m_fontCodePages.constEnd() && *it > 0 ? *it : m_documentCodePage;
}

void RtfShownText::fontTableText(QByteArrayView run)
{
    while (!run.isEmpty()) {
        const qsizetype semicolon = run.indexOf(';');
        if (semicolon < 0) {
            addBytes(run);
            m_fontPending = true;
            return;
        }
        addBytes(run.sliced(0, semicolon));
        commitFont();
        run = run.sliced(semicolon + 1);
    }
}

// A font's code page counts once the font has a name, as the reader keeps it.
void RtfShownText::commitFont()
{
    flushBytes();
    const QString name = m_fontName.trimmed();
    if (m_symbolFont)
        m_fontCodePage = symbolFontCodePage(name);
    if (!name.isEmpty())
        m_fontCodePages.insert(m_fontNumber, m_fontCodePage);
    m_fontName.clear();
    m_fontPending = false;
    m_fontCodePage = 0;
    m_symbolFont = false;
    top().codePage = m_documentCodePage;
}

void RtfShownText::pictureText(QByteArrayView run)
{
    for (char c : run) {
        const int value = hexValue(c);
        if (value < 0)
            continue;
        if (m_nibble < 0) {
            m_nibble = value;
        } else {
            m_pictureData = true;
            m_nibble = -1;
        }
    }
}

// Text of a single-byte code page goes straight out; other bytes wait until a word or
// brace ends them, since a double-byte character may come in two escapes.
void RtfShownText::addBytes(QByteArrayView bytes, bool ascii)
{
    const Group &group = top();
    if (group.destination == Destination::Body) {
        if (group.hidden)
            return;
        const ShownBytes *shown = m_bytes.isEmpty() ? shownBytes(group.codePage) : nullptr;
        if (shown) {
            content(group.inTable);
            releaseSurrogate();
            if (ascii && shown->asciiAsIs())
                write(bytes.data(), bytes.size());
            else
                putShown(*shown, bytes);
            return;
        }
    } else if (group.destination != Destination::FontTable) {
        return; // what the other destinations hold is not shown
    }
    if (!m_bytes.isEmpty() && group.codePage != m_bytesCodePage)
        flushBytes();
    m_bytesCodePage = group.codePage;
    m_bytes.append(bytes);
}

void RtfShownText::flushBytes()
{
    if (m_bytes.isEmpty())
        return;
    QString decoded;
    decoder(m_bytesCodePage).decode(m_bytes, decoded);
    m_bytes.clear();
    addString(decoded);
}

void RtfShownText::addChar(char32_t c)
{
    const Group &group = top();
    const bool surrogate = (c >= 0xD800 && c < 0xE000) || c > 0xFFFF;
    if (group.destination == Destination::Body && !group.hidden && m_bytes.isEmpty() &&
        !m_highSurrogate && !surrogate) {
        content(group.inTable);
        if (const char32_t shown = shownCharacter(readerChar(char16_t(c)))) {
            char utf8[4];
            write(utf8, toUtf8(shown, utf8));
        }
        return;
    }
    flushBytes();
    addString(QString::fromUcs4(&c, 1));
}

void RtfShownText::addString(const QString &text)
{
    const Group &group = top();
    if (group.destination == Destination::FontTable) {
        m_fontName += text;
        return;
    }
    if (group.destination != Destination::Body || group.hidden)
        return;
    content(group.inTable);
    // The halves of a character beyond the 16-bit range come as two \uN.
    QString shown;
    if (m_highSurrogate) {
        shown += QChar(m_highSurrogate);
        m_highSurrogate = 0;
    }
    for (const QChar c : text) {
        if (const char32_t s = shownCharacter(readerChar(c.unicode())))
            shown += QChar(char16_t(s));
    }
    if (!shown.isEmpty() && shown.back().isHighSurrogate()) {
        m_highSurrogate = shown.back().unicode();
        shown.chop(1);
    }
    const QByteArray utf8 = shown.toUtf8();
    write(utf8.constData(), utf8.size());
}

const CodePageDecoder &RtfShownText::decoder(int codePage)
{
    if (!m_decoder || m_decoderCodePage != codePage) {
        m_decoder = CodePageDecoder::forCodePage(codePage);
        m_decoderCodePage = codePage;
    }
    return *m_decoder;
}

const ShownBytes *RtfShownText::shownBytes(int codePage)
{
    if (!m_shownBytes || m_shownBytesCodePage != codePage) {
        m_shownBytes = shownBytesFor(decoder(codePage));
        m_shownBytesCodePage = codePage;
    }
    return m_shownBytes;
}

// Text, paragraph ends and cells inside a table and outside one are parted as the
// document parts its table from the paragraphs around it.
void RtfShownText::content(bool inTable)
{
    if (inTable != m_tableOpen) {
        m_tableOpen = inTable;
        putBreak();
    }
}

void RtfShownText::endParagraph()
{
    content(top().inTable);
    putBreak();
}

// A cell outside any table is a tab, as the reader makes it.
void RtfShownText::endCell()
{
    if (!m_tableOpen && !top().inTable) {
        put("\t");
        return;
    }
    content(true);
    putBreak();
}

void RtfShownText::putShown(const ShownBytes &shown, QByteArrayView bytes)
{
    for (const char *p = bytes.data(), *end = p + bytes.size(); p < end;) {
        const char *plain = p;
        if (shown.asciiAsIs())
            p = findStop<true, '\r'>(p, end);
        write(plain, p - plain);
        if (p < end) {
            const QByteArrayView utf8 = shown[*p++];
            write(utf8.data(), utf8.size());
        }
    }
}

// The text goes out in a few kilobytes at a time rather than a few bytes.
void RtfShownText::write(const char *bytes, qsizetype size)
{
    if (size > qsizetype(m_pending.size()) - m_pendingSize) {
        flushOut();
        if (size > qsizetype(m_pending.size())) {
            m_out->append(bytes, size);
            return;
        }
    }
    std::memcpy(m_pending.data() + m_pendingSize, bytes, size_t(size));
    m_pendingSize += size;
}

void RtfShownText::flushOut()
{
    m_out->append(m_pending.data(), m_pendingSize);
    m_pendingSize = 0;
}

void RtfShownText::put(QByteArrayView utf8)
{
    releaseSurrogate();
    write(utf8.data(), utf8.size());
}

void RtfShownText::putBreak()
{
    releaseSurrogate();
    write("\n", 1);
}

// Half of a pair with no other half is what UTF-8 cannot hold, a question mark.
void RtfShownText::releaseSurrogate()
{
    if (m_highSurrogate) {
        write("?", 1);
        m_highSurrogate = 0;
    }
}

} // namespace quillery
