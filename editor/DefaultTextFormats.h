#pragma once

#include <QString>

namespace quillery {

class InfoRecords;
class RichTextBox;

// Every binder carries a default format for rich text pages (keys "RTF...") and one for
// plain text pages ("TXT...") in its records.

// Writes the nine rich text defaults, overwriting earlier values.
void setRTFopts(InfoRecords &records);
// Writes the nine plain text defaults, as a new binder gets them.
void setTXTopts(InfoRecords &records);

// Applies the format with the prefix ("RTF" or "TXT") to the whole content of the box and
// leaves the whole content selected. A value that is missing or unreadable is replaced by
// its default, so a damaged binder still shows its pages.
void SetRTFFont(RichTextBox &box, const QString &prefix, const InfoRecords &records);

} // namespace quillery
