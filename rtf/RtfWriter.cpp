// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/RtfWriter.h"

#include "platform/Twips.h"
#include "rtf/RtfCodePages.h"
#include "rtf/RtfFormat.h"
#include "rtf/RtfPictures.h"
#include "rtf/RtfReaderState.h"

#include <QDeadlineTimer>
#include <QHash>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

#include <cmath>

namespace quillery {

namespace {

using rtf::CharState;
using rtf::Underline;
using rtf::VerticalPosition;

// The width tables get when their columns have no fixed width: a page of 6.5 inches.
constexpr int TextWidthTwips = 9360;

// The state a run starts from: the header's font 0 and defaults, so that only what each
// run changes is written.
CharState documentDefaults()
{
    CharState state;
    state.font = 0;
    return state;
}

enum class BulletFont { Symbol, Courier, Wingdings };

// Fonts declared with the symbol character set, whose bytes readers take as glyph codes.
bool isSymbolFont(const QString &family)
{
    return family == QLatin1String("Symbol") || family == QLatin1String("Wingdings");
}

} // namespace

namespace rtf {

class Writer
{
public:
    Writer(const QTextDocument &doc, int from, int to);

    QByteArray write();
    // Writes on until the deadline has passed; true once the whole range is written.
    bool writeUntil(const QDeadlineTimer &deadline);
    QByteArray take() { return std::move(m_out); }

private:
    // The font and colour tables come first, so every block is looked at twice: once for
    // what it uses, once to write it.
    enum class Phase { Tables, Body, Done };

    void collect(const QTextBlock &block);
    int fontIndex(const QString &family);
    int colourIndex(const QBrush &brush);
    QString family(const QTextCharFormat &format) const;
    CharState charOut(const QTextCharFormat &format);
    const CharState &fragmentOut(const QTextFragment &fragment);

    void header();
    void frame(const QTextFrame *frame);
    void frameItem(const QTextFrame::iterator &item);
    void table(const QTextTable *table);
    void block(const QTextBlock &block, bool inTable, bool lastInCell);
    QByteArray paragraphFormat(const QTextBlock &block, bool inTable);
    QByteArray numbering(const QTextList *list, int twipsFont);
    void listText(const QTextBlock &block);
    void setChar(const CharState &target);
    void openLink(const QString &href);
    void closeLink();
    void picture(const QTextImageFormat &format);

    void word(const char *name);
    void word(const char *name, int value);
    void text(QStringView text);
    int twips(double pixels) const { return int(std::lround(pixelsToTwips(pixels, m_dpi))); }
    bool covers(int position) const { return position >= m_from && position < m_to; }

    const QTextDocument &m_doc;
    const int m_from;
    const int m_to;
    const double m_dpi;
    QByteArray m_out;
    bool m_delimit = false;     // a control word was written and text follows
    bool m_inFontTable = false; // ';' ends a font table entry, so names escape it

    QStringList m_fonts;
    QHash<QString, int> m_fontIndex;
    QList<QRgb> m_colours;
    QHash<QRgb, int> m_colourIndex;
    QHash<int, int> m_bulletFonts; // BulletFont to font index

    QHash<int, CharState> m_formats; // by the document's format index
    CharState m_state = documentDefaults();
    CharState m_stateOutsideLink = documentDefaults();
    QString m_link;
    QByteArray m_paragraph; // properties of the last \pard written
    bool m_paragraphWritten = false;

    Phase m_phase = Phase::Tables;
    QTextBlock m_collecting;        // the next block whose fonts and colours are taken
    QTextFrame::iterator m_writing; // the next item of the root frame to write
};

Writer::Writer(const QTextDocument &doc, int from, int to)
    : m_doc(doc), m_from(from), m_to(to), m_dpi(screenDpi()), m_collecting(doc.findBlock(from))
{
    m_out.reserve(qsizetype(m_doc.characterCount()) * 3 / 2 + 1024);
    fontIndex(m_doc.defaultFont().family());
}

QByteArray Writer::write()
{
    writeUntil(QDeadlineTimer::Forever);
    return take();
}

bool Writer::writeUntil(const QDeadlineTimer &deadline)
{
    if (m_phase == Phase::Tables) {
        while (m_collecting.isValid() && m_collecting.position() < m_to) {
            collect(m_collecting);
            m_collecting = m_collecting.next();
            if (deadline.hasExpired())
                return false;
        }
        header();
        m_writing = m_doc.rootFrame()->begin();
        m_phase = Phase::Body;
    }
    if (m_phase == Phase::Body) {
        while (!m_writing.atEnd()) {
            frameItem(m_writing);
            ++m_writing;
            if (deadline.hasExpired())
                return false;
        }
        closeLink();
        m_out += "}\r\n";
        m_phase = Phase::Done;
    }
    return true;
}

QString Writer::family(const QTextCharFormat &format) const
{
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty())
        return families.first();
    return m_doc.defaultFont().family();
}

int Writer::fontIndex(const QString &family)
{
    const auto it = m_fontIndex.constFind(family);
    if (it != m_fontIndex.constEnd())
        return *it;
    m_fonts.append(family);
    m_fontIndex.insert(family, int(m_fonts.size() - 1));
    return int(m_fonts.size() - 1);
}

int Writer::colourIndex(const QBrush &brush)
{
    if (brush.style() == Qt::NoBrush)
        return 0;
    const QRgb rgb = brush.color().rgb() | 0xFF000000u;
    const auto it = m_colourIndex.constFind(rgb);
    if (it != m_colourIndex.constEnd())
        return *it;
    m_colours.append(rgb);
    m_colourIndex.insert(rgb, int(m_colours.size()));
    return int(m_colours.size());
}

CharState Writer::charOut(const QTextCharFormat &format)
{
    CharState out;
    out.font = fontIndex(family(format));
    double points = m_doc.defaultFont().pointSizeF();
    if (format.hasProperty(QTextFormat::FontPointSize))
        points = format.fontPointSize();
    else if (format.hasProperty(QTextFormat::FontPixelSize))
        points = format.intProperty(QTextFormat::FontPixelSize) * 72.0 / m_dpi;
    out.sizeHalfPoints = points > 0 ? int(std::lround(points * 2)) : 24;
    out.bold = format.fontWeight() >= QFont::DemiBold;
    out.italic = format.fontItalic();
    switch (format.underlineStyle()) {
    case QTextCharFormat::NoUnderline:
    case QTextCharFormat::SpellCheckUnderline:
        break;
    case QTextCharFormat::DotLine:
        out.underline = Underline::Dotted;
        break;
    case QTextCharFormat::DashUnderline:
    case QTextCharFormat::DashDotLine:
    case QTextCharFormat::DashDotDotLine:
        out.underline = Underline::Dash;
        break;
    case QTextCharFormat::WaveUnderline:
        out.underline = Underline::Wave;
        break;
    default:
        out.underline = Underline::Single;
        break;
    }
    out.strike = format.fontStrikeOut();
    out.foreground = colourIndex(format.foreground());
    out.background = colourIndex(format.background());
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        out.vertical = VerticalPosition::Super;
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        out.vertical = VerticalPosition::Sub;
    if (format.hasProperty(rtf::CharOffsetTwips))
        out.offsetHalfPoints = format.intProperty(rtf::CharOffsetTwips) / 10;
    else if (format.baselineOffset() != 0)
        out.offsetHalfPoints = int(std::lround(format.baselineOffset() * out.sizeHalfPoints / 100));
    out.caps = format.fontCapitalization() == QFont::AllUppercase;
    out.smallCaps = format.fontCapitalization() == QFont::SmallCaps;
    if (format.fontLetterSpacingType() == QFont::AbsoluteSpacing)
        out.spacingTwips = twips(format.fontLetterSpacing());
    return out;
}

const CharState &Writer::fragmentOut(const QTextFragment &fragment)
{
    const int index = fragment.charFormatIndex();
    auto it = m_formats.find(index);
    if (it == m_formats.end())
        it = m_formats.insert(index, charOut(fragment.charFormat()));
    return *it;
}

// Adds what a block of the range uses to the font and colour tables.
void Writer::collect(const QTextBlock &block)
{
    // Paragraph marks are written for empty paragraphs, list numbers in the mark's font.
    if (block.length() == 1 || block.textList())
        charOut(block.charFormat());
    colourIndex(block.blockFormat().background());
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().isValid())
            fragmentOut(it.fragment());
    }
    if (const QTextList *list = block.textList()) {
        switch (list->format().style()) {
        case QTextListFormat::ListDisc:
            m_bulletFonts.insert(int(BulletFont::Symbol), fontIndex(QStringLiteral("Symbol")));
            break;
        case QTextListFormat::ListCircle:
            m_bulletFonts.insert(int(BulletFont::Courier),
                                 fontIndex(QStringLiteral("Courier New")));
            break;
        case QTextListFormat::ListSquare:
            m_bulletFonts.insert(int(BulletFont::Wingdings),
                                 fontIndex(QStringLiteral("Wingdings")));
            break;
        default:
            break;
        }
    }
}

void Writer::header()
{
    m_out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl";
    for (int i = 0; i < m_fonts.size(); ++i) {
        const QString &name = m_fonts.at(i);
        m_out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset" +
                 (isSymbolFont(name) ? "2" : "0") + ' ';
        m_delimit = false;
        m_inFontTable = true;
        text(name);
        m_inFontTable = false;
        m_out += ";}";
    }
    m_out += "}\r\n";
    if (!m_colours.isEmpty()) {
        m_out += "{\\colortbl ;";
        for (QRgb rgb : std::as_const(m_colours)) {
            m_out += "\\red" + QByteArray::number(qRed(rgb)) + "\\green" +
                     QByteArray::number(qGreen(rgb)) + "\\blue" + QByteArray::number(qBlue(rgb)) +
                     ';';
        }
        m_out += "}\r\n";
    }
    m_out += "{\\*\\generator Quillery " QUILLERY_VERSION ";}\\viewkind4\\uc1\r\n";
}

void Writer::frame(const QTextFrame *frame)
{
    for (auto it = frame->begin(); !it.atEnd(); ++it)
        frameItem(it);
}

void Writer::frameItem(const QTextFrame::iterator &item)
{
    if (const QTextFrame *child = item.currentFrame()) {
        const auto *childTable = qobject_cast<const QTextTable *>(child);
        if (childTable && childTable->firstPosition() >= m_from &&
            childTable->lastPosition() < m_to)
            table(childTable);
        else
            frame(child);
        return;
    }
    const QTextBlock current = item.currentBlock();
    if (current.position() + current.length() > m_from && current.position() < m_to)
        block(current, false, false);
}

void Writer::table(const QTextTable *table)
{
    const QList<QTextLength> widths = table->format().columnWidthConstraints();
    const int columns = table->columns();
    QByteArray definition = "\\trowd\\trgaph108\\trleft0";
    int right = 0;
    for (int column = 0; column < columns; ++column) {
        const QTextLength width = widths.value(column);
        if (width.type() == QTextLength::FixedLength)
            right += twips(width.rawValue());
        else if (width.type() == QTextLength::PercentageLength)
            right += int(TextWidthTwips * width.rawValue() / 100);
        else
            right += TextWidthTwips / columns;
        definition += "\\cellx" + QByteArray::number(right);
    }
    for (int row = 0; row < table->rows(); ++row) {
        closeLink();
        m_out += definition;
        m_delimit = true;
        for (int column = 0; column < columns; ++column) {
            const QTextTableCell cell = table->cellAt(row, column);
            if (cell.row() != row || cell.column() != column) {
                // covered by a merged cell: an empty cell keeps the grid
                m_out += "\\pard\\intbl\\cell";
                m_paragraph = "\\intbl";
                m_paragraphWritten = true;
                continue;
            }
            // Tables inside the cell come out as the cell's paragraphs.
            for (QTextBlock current = m_doc.findBlock(cell.firstPosition());
                 current.isValid() && current.position() <= cell.lastPosition();
                 current = current.next()) {
                block(current, true, current.position() + current.length() > cell.lastPosition());
            }
        }
        closeLink();
        word("row");
        m_out += "\r\n";
        m_delimit = false;
    }
}

void Writer::block(const QTextBlock &block, bool inTable, bool lastInCell)
{
    const QByteArray format = paragraphFormat(block, inTable);
    if (!m_paragraphWritten || format != m_paragraph) {
        closeLink();
        word("pard");
        m_out += format;
        if (!format.isEmpty())
            m_delimit = true;
        m_paragraph = format;
        m_paragraphWritten = true;
    }
    if (block.textList() && covers(block.position()))
        listText(block);

    const int start = block.position();
    const int end = start + block.length() - 1; // the paragraph mark
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid())
            continue;
        const int from = std::max(fragment.position(), m_from);
        const int to = std::min(fragment.position() + fragment.length(), m_to);
        if (from >= to)
            continue;
        const QTextCharFormat format = fragment.charFormat();
        const QString href = format.isAnchor() ? format.anchorHref() : QString();
        if (href != m_link) {
            closeLink();
            if (!href.isEmpty())
                openLink(href);
        }
        if (format.isImageFormat()) {
            for (int i = from; i < to; ++i)
                picture(format.toImageFormat());
            continue;
        }
        setChar(fragmentOut(fragment));
        text(QStringView(fragment.text()).sliced(from - fragment.position(), to - from));
    }
    if (!covers(end))
        return;
    closeLink();
    if (block.length() == 1)
        setChar(charOut(block.charFormat())); // an empty line keeps its font and size
    if (inTable && lastInCell) {
        word("cell");
    } else {
        word("par");
        m_out += "\r\n";
        m_delimit = false;
    }
}

QByteArray Writer::paragraphFormat(const QTextBlock &block, bool inTable)
{
    const QTextBlockFormat format = block.blockFormat();
    const QTextList *list = block.textList();
    QByteArray out;
    const auto add = [&out](const char *name, int value) {
        out += '\\';
        out += name;
        out += QByteArray::number(value);
    };
    if (inTable)
        out += "\\intbl";
    const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignRight)
        out += "\\qr";
    else if (alignment & Qt::AlignHCenter)
        out += "\\qc";
    else if (alignment & Qt::AlignJustify)
        out += "\\qj";
    int left = twips(format.leftMargin());
    int first = twips(format.textIndent());
    if (list) {
        if (format.hasProperty(rtf::ListFirstIndentTwips)) {
            first = format.intProperty(rtf::ListFirstIndentTwips);
        } else {
            // A list made here: Qt indents it by list levels; RTF wants the indent itself
            // and a hanging first line for the bullet.
            left += twips(list->format().indent() * 40.0 * m_dpi / 96.0);
            first = -std::min(360, left);
        }
    }
    if (first)
        add("fi", first);
    if (left)
        add("li", left);
    if (const int right = twips(format.rightMargin()))
        add("ri", right);
    if (const int before = twips(format.topMargin()))
        add("sb", before);
    if (const int after = twips(format.bottomMargin()))
        add("sa", after);
    switch (format.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        if (format.lineHeight() != 100) {
            add("sl", int(std::lround(format.lineHeight() * 240 / 100)));
            add("slmult", 1);
        }
        break;
    case QTextBlockFormat::MinimumHeight:
        add("sl", twips(format.lineHeight()));
        add("slmult", 0);
        break;
    case QTextBlockFormat::FixedHeight:
        add("sl", -twips(format.lineHeight()));
        add("slmult", 0);
        break;
    default:
        break;
    }
    for (const QTextOption::Tab &tab : format.tabPositions()) {
        if (tab.type == QTextOption::RightTab)
            out += "\\tqr";
        else if (tab.type == QTextOption::CenterTab)
            out += "\\tqc";
        else if (tab.type == QTextOption::DelimiterTab)
            out += "\\tqdec";
        add("tx", twips(tab.position));
    }
    if (const int shading = colourIndex(format.background()))
        add("cbpat", shading);
    if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        out += "\\pagebb";
    if (format.layoutDirection() == Qt::RightToLeft)
        out += "\\rtlpar";
    if (list)
        out += numbering(list, fontIndex(family(block.charFormat())));
    return out;
}

// The list as the older paragraph numbering, which the rich edit control and word
// processors all read.
QByteArray Writer::numbering(const QTextList *list, int textFont)
{
    const QTextListFormat format = list->format();
    QByteArray out = "{\\*\\pn";
    const auto affix = [this, &out](const char *name, const QString &value) {
        if (value.isEmpty())
            return;
        out += "{\\" + QByteArray(name) + ' ';
        QByteArray saved;
        std::swap(saved, m_out);
        m_delimit = false;
        text(value);
        std::swap(saved, m_out);
        out += saved + '}';
    };
    switch (format.style()) {
    case QTextListFormat::ListCircle:
        out += "\\pnlvlblt\\pnf" +
               QByteArray::number(m_bulletFonts.value(int(BulletFont::Courier))) +
               "\\pnindent0{\\pntxtb o}}";
        return out;
    case QTextListFormat::ListSquare:
        out += "\\pnlvlblt\\pnf" +
               QByteArray::number(m_bulletFonts.value(int(BulletFont::Wingdings))) +
               "\\pnindent0{\\pntxtb\\'a7}}";
        return out;
    case QTextListFormat::ListDecimal:
    case QTextListFormat::ListLowerAlpha:
    case QTextListFormat::ListUpperAlpha:
    case QTextListFormat::ListLowerRoman:
    case QTextListFormat::ListUpperRoman:
        break;
    default:
        out += "\\pnlvlblt\\pnf" +
               QByteArray::number(m_bulletFonts.value(int(BulletFont::Symbol))) +
               "\\pnindent0{\\pntxtb\\'b7}}";
        return out;
    }
    out += "\\pnlvlbody\\pnf" + QByteArray::number(textFont) + "\\pnindent0\\pnstart" +
           QByteArray::number(
               format.hasProperty(rtf::ListStart) ? format.intProperty(rtf::ListStart) : 1);
    switch (format.style()) {
    case QTextListFormat::ListLowerAlpha:
        out += "\\pnlcltr";
        break;
    case QTextListFormat::ListUpperAlpha:
        out += "\\pnucltr";
        break;
    case QTextListFormat::ListLowerRoman:
        out += "\\pnlcrm";
        break;
    case QTextListFormat::ListUpperRoman:
        out += "\\pnucrm";
        break;
    default:
        out += "\\pndec";
        break;
    }
    affix("pntxtb", format.numberPrefix());
    affix("pntxta", format.numberSuffix());
    out += '}';
    return out;
}

// The bullet or number as text, for readers that do not number paragraphs themselves.
void Writer::listText(const QTextBlock &block)
{
    const QTextList *list = block.textList();
    m_out += "{\\pntext";
    switch (list->format().style()) {
    case QTextListFormat::ListCircle:
        m_out += "\\f" + QByteArray::number(m_bulletFonts.value(int(BulletFont::Courier))) + " o";
        break;
    case QTextListFormat::ListSquare:
        m_out +=
            "\\f" + QByteArray::number(m_bulletFonts.value(int(BulletFont::Wingdings))) + "\\'a7";
        break;
    case QTextListFormat::ListDisc:
        m_out += "\\f" + QByteArray::number(m_bulletFonts.value(int(BulletFont::Symbol))) + "\\'b7";
        break;
    default:
        m_out += "\\f" + QByteArray::number(fontIndex(family(block.charFormat())));
        m_delimit = true;
        text(list->itemText(block));
        break;
    }
    m_out += "\\tab}";
    m_delimit = false;
}

void Writer::setChar(const CharState &target)
{
    CharState &s = m_state;
    if (target.font != s.font)
        word("f", target.font);
    if (target.sizeHalfPoints != s.sizeHalfPoints)
        word("fs", target.sizeHalfPoints);
    if (target.bold != s.bold)
        target.bold ? word("b") : word("b", 0);
    if (target.italic != s.italic)
        target.italic ? word("i") : word("i", 0);
    if (target.underline != s.underline) {
        switch (target.underline) {
        case Underline::None:
            word("ulnone");
            break;
        case Underline::Single:
            word("ul");
            break;
        case Underline::Dotted:
            word("uld");
            break;
        case Underline::Dash:
            word("uldash");
            break;
        case Underline::Wave:
            word("ulwave");
            break;
        }
    }
    if (target.strike != s.strike)
        target.strike ? word("strike") : word("strike", 0);
    if (target.foreground != s.foreground)
        word("cf", target.foreground);
    if (target.background != s.background)
        word("highlight", target.background);
    if (target.vertical != s.vertical) {
        word(target.vertical == VerticalPosition::Super ? "super"
             : target.vertical == VerticalPosition::Sub ? "sub"
                                                        : "nosupersub");
    }
    if (target.offsetHalfPoints != s.offsetHalfPoints) {
        if (target.offsetHalfPoints >= 0)
            word("up", target.offsetHalfPoints);
        else
            word("dn", -target.offsetHalfPoints);
    }
    if (target.caps != s.caps)
        target.caps ? word("caps") : word("caps", 0);
    if (target.smallCaps != s.smallCaps)
        target.smallCaps ? word("scaps") : word("scaps", 0);
    if (target.spacingTwips != s.spacingTwips)
        word("expndtw", target.spacingTwips);
    s = target;
}

void Writer::openLink(const QString &href)
{
    QString address = href;
    address.replace(u'"', QLatin1String("%22"));
    m_out += "{\\field{\\*\\fldinst{HYPERLINK \"";
    m_delimit = false;
    text(address);
    m_out += "\"}}{\\fldrslt{";
    m_delimit = false;
    m_link = href;
    m_stateOutsideLink = m_state;
}

void Writer::closeLink()
{
    if (m_link.isEmpty())
        return;
    m_out += "}}}";
    m_delimit = false;
    m_link.clear();
    m_state = m_stateOutsideLink;
}

void Writer::picture(const QTextImageFormat &format)
{
    const rtf::Picture picture = rtf::pictureForWriting(format, m_doc, m_dpi);
    if (picture.kind.isEmpty())
        return;
    m_out += "{\\pict\\" + picture.kind;
    m_delimit = false;
    word("picw", picture.width);
    word("pich", picture.height);
    word("picwgoal", picture.goalWidth);
    word("pichgoal", picture.goalHeight);
    m_out += "\r\n";
    static const char digits[] = "0123456789abcdef";
    const QByteArray &data = picture.data;
    for (qsizetype i = 0; i < data.size(); ++i) {
        const auto byte = static_cast<unsigned char>(data.at(i));
        m_out += digits[byte >> 4];
        m_out += digits[byte & 15];
        if (i % 64 == 63)
            m_out += "\r\n";
    }
    m_out += '}';
    m_delimit = false;
}

void Writer::word(const char *name)
{
    m_out += '\\';
    m_out += name;
    m_delimit = true;
}

void Writer::word(const char *name, int value)
{
    m_out += '\\';
    m_out += name;
    m_out += QByteArray::number(value);
    m_delimit = true;
}

void Writer::text(QStringView text)
{
    static const char hex[] = "0123456789abcdef";
    // Text in a symbol font goes as Unicode: its bytes would be read as glyph codes.
    const bool unicodeOnly = !m_inFontTable && isSymbolFont(m_fonts.value(m_state.font));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (unicodeOnly && c != u'\t' && c != 0x2028) {
            word("u", qint16(c));
            m_out += '?';
            m_delimit = false;
            continue;
        }
        if (c >= 0x20 && c < 0x7F && c != u'\\' && c != u'{' && c != u'}' &&
            !(c == u';' && m_inFontTable)) {
            if (m_delimit) {
                m_out += ' ';
                m_delimit = false;
            }
            m_out += char(c);
            continue;
        }
        switch (c) {
        case u'\\':
        case u'{':
        case u'}':
            m_out += '\\';
            m_out += char(c);
            m_delimit = false;
            continue;
        case u'\t':
            word("tab");
            continue;
        case 0x2028:
            word("line");
            continue;
        case 0x00A0:
            m_out += "\\~";
            m_delimit = false;
            continue;
        case 0x00AD:
            m_out += "\\-";
            m_delimit = false;
            continue;
        case 0x2011:
            m_out += "\\_";
            m_delimit = false;
            continue;
        default:
            break;
        }
        const unsigned char byte = windows1252Byte(c);
        if (byte != 0 && c >= 0x20) {
            m_out += "\\'";
            m_out += hex[byte >> 4];
            m_out += hex[byte & 15];
            m_delimit = false;
        } else {
            word("u", qint16(c));
            m_out += '?';
            m_delimit = false;
        }
    }
}

} // namespace rtf

QByteArray writeRtf(const QTextDocument &doc)
{
    return rtf::Writer(doc, 0, doc.characterCount()).write();
}

QByteArray writeRtf(const QTextDocument &doc, int from, int to)
{
    return rtf::Writer(doc, std::max(from, 0), std::min(to, doc.characterCount())).write();
}

RtfWriteJob::RtfWriteJob(const QTextDocument &doc)
    : m_writer(std::make_unique<rtf::Writer>(doc, 0, doc.characterCount()))
{
}

RtfWriteJob::~RtfWriteJob() = default;

bool RtfWriteJob::writeUntil(const QDeadlineTimer &deadline)
{
    return m_writer->writeUntil(deadline);
}

QByteArray RtfWriteJob::take()
{
    return m_writer->take();
}

} // namespace quillery
