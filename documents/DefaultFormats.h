#pragma once

#include <QtGlobal>

namespace quillery {

class InfoRecords;

// The system colours "window background" and "window text" in the stored encoding.
constexpr qint32 SystemWindowColour = qint32(0x80000005u);
constexpr qint32 SystemWindowTextColour = qint32(0x80000008u);

// Writes the nine default rich text format records, replacing earlier values.
void setRTFopts(InfoRecords &records);
// Writes the nine default plain text format records.
void setTXTopts(InfoRecords &records);

} // namespace quillery
