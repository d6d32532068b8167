// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/RtfParser.h"

#include "rtf/RtfChars.h"
#include "rtf/RtfCodePages.h"
#include "rtf/RtfDestinations.h"

namespace quillery::rtf {

namespace {

// The address of a HYPERLINK field: HYPERLINK "address" [\l "bookmark"] [\o "tip"] ...
QString hyperlinkTarget(const QString &instruction)
{
    QStringView rest = QStringView(instruction).trimmed();
    if (!rest.startsWith(u"HYPERLINK", Qt::CaseInsensitive))
        return {};
    rest = rest.sliced(9);
    const auto nextToken = [&rest]() -> QString {
        rest = rest.trimmed();
        if (rest.isEmpty())
            return {};
        qsizetype end = 0;
        QString token;
        if (rest.front() == u'"') {
            end = rest.indexOf(u'"', 1);
            if (end < 0)
                end = rest.size();
            token = rest.sliced(1, end - 1).toString();
            rest = rest.sliced(std::min(end + 1, rest.size()));
        } else {
            end = rest.indexOf(u' ');
            if (end < 0)
                end = rest.size();
            token = rest.sliced(0, end).toString();
            rest = rest.sliced(end);
        }
        return token;
    };
    QString address;
    QString bookmark;
    while (!rest.trimmed().isEmpty()) {
        const QString token = nextToken();
        if (token == QLatin1String("\\l"))
            bookmark = nextToken();
        else if (token == QLatin1String("\\o") || token == QLatin1String("\\t"))
            nextToken();
        else if (!token.startsWith(u'\\') && address.isEmpty())
            address = token;
    }
    if (!bookmark.isEmpty())
        address += u'#' + bookmark;
    return address;
}

} // namespace

Parser::Parser(QByteArrayView data, RtfTables &tables, RtfDocumentBuilder &builder)
    : m_data(data), m_tables(tables), m_builder(builder)
{
    m_groups.reserve(MaxDepth + 1);
    m_groups.emplace_back();
}

void Parser::run()
{
    Tokenizer<Parser> tokenizer(*this);
    tokenizer.feed(m_data.data(), m_data.data() + m_data.size());
    tokenizer.finish();
    flushBytes();
    if (!m_finished)
        m_builder.finish(top().chr, top().para);
}

void Parser::openGroup()
{
    flushBytes();
    Group copy = m_groups.back();
    copy.ownsDestination = false;
    m_groups.push_back(std::move(copy));
}

void Parser::closeGroup()
{
    flushBytes();
    const Group closed = std::move(m_groups.back());
    m_groups.pop_back();
    if (closed.ownsDestination || closed.destination == Destination::FontTable)
        endDestination(closed);
    if (!m_fields.empty() && m_fields.back().depth > qsizetype(m_groups.size()))
        m_fields.pop_back();
    if (m_groups.size() == 1) {
        // The document's own group has ended; its last paragraph takes the group's state.
        m_builder.finish(closed.chr, closed.para);
        m_finished = true;
    }
}

void Parser::skipGroup()
{
    flushBytes(); // what came before the word that skips the group is text
    top().destination = Destination::Skip;
    top().ownsDestination = false;
}

void Parser::text(QByteArrayView run, bool)
{
    switch (top().destination) {
    case Destination::FontTable:
        fontTableText(run);
        return;
    case Destination::ColourTable:
        colourTableText(run);
        return;
    case Destination::Picture:
        pictureText(run);
        return;
    default:
        addBytes(run);
        return;
    }
}

void Parser::escapedByte(char byte)
{
    if (top().destination != Destination::Picture)
        addBytes(QByteArrayView(&byte, 1));
}

void Parser::binary(QByteArrayView data)
{
    flushBytes();
    if (top().destination == Destination::Picture)
        m_picture.data.append(data);
}

void Parser::addBytes(QByteArrayView bytes)
{
    switch (top().destination) {
    case Destination::Body:
    case Destination::FieldInstruction:
    case Destination::ListText:
    case Destination::NumberBefore:
    case Destination::NumberAfter:
    case Destination::LevelText:
    case Destination::FontTable:
        break;
    default:
        return;
    }
    const int codePage = top().codePage;
    if (!m_bytes.isEmpty() && codePage != m_bytesCodePage)
        flushBytes();
    m_bytesCodePage = codePage;
    m_bytes.append(bytes);
}

void Parser::flushBytes()
{
    if (m_bytes.isEmpty())
        return;
    if (!m_decoder || m_decoder->codePage() != m_bytesCodePage)
        m_decoder = CodePageDecoder::forCodePage(m_bytesCodePage);
    m_decoded.clear();
    m_decoder->decode(m_bytes, m_decoded);
    m_bytes.clear();
    addString(m_decoded);
}

void Parser::addString(QStringView text)
{
    const Group &group = top();
    switch (group.destination) {
    case Destination::Body:
        break;
    case Destination::FieldInstruction:
    case Destination::ListText:
    case Destination::NumberBefore:
    case Destination::NumberAfter:
    case Destination::LevelText:
    case Destination::FontTable:
        m_side += text;
        return;
    default:
        return;
    }
    if (group.chr.hidden)
        return;
    // Characters that would split the paragraph or pose as the document's structure
    // arrive only from \uN and \'hh escapes; they stay text. A NUL is not text, as a NUL
    // byte in the markup is not.
    const auto special = [](QChar c) {
        const char16_t u = c.unicode();
        return u == 0 || u == u'\n' || u == u'\r' || u == 0x2029 || u == 0xFDD0 || u == 0xFDD1 ||
               u == 0xFFFC;
    };
    if (std::none_of(text.begin(), text.end(), special)) {
        m_builder.addText(text, group.chr, group.para);
        return;
    }
    QString clean;
    clean.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\n' || c == u'\r' || c.unicode() == 0x2029)
            clean += QChar::LineSeparator;
        else if (!special(c))
            clean += c;
        else if (!c.isNull())
            clean += QChar::ReplacementCharacter;
    }
    m_builder.addText(clean, group.chr, group.para);
}

void Parser::unicode(char32_t c)
{
    flushBytes();
    const QString text = QString::fromUcs4(&c, 1);
    addString(text);
}

bool Parser::word(Keyword keyword, bool hasParam, int param)
{
    flushBytes();
    if (isDestination(keyword))
        return destination(keyword);
    if (const char32_t c = specialCharacter(keyword)) {
        unicode(c);
        return true;
    }
    documentWord(keyword, param) || characterWord(keyword, hasParam, param) ||
        paragraphWord(keyword, hasParam, param) || tableWord(keyword, param) ||
        fontAndColourWord(keyword, param) || pictureWord(keyword, param) ||
        numberingWord(keyword, param);
    return true;
}

bool Parser::destination(Keyword keyword)
{
    Group &group = top();
    // A destination needs a group of its own inside the document's group.
    if (m_groups.size() < 3)
        return true;
    const GroupDestination opened =
        groupDestination(keyword, group.destination, int(m_list.levels.size()));
    if (opened.kind == GroupDestination::Kind::Skipped)
        return false;
    if (opened.kind == GroupDestination::Kind::Own)
        setDestination(opened.destination);
    // What each destination starts from.
    switch (keyword) {
    case Keyword::FontTable:
        m_side.clear();
        m_fontPending = false;
        m_fontCodePage = 0;
        m_symbolFont = false;
        group.codePage = m_tables.codePage;
        break;
    case Keyword::ColourTable:
        m_colourSet = false;
        m_red = m_green = m_blue = 0;
        break;
    case Keyword::Pict:
        m_picture = Picture();
        m_nibble = -1;
        break;
    case Keyword::Field:
        m_fields.push_back({qsizetype(m_groups.size()), QString()});
        break;
    case Keyword::FldRslt:
        if (!m_fields.empty() && !m_fields.back().link.isEmpty()) {
            m_tables.links.append(m_fields.back().link);
            group.chr.link = int(m_tables.links.size());
        }
        break;
    case Keyword::FldInst:
    case Keyword::PnText:
    case Keyword::ListText:
    case Keyword::PnTxtB:
    case Keyword::PnTxtA:
    case Keyword::LevelText:
        m_side.clear();
        break;
    case Keyword::Pn:
        group.para.numbering = LegacyNumbering();
        group.para.numbering.active = true;
        break;
    case Keyword::List:
        m_list = ListDef();
        break;
    case Keyword::ListLevel:
        m_list.levels.append(ListLevelDef());
        break;
    case Keyword::ListOverride:
        m_override = ListOverrideDef();
        break;
    default:
        break;
    }
    return true;
}

void Parser::setDestination(Destination destination)
{
    top().destination = destination;
    top().ownsDestination = true;
}

void Parser::endDestination(const Group &closed)
{
    Group &parent = top();
    switch (closed.destination) {
    case Destination::FontTable:
        if (m_fontPending)
            commitFont();
        if (closed.ownsDestination && parent.chr.font < 0)
            parent.codePage = m_tables.fontCodePage(-1);
        break;
    case Destination::Picture:
        if (parent.destination == Destination::Body && !m_picture.data.isEmpty())
            m_builder.addPicture(m_picture, closed.chr, parent.para);
        m_picture = Picture();
        break;
    case Destination::FieldInstruction:
        if (!m_fields.empty())
            m_fields.back().link = hyperlinkTarget(m_side);
        break;
    case Destination::ListText:
        if (parent.destination == Destination::Body)
            m_builder.setListText(m_side, closed.chr);
        break;
    case Destination::Numbering:
        parent.para.numbering = closed.para.numbering;
        break;
    case Destination::NumberBefore:
        parent.para.numbering.before = m_side;
        break;
    case Destination::NumberAfter:
        parent.para.numbering.after = m_side;
        break;
    case Destination::List:
        m_tables.lists.insert(m_list.id, m_list.levels);
        break;
    case Destination::LevelText:
        if (!m_list.levels.isEmpty())
            m_list.levels.last().text = m_side;
        break;
    case Destination::ListOverride:
        m_tables.listOverrides.insert(m_override.override, m_override.listId);
        break;
    default:
        break;
    }
}

void Parser::fontTableText(QByteArrayView run)
{
    while (!run.isEmpty()) {
        const qsizetype semicolon = run.indexOf(';');
        if (semicolon < 0) {
            addBytes(run);
            m_fontPending = true;
            return;
        }
        addBytes(run.sliced(0, semicolon));
        flushBytes();
        commitFont();
        run = run.sliced(semicolon + 1);
    }
}

void Parser::commitFont()
{
    flushBytes();
    const QString name = m_side.trimmed();
    if (m_symbolFont)
        m_fontCodePage = symbolFontCodePage(name);
    if (!name.isEmpty())
        m_tables.fonts.insert(m_fontNumber, FontDef{name, m_fontCodePage});
    m_side.clear();
    m_fontPending = false;
    m_fontCodePage = 0;
    m_symbolFont = false;
    top().codePage = m_tables.codePage;
}

void Parser::colourTableText(QByteArrayView run)
{
    for (char c : run) {
        if (c != ';')
            continue;
        if (m_colourSet)
            m_tables.colours.append(QColor(m_red, m_green, m_blue));
        else
            m_tables.colours.append(std::nullopt);
        m_colourSet = false;
        m_red = m_green = m_blue = 0;
    }
}

void Parser::pictureText(QByteArrayView run)
{
    for (char c : run) {
        const int value = hexValue(c);
        if (value < 0)
            continue;
        if (m_nibble < 0) {
            m_nibble = value;
        } else {
            m_picture.data.append(char(m_nibble * 16 + value));
            m_nibble = -1;
        }
    }
}

} // namespace quillery::rtf
