// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pagetext/HtmlEntities.h"
#include "pagetext/ShownText.h"
#include "pagetext/Utf8OrWindows1252.h"

#include <QStringDecoder>

#include <array>
#include <optional>

namespace quillery {

// The text of an HTML page as a browser shows it, read as a stream: tags, comments and
// the content of script, style and title elements are left out, entities are decoded,
// white space collapses to one space outside pre elements, and block elements and line
// breaks start a new line. A page in the encoding its byte order mark or meta element
// names is decoded so; otherwise it is read as Utf8OrWindows1252 reads text.
class HtmlShownText : public ShownText
{
public:
    explicit HtmlShownText(QByteArrayView start);

    void read(QByteArrayView bytes, QByteArray &text) override;
    void finish(QByteArray &text) override;
    bool mayShow(QByteArrayView page, const ShownLetters &letters) const override;

private:
    enum class Lexer : quint8 {
        Text,
        Entity,        // after & (m_entity holds what came)
        TagOpen,       // after <
        EndTagOpen,    // after </
        TagName,       // the name of a tag (m_endTag: it is an end tag)
        Attributes,    // the rest of a tag up to >
        Quoted,        // an attribute value in quotes (m_quote)
        Bang,          // after <!
        BangDash,      // after <!-
        Comment,       // inside <!-- -->
        BogusComment,  // inside <! > or <? > that is no comment
        RawText,       // the content of script, style or title
        RawTextEndTag, // a < inside it, perhaps its end tag
    };

    void feed(const char *p, const char *end);
    QByteArrayView utf8(QByteArrayView bytes, bool last);
    const char *textRun(const char *p, const char *end);
    void putCollapsed(const char *p, const char *end);
    void endTag();
    void endEntity(bool terminated);
    void putText(QByteArrayView utf8);
    void startText();
    void putChar(char32_t c);
    void putBreak();

    QByteArray *m_out = nullptr;
    std::optional<QStringDecoder> m_decoder; // a page in an encoding other than UTF-8
    bool m_singleByte = false;               // ... of one byte a character, read by m_table
    std::array<char16_t, 256> m_table{};
    QByteArray m_converted;
    Utf8OrWindows1252 m_undeclared; // a page that names no other encoding

    Lexer m_lexer = Lexer::Text;
    char m_entity[MaxReferenceName];
    qsizetype m_entitySize = 0;
    char m_tagName[16]; // lower case, cut to 16 letters
    qsizetype m_tagNameSize = 0;
    bool m_endTag = false;
    bool m_afterEquals = false;
    char m_quote = 0;
    int m_dashes = 0;
    QByteArray m_rawTextEnd; // "/script" and the like
    qsizetype m_rawTextMatched = 0;
    int m_preDepth = 0;
    bool m_lineStart = true;
    bool m_spacePending = false;
};

} // namespace quillery
