// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagetext/RtfShownText.h"

#include "pagetext/RtfShownBytes.h"
#include "pagetext/ShownLetters.h"
#include "platform/ByteScan.h"
#include "rtf/RtfChars.h"
#include "rtf/RtfCodePages.h"
#include "rtf/RtfDestinations.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace quillery {

using rtf::Destination;
using rtf::hexValue;
using rtf::Keyword;

RtfShownText::RtfShownText()
{
    m_groups.reserve(rtf::MaxDepth + 1);
    m_groups.emplace_back();
}

RtfShownText::~RtfShownText() = default;

void RtfShownText::read(QByteArrayView bytes, QByteArray &text)
{
    m_out = &text;
    m_tokenizer.feed(bytes.data(), bytes.data() + bytes.size());
    flushOut();
}

void RtfShownText::finish(QByteArray &text)
{
    m_out = &text;
    m_tokenizer.finish();
    flushBytes();
    releaseSurrogate();
    flushOut();
}

bool RtfShownText::mayShow(QByteArrayView page, const ShownLetters &letters) const
{
    return letters.rtfMayShow(page);
}

void RtfShownText::text(QByteArrayView run, bool ascii)
{
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
        addBytes(run, ascii);
        return;
    }
}

void RtfShownText::escapedByte(char byte)
{
    if (top().destination != Destination::Picture)
        addBytes(QByteArrayView(&byte, 1));
}

void RtfShownText::binary(QByteArrayView data)
{
    flushBytes();
    m_pictureData = m_pictureData || (top().destination == Destination::Picture && !data.isEmpty());
}

bool RtfShownText::word(Keyword keyword, bool hasParam, int param)
{
    flushBytes();
    if (rtf::isDestination(keyword))
        return destination(keyword);
    if (const char32_t c = rtf::specialCharacter(keyword))
        unicode(c);
    else
        controlWord(keyword, hasParam, param);
    return true;
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
    Group copy = m_groups.back();
    copy.ownsDestination = false;
    m_groups.push_back(copy);
}

void RtfShownText::closeGroup()
{
    flushBytes();
    const Group closed = m_groups.back();
    m_groups.pop_back();
    if (closed.ownsDestination || closed.destination == Destination::FontTable)
        endDestination(closed);
}

void RtfShownText::skipGroup()
{
    flushBytes(); // what came before the word that skips the group is text
    top().destination = Destination::Skip;
    top().ownsDestination = false;
}

bool RtfShownText::destination(Keyword keyword)
{
    Group &group = top();
    // A destination needs a group of its own inside the document's group.
    if (m_groups.size() < 3)
        return true;
    const rtf::GroupDestination opened =
        rtf::groupDestination(keyword, group.destination, m_listLevels);
    if (opened.kind == rtf::GroupDestination::Kind::Skipped)
        return false;
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
    return true;
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

void RtfShownText::unicode(char32_t c)
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
            p = findStop<true, '\r', '\0'>(p, end);
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
