// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rtf/RtfDocumentBuilder.h"
#include "rtf/RtfKeywords.h"
#include "rtf/RtfPictures.h"
#include "rtf/RtfReaderState.h"
#include "rtf/RtfTokenizer.h"

#include <QByteArrayView>
#include <QString>

#include <algorithm>
#include <memory>
#include <vector>

namespace quillery {

class CodePageDecoder;

namespace rtf {

constexpr int MaxTwips = 31680; // 22 inches
constexpr int MaxTabs = 64;
constexpr int MaxListLevels = 9;

inline int twips(int value)
{
    return std::clamp(value, -MaxTwips, MaxTwips);
}

// Where the text of a group goes.
enum class Destination : quint8 {
    Body,
    Skip,
    FontTable,
    ColourTable,
    Picture,
    FieldInstruction,
    ListText,
    Numbering,
    NumberBefore,
    NumberAfter,
    ListTable,
    List,
    ListLevel,
    LevelText,
    ListOverrideTable,
    ListOverride,
};

struct Group
{
    Destination destination = Destination::Body;
    bool ownsDestination = false;
    int codePage = 1252;
    CharState chr;
    ParaState para;
};

struct OpenField
{
    qsizetype depth;
    QString link;
};

struct ListDef
{
    int id = 0;
    QList<ListLevelDef> levels;
};

struct ListOverrideDef
{
    int listId = 0;
    int override = 0;
};

// Reads the tokens of RTF, keeps the group states and the document's tables, and hands
// text, paragraphs, cells and pictures to the builder.
class Parser
{
public:
    Parser(QByteArrayView data, RtfTables &tables, RtfDocumentBuilder &builder);

    void run();

private:
    friend class Tokenizer<Parser>;

    Group &top() { return m_groups.back(); }

    // What the tokenizer hands over.
    void openGroup();
    void closeGroup();
    void skipGroup();
    void text(QByteArrayView run, bool ascii);
    void escapedByte(char byte);
    void unicode(char32_t c);
    bool word(Keyword keyword, bool hasParam, int param);
    void binary(QByteArrayView data);

    void addBytes(QByteArrayView bytes);
    void flushBytes();
    void addString(QStringView text);

    bool destination(Keyword keyword);
    void setDestination(Destination destination);
    void endDestination(const Group &closed);
    bool documentWord(Keyword keyword, int param);
    bool characterWord(Keyword keyword, bool hasParam, int param);
    bool paragraphWord(Keyword keyword, bool hasParam, int param);
    bool tableWord(Keyword keyword, int param);
    bool fontAndColourWord(Keyword keyword, int param);
    bool pictureWord(Keyword keyword, int param);
    bool numberingWord(Keyword keyword, int param);
    void setDocumentCodePage(int codePage);

    void fontTableText(QByteArrayView run);
    void commitFont();
    void colourTableText(QByteArrayView run);
    void pictureText(QByteArrayView run);

    QByteArrayView m_data;
    RtfTables &m_tables;
    RtfDocumentBuilder &m_builder;
    std::vector<Group> m_groups;
    bool m_finished = false;

    QByteArray m_bytes;
    int m_bytesCodePage = 0;
    std::shared_ptr<const CodePageDecoder> m_decoder;
    QString m_decoded;
    QString m_side; // text of a destination that is not document text

    int m_fontNumber = 0;
    int m_fontCodePage = 0;
    bool m_symbolFont = false;
    bool m_fontPending = false;
    int m_red = 0;
    int m_green = 0;
    int m_blue = 0;
    bool m_colourSet = false;
    Picture m_picture;
    int m_nibble = -1;
    std::vector<OpenField> m_fields;
    ListDef m_list;
    ListOverrideDef m_override;
};

} // namespace rtf

} // namespace quillery
