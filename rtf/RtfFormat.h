// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTextFormat>

namespace quillery::rtf {

// Text format properties that Qt has no place for but RTF does, so a page read and written
// again keeps them.
enum FormatProperty {
    // Block: the first-line indent (twips) of a list paragraph. Qt draws the bullet to the
    // left of the text, so the indent is kept here instead of in the layout.
    ListFirstIndentTwips = QTextFormat::UserProperty + 1,
    // Character: raised (positive) or lowered (negative) text, in twips.
    CharOffsetTwips,
    // Image: the picture as the RTF held it, written back unchanged: the blip kind
    // ("pngblip", "jpegblip", "wmetafile8" ...), its bytes and its \picw and \pich.
    PictKind,
    PictData,
    PictWidth,
    PictHeight,
    // List: the first number of a numbered list.
    ListStart,
};

} // namespace quillery::rtf
