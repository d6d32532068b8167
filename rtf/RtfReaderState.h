// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextOption>

#include <optional>

namespace quillery::rtf {

enum class Underline : quint8 { None, Single, Dotted, Dash, Wave };
enum class VerticalPosition : quint8 { Normal, Super, Sub };

// Character formatting as the RTF groups carry it: table indices and RTF units.
struct CharState
{
    int font = -1; // -1: the document's default font
    int sizeHalfPoints = 24;
    int foreground = 0; // colour table indices; 0 is "automatic"
    int background = 0;
    int offsetHalfPoints = 0;
    int spacingTwips = 0;
    int link = 0; // 1-based index into RtfTables::links
    Underline underline = Underline::None;
    VerticalPosition vertical = VerticalPosition::Normal;
    bool bold = false;
    bool italic = false;
    bool strike = false;
    bool caps = false;
    bool smallCaps = false;
    bool hidden = false;

    bool operator==(const CharState &) const = default;
};

enum class NumberStyle : quint8 {
    Bullet,
    Circle,
    Square,
    Decimal,
    UpperAlpha,
    LowerAlpha,
    UpperRoman,
    LowerRoman
};

// Paragraph numbering of the older kind (\pn), as the rich edit control writes it.
struct LegacyNumbering
{
    bool active = false;
    bool continuation = false; // a paragraph inside a list item, without its own number
    NumberStyle style = NumberStyle::Bullet;
    int start = 1;
    QString before;
    QString after;
};

struct TabStop
{
    int positionTwips;
    QTextOption::TabType type;
};

// Paragraph formatting, in twips.
struct ParaState
{
    int alignment = 0; // 0 left, 1 right, 2 centre, 3 justified
    int leftIndent = 0;
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int lineSpacing = 0;
    bool lineMultiple = false;
    int shading = 0; // colour table index of the paragraph background
    bool pageBreakBefore = false;
    bool rightToLeft = false;
    bool inTable = false;
    int listOverride = 0; // \ls
    int listLevel = 0;    // \ilvl
    LegacyNumbering numbering;
    QList<TabStop> tabs;
    QTextOption::TabType nextTabType = QTextOption::LeftTab;
};

struct FontDef
{
    QString name;
    int codePage = 0;
};

// One level of a list from the list table.
struct ListLevelDef
{
    NumberStyle style = NumberStyle::Bullet;
    bool unnumbered = false;
    int start = 1;
    QString text; // \leveltext: its length, then the text with level placeholders
};

// What the header and the list tables define for the whole document.
struct RtfTables
{
    QHash<int, FontDef> fonts;
    int defaultFont = 0;
    int codePage = 1252;
    QList<std::optional<QColor>> colours;
    QHash<int, QList<ListLevelDef>> lists; // by \listid
    QHash<int, int> listOverrides;         // \ls to \listid
    QStringList links;
    QList<int> cellBoundaries; // \cellx of the row being defined, in twips

    int fontCodePage(int font) const
    {
        const auto it = fonts.constFind(font < 0 ? defaultFont : font);
        return it != fonts.constEnd() && it->codePage > 0 ? it->codePage : codePage;
    }
};

} // namespace quillery::rtf
