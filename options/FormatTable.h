// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/InfoRecords.h"

#include <QString>
#include <array>

namespace quillery {

// The options dialog's copy of the binder's two default text formats while it is open:
// entries 0 to 8 the rich text values, 9 to 17 the plain text values, each group in
// the order of suffixes(), then the sample text of each format tab.
class FormatTable
{
public:
    static constexpr int GroupSize = 9;
    static constexpr int RichBase = 0;
    static constexpr int PlainBase = GroupSize;
    static constexpr int FormatEntries = 2 * GroupSize;
    enum Offset { Align, BColour, Bold, Colour, FontName, FontSize, Italic, StrikeThru, Underline };

    // "Align", "BColour", ... "Underline": the record names after "RTF" or "TXT".
    static const std::array<QString, GroupSize> &suffixes();
    // "RTF" for the rich base, "TXT" for the plain one.
    static QString prefix(int base);
    static QString key(int entry);

    // Missing records load as "[NOT FOUND]"; both samples as "Sample Text".
    void load(const InfoRecords &records);
    // Writes the 18 format entries back, rich then plain.
    void save(InfoRecords &records) const;
    // Both formats back to a new binder's defaults, whichever tab asked.
    void reset();
    // The group at base as the records the editor's own formatter reads.
    InfoRecords group(int base) const;

    QString &operator[](int entry) { return m_entries[entry]; }
    const QString &operator[](int entry) const { return m_entries[entry]; }
    QString &sample(int base) { return m_entries[FormatEntries + base / GroupSize]; }

private:
    std::array<QString, FormatEntries + 2> m_entries;
};

} // namespace quillery
