// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/RtfDocumentBuilder.h"

#include "platform/Twips.h"
#include "rtf/RtfFormat.h"

#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include <algorithm>

namespace quillery::rtf {

namespace {

// Word allows 63 columns; more would only come from damaged or hostile files.
constexpr int MaxColumns = 64;
// Every row a table gains has as many cells as the widest row, so a few bytes per row can
// ask for many cells; beyond this many cells in one document, rows become paragraphs.
constexpr int MaxTableCells = 256 * 1024;
constexpr qint64 PixelBudget = 100'000'000;

QTextListFormat::Style listStyle(NumberStyle style)
{
    switch (style) {
    case NumberStyle::Bullet:
        return QTextListFormat::ListDisc;
    case NumberStyle::Circle:
        return QTextListFormat::ListCircle;
    case NumberStyle::Square:
        return QTextListFormat::ListSquare;
    case NumberStyle::Decimal:
        return QTextListFormat::ListDecimal;
    case NumberStyle::UpperAlpha:
        return QTextListFormat::ListUpperAlpha;
    case NumberStyle::LowerAlpha:
        return QTextListFormat::ListLowerAlpha;
    case NumberStyle::UpperRoman:
        return QTextListFormat::ListUpperRoman;
    case NumberStyle::LowerRoman:
        return QTextListFormat::ListLowerRoman;
    }
    return QTextListFormat::ListDisc;
}

// Bullet levels of Word lists name their glyph: "o" in Courier New, the Wingdings square...
NumberStyle bulletShape(const QString &levelText)
{
    for (QChar c : levelText) {
        const char16_t u = c.unicode();
        if (u == u'o' || u == 0x25CB || u == 0x25E6)
            return NumberStyle::Circle;
        if (u == 0xF0A7 || u == 0xF06E || u == 0x25AA || u == 0x25A0 || u == 0xA7)
            return NumberStyle::Square;
    }
    return NumberStyle::Bullet;
}

// A level text is its length, then literal text with the level numbers as characters 0 to 8.
void numberAffixes(const QString &levelText, QString *prefix, QString *suffix)
{
    if (levelText.isEmpty())
        return;
    const QString text = levelText.mid(1, levelText.at(0).unicode());
    qsizetype first = -1;
    qsizetype last = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).unicode() < 9) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    if (first < 0)
        return;
    *prefix = text.left(first);
    *suffix = text.mid(last + 1);
}

} // namespace

RtfDocumentBuilder::RtfDocumentBuilder(const QTextCursor &cursor, const RtfTables &tables,
                                       bool wholeDocument)
    : m_cursor(cursor), m_tables(tables), m_wholeDocument(wholeDocument), m_dpi(screenDpi()),
      m_targetBlockFormat(cursor.blockFormat()), m_pixelBudget(PixelBudget)
{
}

double RtfDocumentBuilder::pixels(double twips) const
{
    return twipsToPixels(twips, m_dpi);
}

void RtfDocumentBuilder::addText(QStringView text, const CharState &chr, const ParaState &para)
{
    if (needsPreparing(para)) {
        flushText();
        prepareContent(para);
    }
    if (!m_haveTextFormat || !(chr == m_textChar)) {
        flushText();
        m_textChar = chr;
        m_textFormat = charFormat(chr);
        m_haveTextFormat = true;
    }
    m_text += text;
}

void RtfDocumentBuilder::addPicture(const Picture &picture, const CharState &chr,
                                    const ParaState &para)
{
    flushText();
    prepareContent(para);
    QTextImageFormat format = pictureFormat(picture, m_cursor.document(), m_dpi, m_pixelBudget);
    if (chr.link > 0) {
        format.setAnchor(true);
        format.setAnchorHref(m_tables.links.value(chr.link - 1));
    }
    m_cursor.insertImage(format);
}

void RtfDocumentBuilder::setListText(const QString &text, const CharState &chr)
{
    m_listText = text;
    m_listTextChar = chr;
}

void RtfDocumentBuilder::flushText()
{
    if (m_text.isEmpty())
        return;
    m_cursor.insertText(m_text, m_textFormat);
    m_text.clear();
}

void RtfDocumentBuilder::prepareContent(const ParaState &para)
{
    if (para.inTable && m_tableCells < MaxTableCells) {
        if (!m_table)
            startTable();
        else if (m_rowPending || m_cellPending)
            enterCell();
    } else if (m_table) {
        endTable();
    }
    if (m_paragraphPending) {
        m_cursor.insertBlock(m_lastBlockFormat, m_lastBlockCharFormat);
        m_blockGuessed = true;
        m_paragraphPending = false;
    }
}

void RtfDocumentBuilder::endParagraph(const CharState &chr, const ParaState &para)
{
    flushText();
    prepareContent(para);
    formatBlock(chr, para);
    m_paragraphPending = true;
}

void RtfDocumentBuilder::breakPage()
{
    m_breakBefore = true;
}

void RtfDocumentBuilder::formatBlock(const CharState &chr, const ParaState &para)
{
    QTextBlockFormat format = blockFormat(para);
    if (m_breakBefore) {
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        m_breakBefore = false;
    }
    const ListChoice choice = listFor(para);
    if (choice.wanted()) {
        format.setTextIndent(0);
        format.setProperty(ListFirstIndentTwips, para.firstIndent);
    }
    if (m_cursor.blockFormat() != format)
        m_cursor.setBlockFormat(format);
    const QTextCharFormat blockChar = charFormat(chr); // a copy: the cache may reuse its entry
    if (m_cursor.blockCharFormat() != blockChar)
        m_cursor.setBlockCharFormat(blockChar);
    // Taken before the paragraph joins its list: a paragraph started with a list's format
    // would join that list.
    m_lastBlockFormat = format;
    m_lastBlockCharFormat = blockChar;
    m_blockGuessed = false;
    if (choice.list) {
        choice.list->add(m_cursor.block());
    } else if (choice.format) {
        // Qt drops a list with no paragraphs, so a list is made with its first paragraph.
        QTextList *list = m_cursor.createList(*choice.format);
        if (choice.overrideKey >= 0)
            m_overrideLists.insert(choice.overrideKey, list);
        else
            m_legacyList = list;
    } else if (!m_listText.isEmpty()) {
        QTextCursor start(m_cursor);
        start.setPosition(m_cursor.block().position());
        start.insertText(m_listText, charFormat(m_listTextChar));
    }
    m_listText.clear();
}

const QTextCharFormat &RtfDocumentBuilder::charFormat(const CharState &chr)
{
    for (const auto &[state, format] : m_charFormats) {
        if (state == chr)
            return format;
    }
    if (m_charFormats.size() < m_charFormats.capacity()) {
        m_charFormats.append({chr, makeCharFormat(chr)});
        return m_charFormats.last().second;
    }
    auto &entry = m_charFormats[m_nextCharFormat];
    m_nextCharFormat = (m_nextCharFormat + 1) % m_charFormats.size();
    entry = {chr, makeCharFormat(chr)};
    return entry.second;
}

// A paragraph the cursor leaves without a format of its own (a table comes straight after
// its text, or the RTF ends) keeps Qt's default formats, not the guess it started with.
void RtfDocumentBuilder::leaveGuessedBlock()
{
    if (!m_blockGuessed)
        return;
    m_blockGuessed = false;
    m_cursor.setBlockFormat(QTextBlockFormat());
    m_cursor.setBlockCharFormat(QTextCharFormat());
}

QTextCharFormat RtfDocumentBuilder::makeCharFormat(const CharState &chr) const
{
    QTextCharFormat format;
    const auto font = m_tables.fonts.constFind(chr.font < 0 ? m_tables.defaultFont : chr.font);
    if (font != m_tables.fonts.constEnd() && !font->name.isEmpty())
        format.setFontFamilies(QStringList{font->name});
    format.setFontPointSize(chr.sizeHalfPoints / 2.0);
    if (chr.bold)
        format.setFontWeight(QFont::Bold);
    if (chr.italic)
        format.setFontItalic(true);
    switch (chr.underline) {
    case Underline::None:
        break;
    case Underline::Single:
        format.setUnderlineStyle(QTextCharFormat::SingleUnderline);
        break;
    case Underline::Dotted:
        format.setUnderlineStyle(QTextCharFormat::DotLine);
        break;
    case Underline::Dash:
        format.setUnderlineStyle(QTextCharFormat::DashUnderline);
        break;
    case Underline::Wave:
        format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        break;
    }
    if (chr.strike)
        format.setFontStrikeOut(true);
    const auto colour = [this](int index) -> std::optional<QColor> {
        return index > 0 && index < m_tables.colours.size() ? m_tables.colours.at(index)
                                                            : std::nullopt;
    };
    if (const auto foreground = colour(chr.foreground))
        format.setForeground(*foreground);
    if (const auto background = colour(chr.background))
        format.setBackground(*background);
    if (chr.vertical == VerticalPosition::Super)
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (chr.vertical == VerticalPosition::Sub)
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (chr.offsetHalfPoints != 0) {
        format.setProperty(CharOffsetTwips, chr.offsetHalfPoints * 10);
        format.setBaselineOffset(100.0 * chr.offsetHalfPoints / chr.sizeHalfPoints);
    }
    if (chr.caps)
        format.setFontCapitalization(QFont::AllUppercase);
    else if (chr.smallCaps)
        format.setFontCapitalization(QFont::SmallCaps);
    if (chr.spacingTwips != 0) {
        format.setFontLetterSpacingType(QFont::AbsoluteSpacing);
        format.setFontLetterSpacing(pixels(chr.spacingTwips));
    }
    if (chr.link > 0) {
        format.setAnchor(true);
        format.setAnchorHref(m_tables.links.value(chr.link - 1));
    }
    return format;
}

QTextBlockFormat RtfDocumentBuilder::blockFormat(const ParaState &para) const
{
    QTextBlockFormat format;
    switch (para.alignment) {
    case 1:
        format.setAlignment(Qt::AlignRight);
        break;
    case 2:
        format.setAlignment(Qt::AlignHCenter);
        break;
    case 3:
        format.setAlignment(Qt::AlignJustify);
        break;
    default:
        break;
    }
    if (para.leftIndent)
        format.setLeftMargin(pixels(para.leftIndent));
    if (para.rightIndent)
        format.setRightMargin(pixels(para.rightIndent));
    if (para.firstIndent)
        format.setTextIndent(pixels(para.firstIndent));
    if (para.spaceBefore)
        format.setTopMargin(pixels(para.spaceBefore));
    if (para.spaceAfter)
        format.setBottomMargin(pixels(para.spaceAfter));
    if (para.lineSpacing > 0 && para.lineMultiple)
        format.setLineHeight(para.lineSpacing * 100.0 / 240.0,
                             QTextBlockFormat::ProportionalHeight);
    else if (para.lineSpacing > 0)
        format.setLineHeight(pixels(para.lineSpacing), QTextBlockFormat::MinimumHeight);
    else if (para.lineSpacing < 0)
        format.setLineHeight(pixels(-para.lineSpacing), QTextBlockFormat::FixedHeight);
    if (!para.tabs.isEmpty()) {
        QList<QTextOption::Tab> tabs;
        tabs.reserve(para.tabs.size());
        for (const TabStop &tab : para.tabs) {
            tabs.append(
                QTextOption::Tab(pixels(tab.positionTwips), tab.type,
                                 tab.type == QTextOption::DelimiterTab ? QChar(u'.') : QChar()));
        }
        format.setTabPositions(tabs);
    }
    if (para.shading > 0 && para.shading < m_tables.colours.size()) {
        if (const auto colour = m_tables.colours.at(para.shading))
            format.setBackground(*colour);
    }
    if (para.pageBreakBefore)
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    if (para.rightToLeft)
        format.setLayoutDirection(Qt::RightToLeft);
    return format;
}

RtfDocumentBuilder::ListChoice RtfDocumentBuilder::listFor(const ParaState &para)
{
    ListChoice choice;
    if (para.listOverride > 0) {
        m_legacyList = nullptr;
        choice.overrideKey = para.listOverride * 16 + para.listLevel;
        choice.list = m_overrideLists.value(choice.overrideKey);
        if (choice.list)
            return choice;
        const auto listId = m_tables.listOverrides.constFind(para.listOverride);
        if (listId == m_tables.listOverrides.constEnd())
            return choice;
        const QList<ListLevelDef> levels = m_tables.lists.value(*listId);
        if (para.listLevel >= levels.size() || levels.at(para.listLevel).unnumbered)
            return choice;
        const ListLevelDef &level = levels.at(para.listLevel);
        QString prefix;
        QString suffix = QStringLiteral(".");
        NumberStyle style = level.style;
        if (style == NumberStyle::Bullet)
            style = bulletShape(level.text);
        else
            numberAffixes(level.text, &prefix, &suffix);
        choice.format = listFormat(style, prefix, suffix, level.start, para);
        return choice;
    }
    const LegacyNumbering &numbering = para.numbering;
    if (!numbering.active || numbering.continuation) {
        if (!numbering.continuation)
            m_legacyList = nullptr;
        return choice;
    }
    // Consecutive paragraphs with the same numbering form one list.
    const LegacyNumbering &current = m_legacyNumbering;
    if (m_legacyList && current.style == numbering.style && current.before == numbering.before &&
        current.after == numbering.after) {
        choice.list = m_legacyList;
        return choice;
    }
    m_legacyNumbering = numbering;
    const NumberStyle style =
        numbering.style == NumberStyle::Bullet ? bulletShape(numbering.before) : numbering.style;
    choice.format = listFormat(style, numbering.before, numbering.after, numbering.start, para);
    return choice;
}

QTextListFormat RtfDocumentBuilder::listFormat(NumberStyle style, const QString &prefix,
                                               const QString &suffix, int start,
                                               const ParaState &para)
{
    QTextListFormat format;
    format.setStyle(listStyle(style));
    // The paragraph's own left indent places the text; Qt draws the bullet to its left, so a
    // list at the margin needs one step of list indent to keep the bullet in sight.
    format.setIndent(para.leftIndent > 0 ? 0 : 1);
    if (style >= NumberStyle::Decimal) {
        format.setNumberPrefix(prefix);
        format.setNumberSuffix(suffix);
        if (start != 1)
            format.setProperty(ListStart, start);
    }
    return format;
}

void RtfDocumentBuilder::startTable()
{
    const QList<int> &bounds = m_tables.cellBoundaries;
    const int columns = std::clamp(int(bounds.size()), 1, MaxColumns);
    QTextTableFormat format;
    format.setBorder(1);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(3);
    QList<QTextLength> widths;
    int left = 0;
    for (int i = 0; i < columns && i < bounds.size(); ++i) {
        const int width = bounds.at(i) - left;
        widths.append(width > 0 ? QTextLength(QTextLength::FixedLength, pixels(width))
                                : QTextLength());
        left = bounds.at(i);
    }
    if (widths.size() == columns)
        format.setColumnWidthConstraints(widths);
    leaveGuessedBlock();
    // Straight after the previous paragraph's text, so no empty paragraph comes between.
    m_paragraphPending = false;
    m_table = m_cursor.insertTable(1, columns, format);
    m_tableCells += columns;
    m_row = 0;
    m_column = 0;
    m_rowPending = false;
    m_cellPending = false;
}

void RtfDocumentBuilder::enterCell()
{
    const bool rowPending = m_rowPending;
    m_rowPending = false;
    m_cellPending = false;
    if (!rowPending && m_column >= m_table->columns() && m_table->columns() < MaxColumns) {
        m_table->appendColumns(1);
        m_tableCells += m_row + 1;
    }
    // A row with more cells than a table may have columns goes on in the next row, as text
    // wraps: heaped into its last cell, they made a row thousands of lines high.
    if (rowPending || m_column >= m_table->columns())
        startRow();
    leaveGuessedBlock();
    m_cursor = m_table->cellAt(m_row, m_column).firstCursorPosition();
}

void RtfDocumentBuilder::startRow()
{
    ++m_row;
    m_column = 0;
    // Qt rebuilds a table's grid after every change of its shape, so rows are added in
    // doubling batches and the spare ones removed when the table ends.
    if (m_row >= m_table->rows())
        m_table->appendRows(m_table->rows());
    m_tableCells += m_table->columns();
}

void RtfDocumentBuilder::endTable()
{
    if (m_row + 1 < m_table->rows())
        m_table->removeRows(m_row + 1, m_table->rows() - m_row - 1);
    leaveGuessedBlock();
    m_cursor.setPosition(m_table->lastPosition() + 1);
    m_table = nullptr;
    m_rowPending = false;
    m_cellPending = false;
    m_paragraphPending = false;
}

void RtfDocumentBuilder::endCell(const CharState &chr, const ParaState &para)
{
    flushText();
    if (!m_table && !para.inTable) {
        addText(u"\t", chr, para);
        return;
    }
    ParaState inCell = para;
    inCell.inTable = true;
    prepareContent(inCell);
    if (!m_table) {
        // The document has all the table cells it may have: cells become tab-separated text.
        addText(u"\t", chr, inCell);
        return;
    }
    formatBlock(chr, inCell);
    ++m_column;
    m_cellPending = true;
    m_paragraphPending = false;
}

void RtfDocumentBuilder::endRow()
{
    flushText();
    if (!m_table || m_rowPending)
        return;
    m_rowPending = true;
    m_cellPending = false;
    m_paragraphPending = false;
}

void RtfDocumentBuilder::finish(const CharState &chr, const ParaState &para)
{
    flushText();
    if (m_table && m_row + 1 < m_table->rows())
        m_table->removeRows(m_row + 1, m_table->rows() - m_row - 1);
    if (m_wholeDocument && !m_paragraphPending && !m_table)
        formatBlock(chr, para);
    leaveGuessedBlock();
    if (!m_wholeDocument && m_paragraphPending) {
        QTextBlockFormat format = m_targetBlockFormat;
        format.clearProperty(QTextFormat::ObjectIndex);
        m_cursor.insertBlock(format, charFormat(chr));
    }
}

} // namespace quillery::rtf
