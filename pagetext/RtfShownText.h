// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pagetext/ShownText.h"
#include "rtf/RtfKeywords.h"
#include "rtf/RtfParser.h"
#include "rtf/RtfTokenizer.h"

#include <QHash>
#include <QString>

#include <array>
#include <memory>
#include <vector>

namespace quillery {

class CodePageDecoder;
class ShownBytes;

// The text of an RTF page as the RTF reader puts it into a document, read as a stream:
// the same groups, destinations, code pages, \uN with its \ucN skip, hidden text and
// breaks, but nothing is kept of the formatting. A bullet or number that a writer put
// before a list paragraph is left out, as it is whenever the reader makes the list.
class RtfShownText : public ShownText
{
public:
    RtfShownText();
    ~RtfShownText() override;

    void read(QByteArrayView bytes, QByteArray &text) override;
    void finish(QByteArray &text) override;
    bool mayShow(QByteArrayView page, const ShownLetters &letters) const override;

private:
    friend class rtf::Tokenizer<RtfShownText>;

    struct Group
    {
        rtf::Destination destination = rtf::Destination::Body;
        bool ownsDestination = false;
        bool hidden = false;  // \v
        bool inTable = false; // \intbl
        int font = -1;        // -1: the document's default font
        int codePage = 1252;
    };

    Group &top() { return m_groups.back(); }

    // What the tokenizer hands over.
    void text(QByteArrayView run, bool ascii);
    void escapedByte(char byte);
    void unicode(char32_t c);
    bool word(rtf::Keyword keyword, bool hasParam, int param);
    void binary(QByteArrayView data);
    void controlWord(rtf::Keyword keyword, bool hasParam, int param);

    void openGroup();
    void closeGroup();
    void skipGroup();
    bool destination(rtf::Keyword keyword);
    void setDestination(rtf::Destination destination);
    void endDestination(const Group &closed);
    void setDocumentCodePage(int codePage);
    int fontCodePage(int font) const;
    void fontTableText(QByteArrayView run);
    void commitFont();
    void pictureText(QByteArrayView run);

    // ascii: the bytes are ASCII without carriage returns.
    void addBytes(QByteArrayView bytes, bool ascii = false);
    void flushBytes();
    void addString(const QString &text);
    const CodePageDecoder &decoder(int codePage);
    const ShownBytes *shownBytes(int codePage); // null for a double-byte code page

    // What goes into the text, with the document's paragraph and table breaks.
    void content(bool inTable);
    void endParagraph();
    void endCell();
    void putShown(const ShownBytes &shown, QByteArrayView bytes);
    void put(QByteArrayView utf8);
    void write(const char *bytes, qsizetype size);
    void flushOut();
    void putBreak();
    void releaseSurrogate();

    QByteArray *m_out = nullptr;
    std::array<char, 4096> m_pending; // what is to go out next
    qsizetype m_pendingSize = 0;
    rtf::Tokenizer<RtfShownText> m_tokenizer{*this};
    std::vector<Group> m_groups;

    // Bytes of text not yet decoded: a double-byte character may come in two escapes.
    QByteArray m_bytes;
    int m_bytesCodePage = 0;
    std::shared_ptr<const CodePageDecoder> m_decoder;
    int m_decoderCodePage = 0;
    const ShownBytes *m_shownBytes = nullptr;
    int m_shownBytesCodePage = 0;
    char16_t m_highSurrogate = 0; // a \uN half of a pair, waiting for the other half
    bool m_tableOpen = false;

    int m_documentCodePage = 1252;
    int m_defaultFont = 0;
    QHash<int, int> m_fontCodePages; // font number to code page, 0: the document's
    int m_fontNumber = 0;
    int m_fontCodePage = 0;
    bool m_symbolFont = false;
    bool m_fontPending = false;
    QString m_fontName;
    int m_listLevels = 0;
    int m_nibble = -1;
    bool m_pictureData = false;
};

} // namespace quillery
