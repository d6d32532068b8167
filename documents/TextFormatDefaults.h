// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillery {

class InfoRecords;

// Every binder carries a default format for rich text pages (keys "RTF...") and one for
// plain text pages ("TXT...") in its records.

struct TextFormatDefaults
{
    const char *fontName;
    int fontSize;
};

// The font a format falls back to; the prefix is "RTF" or "TXT".
const TextFormatDefaults &defaultsFor(const QString &prefix);

// Writes the nine rich text defaults, overwriting earlier values.
void setRTFopts(InfoRecords &records);
// Writes the nine plain text defaults, as a new binder gets them.
void setTXTopts(InfoRecords &records);

} // namespace quillery
