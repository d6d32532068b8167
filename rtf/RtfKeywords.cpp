// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/RtfKeywords.h"

#include <string_view>
#include <unordered_map>

namespace quillery::rtf {

namespace {

using Table = std::unordered_map<std::string_view, Keyword>;

const Table &table()
{
    static const Table keywords = {
        {"rtf", Keyword::Rtf},
        {"urtf", Keyword::Rtf},
        {"ansi", Keyword::Ansi},
        {"mac", Keyword::Mac},
        {"pc", Keyword::Pc},
        {"pca", Keyword::Pca},
        {"ansicpg", Keyword::AnsiCpg},
        {"deff", Keyword::Deff},
        {"uc", Keyword::Uc},
        {"u", Keyword::U},

        {"fonttbl", Keyword::FontTable},
        {"colortbl", Keyword::ColourTable},
        {"pict", Keyword::Pict},
        {"field", Keyword::Field},
        {"fldinst", Keyword::FldInst},
        {"fldrslt", Keyword::FldRslt},
        {"pntext", Keyword::PnText},
        {"listtext", Keyword::ListText},
        {"pn", Keyword::Pn},
        {"pntxtb", Keyword::PnTxtB},
        {"pntxta", Keyword::PnTxtA},
        {"listtable", Keyword::ListTable},
        {"list", Keyword::List},
        {"listlevel", Keyword::ListLevel},
        {"leveltext", Keyword::LevelText},
        {"listoverridetable", Keyword::ListOverrideTable},
        {"listoverride", Keyword::ListOverride},
        {"shppict", Keyword::ShpPict},
        {"nonshppict", Keyword::NonShpPict},
        {"object", Keyword::Object},
        {"result", Keyword::Result},
        {"shprslt", Keyword::ShpRslt},
        // Destinations whose content is not document text, starred or not.
        {"info", Keyword::SkippedDestination},
        {"stylesheet", Keyword::SkippedDestination},
        {"header", Keyword::SkippedDestination},
        {"headerl", Keyword::SkippedDestination},
        {"headerr", Keyword::SkippedDestination},
        {"headerf", Keyword::SkippedDestination},
        {"footer", Keyword::SkippedDestination},
        {"footerl", Keyword::SkippedDestination},
        {"footerr", Keyword::SkippedDestination},
        {"footerf", Keyword::SkippedDestination},
        {"footnote", Keyword::SkippedDestination},
        {"annotation", Keyword::SkippedDestination},
        {"pnseclvl", Keyword::SkippedDestination},
        {"xe", Keyword::SkippedDestination},
        {"tc", Keyword::SkippedDestination},
        {"txe", Keyword::SkippedDestination},
        {"objdata", Keyword::SkippedDestination},
        {"objclass", Keyword::SkippedDestination},
        {"filetbl", Keyword::SkippedDestination},
        {"revtbl", Keyword::SkippedDestination},
        {"listname", Keyword::SkippedDestination},
        {"levelnumbers", Keyword::SkippedDestination},
        {"lfolevel", Keyword::SkippedDestination},
        {"pgdsctbl", Keyword::SkippedDestination},
        {"template", Keyword::SkippedDestination},
        {"nextfile", Keyword::SkippedDestination},
        {"do", Keyword::SkippedDestination},
        {"shpinst", Keyword::SkippedDestination},
        {"nonesttables", Keyword::SkippedDestination},
        {"upr", Keyword::SkippedDestination},
        {"fname", Keyword::SkippedDestination},
        {"falt", Keyword::SkippedDestination},
        {"panose", Keyword::SkippedDestination},
        {"bkmkstart", Keyword::SkippedDestination},
        {"bkmkend", Keyword::SkippedDestination},
        {"atnid", Keyword::SkippedDestination},
        {"atnauthor", Keyword::SkippedDestination},
        {"generator", Keyword::SkippedDestination},

        {"plain", Keyword::Plain},
        {"b", Keyword::B},
        {"i", Keyword::I},
        {"ul", Keyword::Ul},
        {"ulw", Keyword::Ul},
        {"uldb", Keyword::Ul},
        {"ulth", Keyword::Ul},
        {"uld", Keyword::UlDotted},
        {"ulthd", Keyword::UlDotted},
        {"uldash", Keyword::UlDash},
        {"uldashd", Keyword::UlDash},
        {"uldashdd", Keyword::UlDash},
        {"ulldash", Keyword::UlDash},
        {"ulthdash", Keyword::UlDash},
        {"ulwave", Keyword::UlWave},
        {"ulhwave", Keyword::UlWave},
        {"ululdbwave", Keyword::UlWave},
        {"ulnone", Keyword::UlNone},
        {"strike", Keyword::Strike},
        {"striked", Keyword::Strike},
        {"f", Keyword::F},
        {"fs", Keyword::Fs},
        {"cf", Keyword::Cf},
        {"cb", Keyword::Cb},
        {"chcbpat", Keyword::Cb},
        {"highlight", Keyword::Highlight},
        {"super", Keyword::Super},
        {"sub", Keyword::Sub},
        {"nosupersub", Keyword::NoSuperSub},
        {"up", Keyword::Up},
        {"dn", Keyword::Dn},
        {"caps", Keyword::Caps},
        {"scaps", Keyword::SCaps},
        {"v", Keyword::V},
        {"expndtw", Keyword::ExpndTw},
        {"expnd", Keyword::Expnd},

        {"pard", Keyword::Pard},
        {"ql", Keyword::Ql},
        {"qr", Keyword::Qr},
        {"qc", Keyword::Qc},
        {"qj", Keyword::Qj},
        {"qd", Keyword::Qj},
        {"li", Keyword::Li},
        {"lin", Keyword::Li},
        {"ri", Keyword::Ri},
        {"rin", Keyword::Ri},
        {"fi", Keyword::Fi},
        {"sb", Keyword::Sb},
        {"sa", Keyword::Sa},
        {"sl", Keyword::Sl},
        {"slmult", Keyword::SlMult},
        {"tx", Keyword::Tx},
        {"tb", Keyword::Tb},
        {"tqr", Keyword::Tqr},
        {"tqc", Keyword::Tqc},
        {"tqdec", Keyword::TqDec},
        {"pagebb", Keyword::PageBb},
        {"rtlpar", Keyword::RtlPar},
        {"ltrpar", Keyword::LtrPar},
        {"cbpat", Keyword::CbPat},
        {"ls", Keyword::Ls},
        {"ilvl", Keyword::Ilvl},
        {"intbl", Keyword::InTbl},

        {"par", Keyword::Par},
        {"line", Keyword::Line},
        {"tab", Keyword::Tab},
        {"page", Keyword::Page},
        {"sect", Keyword::Sect},
        {"column", Keyword::Column},
        {"cell", Keyword::Cell},
        {"row", Keyword::Row},
        {"nestcell", Keyword::NestCell},
        {"nestrow", Keyword::NestRow},
        {"trowd", Keyword::TRowD},
        {"cellx", Keyword::CellX},
        {"emdash", Keyword::EmDash},
        {"endash", Keyword::EnDash},
        {"emspace", Keyword::EmSpace},
        {"enspace", Keyword::EnSpace},
        {"qmspace", Keyword::QmSpace},
        {"bullet", Keyword::Bullet},
        {"lquote", Keyword::LQuote},
        {"rquote", Keyword::RQuote},
        {"ldblquote", Keyword::LDblQuote},
        {"rdblquote", Keyword::RDblQuote},
        {"zwj", Keyword::Zwj},
        {"zwnj", Keyword::Zwnj},
        {"ltrmark", Keyword::LtrMark},
        {"rtlmark", Keyword::RtlMark},

        {"fcharset", Keyword::FCharset},
        {"cpg", Keyword::Cpg},
        {"froman", Keyword::FRoman},
        {"fswiss", Keyword::FSwiss},
        {"fmodern", Keyword::FModern},
        {"fscript", Keyword::FScript},
        {"fdecor", Keyword::FDecor},

        {"red", Keyword::Red},
        {"green", Keyword::Green},
        {"blue", Keyword::Blue},

        {"pnlvlblt", Keyword::PnLvlBlt},
        {"pnlvlbody", Keyword::PnLvlBody},
        {"pnlvlcont", Keyword::PnLvlCont},
        {"pnlvl", Keyword::PnLvl},
        {"pndec", Keyword::PnDec},
        {"pnucltr", Keyword::PnUcLtr},
        {"pnlcltr", Keyword::PnLcLtr},
        {"pnucrm", Keyword::PnUcRm},
        {"pnlcrm", Keyword::PnLcRm},
        {"pnstart", Keyword::PnStart},

        {"listid", Keyword::ListId},
        {"levelnfc", Keyword::LevelNfc},
        {"levelnfcn", Keyword::LevelNfc},
        {"levelstartat", Keyword::LevelStartAt},

        {"pngblip", Keyword::PngBlip},
        {"jpegblip", Keyword::JpegBlip},
        {"emfblip", Keyword::EmfBlip},
        {"wmetafile", Keyword::WMetafile},
        {"dibitmap", Keyword::DiBitmap},
        {"wbitmap", Keyword::WBitmap},
        {"macpict", Keyword::MacPict},
        {"pmmetafile", Keyword::PmMetafile},
        {"picw", Keyword::PicW},
        {"pich", Keyword::PicH},
        {"picwgoal", Keyword::PicWGoal},
        {"pichgoal", Keyword::PicHGoal},
        {"picscalex", Keyword::PicScaleX},
        {"picscaley", Keyword::PicScaleY},
        {"bin", Keyword::Bin},
    };
    return keywords;
}

} // namespace

Keyword keywordFor(QByteArrayView name)
{
    const Table &keywords = table();
    const auto it = keywords.find(std::string_view(name.data(), size_t(name.size())));
    return it == keywords.end() ? Keyword::Unknown : it->second;
}

bool isDestination(Keyword keyword)
{
    switch (keyword) {
    case Keyword::FontTable:
    case Keyword::ColourTable:
    case Keyword::Pict:
    case Keyword::Field:
    case Keyword::FldInst:
    case Keyword::FldRslt:
    case Keyword::PnText:
    case Keyword::ListText:
    case Keyword::Pn:
    case Keyword::PnTxtB:
    case Keyword::PnTxtA:
    case Keyword::ListTable:
    case Keyword::List:
    case Keyword::ListLevel:
    case Keyword::LevelText:
    case Keyword::ListOverrideTable:
    case Keyword::ListOverride:
    case Keyword::ShpPict:
    case Keyword::NonShpPict:
    case Keyword::Object:
    case Keyword::Result:
    case Keyword::ShpRslt:
    case Keyword::SkippedDestination:
        return true;
    default:
        return false;
    }
}

char32_t specialCharacter(Keyword keyword)
{
    switch (keyword) {
    case Keyword::Line:
        return 0x2028;
    case Keyword::Tab:
    case Keyword::NestCell:
        return u'\t';
    case Keyword::EmDash:
        return 0x2014;
    case Keyword::EnDash:
        return 0x2013;
    case Keyword::EmSpace:
        return 0x2003;
    case Keyword::EnSpace:
        return 0x2002;
    case Keyword::QmSpace:
        return 0x2005;
    case Keyword::Bullet:
        return 0x2022;
    case Keyword::LQuote:
        return 0x2018;
    case Keyword::RQuote:
        return 0x2019;
    case Keyword::LDblQuote:
        return 0x201C;
    case Keyword::RDblQuote:
        return 0x201D;
    case Keyword::Zwj:
        return 0x200D;
    case Keyword::Zwnj:
        return 0x200C;
    case Keyword::LtrMark:
        return 0x200E;
    case Keyword::RtlMark:
        return 0x200F;
    default:
        return 0;
    }
}

} // namespace quillery::rtf
