// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/RtfParser.h"

#include "rtf/RtfCodePages.h"

namespace quillery::rtf {

namespace {

NumberStyle styleForNfc(int nfc)
{
    switch (nfc) {
    case 1:
        return NumberStyle::UpperRoman;
    case 2:
        return NumberStyle::LowerRoman;
    case 3:
        return NumberStyle::UpperAlpha;
    case 4:
        return NumberStyle::LowerAlpha;
    case 23:
        return NumberStyle::Bullet;
    default:
        return NumberStyle::Decimal;
    }
}

} // namespace

bool Parser::documentWord(Keyword keyword, int param)
{
    Group &group = top();
    const bool body = group.destination == Destination::Body;
    switch (keyword) {
    case Keyword::Ansi:
        setDocumentCodePage(1252);
        return true;
    case Keyword::Mac:
        setDocumentCodePage(10000);
        return true;
    case Keyword::Pc:
        setDocumentCodePage(437);
        return true;
    case Keyword::Pca:
        setDocumentCodePage(850);
        return true;
    case Keyword::AnsiCpg:
        if (param > 0)
            setDocumentCodePage(param);
        return true;
    case Keyword::Deff:
        m_tables.defaultFont = param;
        return true;
    case Keyword::Par:
    case Keyword::Sect:
    case Keyword::Column:
    case Keyword::NestRow:
        if (body)
            m_builder.endParagraph(group.chr, group.para);
        return true;
    case Keyword::Page:
        if (body) {
            m_builder.endParagraph(group.chr, group.para);
            m_builder.breakPage();
        }
        return true;
    default:
        return false;
    }
}

bool Parser::characterWord(Keyword keyword, bool hasParam, int param)
{
    Group &group = top();
    CharState &chr = group.chr;
    const bool on = !hasParam || param != 0;
    switch (keyword) {
    case Keyword::Plain: {
        const int link = chr.link; // a hyperlink is not formatting: it outlives \plain
        chr = CharState();
        chr.link = link;
        group.codePage = m_tables.fontCodePage(-1);
        return true;
    }
    case Keyword::B:
        chr.bold = on;
        return true;
    case Keyword::I:
        chr.italic = on;
        return true;
    case Keyword::Ul:
        chr.underline = on ? Underline::Single : Underline::None;
        return true;
    case Keyword::UlDotted:
        chr.underline = on ? Underline::Dotted : Underline::None;
        return true;
    case Keyword::UlDash:
        chr.underline = on ? Underline::Dash : Underline::None;
        return true;
    case Keyword::UlWave:
        chr.underline = on ? Underline::Wave : Underline::None;
        return true;
    case Keyword::UlNone:
        chr.underline = Underline::None;
        return true;
    case Keyword::Strike:
        chr.strike = on;
        return true;
    case Keyword::F:
        if (group.destination == Destination::FontTable) {
            m_fontNumber = param;
            m_fontPending = true;
        } else {
            chr.font = std::max(param, 0);
            group.codePage = m_tables.fontCodePage(chr.font);
        }
        return true;
    case Keyword::Fs:
        if (hasParam && param > 0)
            chr.sizeHalfPoints = std::clamp(param, 2, 3276);
        return true;
    case Keyword::Cf:
        chr.foreground = std::max(param, 0);
        return true;
    case Keyword::Cb:
    case Keyword::Highlight:
        chr.background = std::max(param, 0);
        return true;
    case Keyword::Super:
        chr.vertical = VerticalPosition::Super;
        return true;
    case Keyword::Sub:
        chr.vertical = VerticalPosition::Sub;
        return true;
    case Keyword::NoSuperSub:
        chr.vertical = VerticalPosition::Normal;
        return true;
    case Keyword::Up:
        chr.offsetHalfPoints = std::clamp(hasParam ? param : 6, -3276, 3276);
        return true;
    case Keyword::Dn:
        chr.offsetHalfPoints = -std::clamp(hasParam ? param : 6, -3276, 3276);
        return true;
    case Keyword::Caps:
        chr.caps = on;
        return true;
    case Keyword::SCaps:
        chr.smallCaps = on;
        return true;
    case Keyword::V:
        chr.hidden = on;
        return true;
    case Keyword::ExpndTw:
        chr.spacingTwips = twips(param);
        return true;
    case Keyword::Expnd:
        chr.spacingTwips = twips(std::clamp(param, -MaxTwips, MaxTwips) * 5);
        return true;
    default:
        return false;
    }
}

bool Parser::paragraphWord(Keyword keyword, bool hasParam, int param)
{
    Group &group = top();
    ParaState &para = group.para;
    const bool on = !hasParam || param != 0;
    switch (keyword) {
    case Keyword::Pard:
        para = ParaState();
        return true;
    case Keyword::Ql:
        para.alignment = 0;
        return true;
    case Keyword::Qr:
        para.alignment = 1;
        return true;
    case Keyword::Qc:
        para.alignment = 2;
        return true;
    case Keyword::Qj:
        para.alignment = 3;
        return true;
    case Keyword::Li:
        para.leftIndent = twips(param);
        return true;
    case Keyword::Ri:
        para.rightIndent = twips(param);
        return true;
    case Keyword::Fi:
        para.firstIndent = twips(param);
        return true;
    case Keyword::Sb:
        para.spaceBefore = std::clamp(param, 0, MaxTwips);
        return true;
    case Keyword::Sa:
        para.spaceAfter = std::clamp(param, 0, MaxTwips);
        return true;
    case Keyword::Sl:
        para.lineSpacing = twips(param);
        return true;
    case Keyword::SlMult:
        para.lineMultiple = on;
        return true;
    case Keyword::Tx:
    case Keyword::Tb:
        if (para.tabs.size() < MaxTabs) {
            para.tabs.append({std::clamp(param, 0, MaxTwips),
                              keyword == Keyword::Tb ? QTextOption::LeftTab : para.nextTabType});
        }
        para.nextTabType = QTextOption::LeftTab;
        return true;
    case Keyword::Tqr:
        para.nextTabType = QTextOption::RightTab;
        return true;
    case Keyword::Tqc:
        para.nextTabType = QTextOption::CenterTab;
        return true;
    case Keyword::TqDec:
        para.nextTabType = QTextOption::DelimiterTab;
        return true;
    case Keyword::PageBb:
        para.pageBreakBefore = on;
        return true;
    case Keyword::RtlPar:
        para.rightToLeft = true;
        return true;
    case Keyword::LtrPar:
        para.rightToLeft = false;
        return true;
    case Keyword::CbPat:
        para.shading = std::max(param, 0);
        return true;
    case Keyword::Ls:
        if (group.destination == Destination::ListOverride)
            m_override.override = param;
        else
            para.listOverride = std::max(param, 0);
        return true;
    case Keyword::Ilvl:
        para.listLevel = std::clamp(param, 0, MaxListLevels - 1);
        return true;
    case Keyword::InTbl:
        para.inTable = on;
        return true;
    default:
        return false;
    }
}

bool Parser::tableWord(Keyword keyword, int param)
{
    Group &group = top();
    switch (keyword) {
    case Keyword::TRowD:
        m_tables.cellBoundaries.clear();
        return true;
    case Keyword::CellX:
        if (m_tables.cellBoundaries.size() < 64)
            m_tables.cellBoundaries.append(std::clamp(param, 0, 2 * MaxTwips));
        return true;
    case Keyword::Cell:
        if (group.destination == Destination::Body)
            m_builder.endCell(group.chr, group.para);
        return true;
    case Keyword::Row:
        if (group.destination == Destination::Body)
            m_builder.endRow();
        return true;
    default:
        return false;
    }
}

bool Parser::fontAndColourWord(Keyword keyword, int param)
{
    Group &group = top();
    switch (keyword) {
    case Keyword::FCharset:
        if (group.destination == Destination::FontTable) {
            m_fontCodePage = codePageForCharset(param);
            m_symbolFont = param == SymbolCharset;
            group.codePage = m_fontCodePage > 0 ? m_fontCodePage : m_tables.codePage;
        }
        return true;
    case Keyword::Cpg:
        if (group.destination == Destination::FontTable && param > 0) {
            m_fontCodePage = param;
            group.codePage = param;
        }
        return true;
    case Keyword::Red:
        m_red = std::clamp(param, 0, 255);
        m_colourSet = true;
        return true;
    case Keyword::Green:
        m_green = std::clamp(param, 0, 255);
        m_colourSet = true;
        return true;
    case Keyword::Blue:
        m_blue = std::clamp(param, 0, 255);
        m_colourSet = true;
        return true;
    default:
        return false;
    }
}

bool Parser::pictureWord(Keyword keyword, int param)
{
    switch (keyword) {
    case Keyword::PngBlip:
        m_picture.kind = "pngblip";
        return true;
    case Keyword::JpegBlip:
        m_picture.kind = "jpegblip";
        return true;
    case Keyword::EmfBlip:
        m_picture.kind = "emfblip";
        return true;
    case Keyword::MacPict:
        m_picture.kind = "macpict";
        return true;
    case Keyword::WMetafile:
        m_picture.kind = "wmetafile" + QByteArray::number(std::max(param, 0));
        return true;
    case Keyword::DiBitmap:
        m_picture.kind = "dibitmap" + QByteArray::number(std::max(param, 0));
        return true;
    case Keyword::WBitmap:
        m_picture.kind = "wbitmap" + QByteArray::number(std::max(param, 0));
        return true;
    case Keyword::PmMetafile:
        m_picture.kind = "pmmetafile" + QByteArray::number(std::max(param, 0));
        return true;
    case Keyword::PicW:
        m_picture.width = std::clamp(param, 0, 1'000'000);
        return true;
    case Keyword::PicH:
        m_picture.height = std::clamp(param, 0, 1'000'000);
        return true;
    case Keyword::PicWGoal:
        m_picture.goalWidth = std::clamp(param, 0, 1'000'000);
        return true;
    case Keyword::PicHGoal:
        m_picture.goalHeight = std::clamp(param, 0, 1'000'000);
        return true;
    case Keyword::PicScaleX:
        m_picture.scaleX = std::clamp(param, 1, 10'000);
        return true;
    case Keyword::PicScaleY:
        m_picture.scaleY = std::clamp(param, 1, 10'000);
        return true;
    default:
        return false;
    }
}

// The older paragraph numbering (\pn) and the list table.
bool Parser::numberingWord(Keyword keyword, int param)
{
    Group &group = top();
    LegacyNumbering &numbering = group.para.numbering;
    const bool inNumbering = group.destination == Destination::Numbering;
    const bool inLevel = group.destination == Destination::ListLevel && !m_list.levels.isEmpty();
    switch (keyword) {
    case Keyword::PnLvlBlt:
        if (inNumbering)
            numbering.style = NumberStyle::Bullet;
        return true;
    case Keyword::PnLvlBody:
    case Keyword::PnLvl:
    case Keyword::PnDec:
        if (inNumbering)
            numbering.style = NumberStyle::Decimal;
        return true;
    case Keyword::PnLvlCont:
        if (inNumbering)
            numbering.continuation = true;
        return true;
    case Keyword::PnUcLtr:
        if (inNumbering)
            numbering.style = NumberStyle::UpperAlpha;
        return true;
    case Keyword::PnLcLtr:
        if (inNumbering)
            numbering.style = NumberStyle::LowerAlpha;
        return true;
    case Keyword::PnUcRm:
        if (inNumbering)
            numbering.style = NumberStyle::UpperRoman;
        return true;
    case Keyword::PnLcRm:
        if (inNumbering)
            numbering.style = NumberStyle::LowerRoman;
        return true;
    case Keyword::PnStart:
        if (inNumbering)
            numbering.start = std::clamp(param, 0, 32767);
        return true;
    case Keyword::ListId:
        if (group.destination == Destination::List)
            m_list.id = param;
        else if (group.destination == Destination::ListOverride)
            m_override.listId = param;
        return true;
    case Keyword::LevelNfc:
        if (inLevel) {
            m_list.levels.last().style = styleForNfc(param);
            m_list.levels.last().unnumbered = param == 255;
        }
        return true;
    case Keyword::LevelStartAt:
        if (inLevel)
            m_list.levels.last().start = std::clamp(param, 0, 32767);
        return true;
    default:
        return false;
    }
}

void Parser::setDocumentCodePage(int codePage)
{
    m_tables.codePage = codePage;
    for (Group &group : m_groups) {
        if (group.chr.font < 0 && group.destination != Destination::FontTable)
            group.codePage = codePage;
    }
}

} // namespace quillery::rtf
