// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPalette>
#include <QString>
#include <QStringList>

#include <optional>

namespace quillery {

// A colour as binders and settings store it: 0x00BBGGRR for a red-green-blue value, or
// 0x800000nn for system colour number nn, kept in a signed 32-bit integer and written as
// signed decimal text.
using ColourCode = qint32;

inline constexpr ColourCode SystemColourFlag = static_cast<ColourCode>(0x80000000u);
inline constexpr ColourCode SystemWindowBackground = static_cast<ColourCode>(0x80000005u);
inline constexpr ColourCode SystemWindowText = static_cast<ColourCode>(0x80000008u);

bool isSystemColour(ColourCode code);
// What a system colour is for, as people read it: "Window background (system colour)".
QString systemColourName(ColourCode code);

// System colours come from the palette, so the dark and light themes both read well.
QColor colourFromCode(ColourCode code, const QPalette &palette);
QColor colourFromCode(ColourCode code);

// The red-green-blue code of a colour; transparency is dropped.
ColourCode codeFromColour(const QColor &colour);

// Reads a stored colour: signed decimal, unsigned decimal up to 0xFFFFFFFF, or the "&H" hex
// form. No value when the text is not a number.
std::optional<ColourCode> parseColourCode(const QString &text);

// One of the sixteen basic HTML colour names ("Grey" spelled so, "Gray" accepted too),
// in any letter case, as its colour code; no value for any other name.
std::optional<ColourCode> basicColourFromName(const QString &name);
// Those sixteen names, black to white as the editor's colour menu lists them.
QStringList basicColourNames();
// A stored colour as people read it: one of those sixteen names, the name of a system
// colour, or "#RRGGBB".
QString colourName(ColourCode code);

} // namespace quillery
