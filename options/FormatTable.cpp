// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/FormatTable.h"

#include "editor/DefaultTextFormats.h"
#include <QCoreApplication>

namespace quillery {

const std::array<QString, FormatTable::GroupSize> &FormatTable::suffixes()
{
    static const std::array<QString, GroupSize> names = {
        QStringLiteral("Align"),  QStringLiteral("BColour"),    QStringLiteral("Bold"),
        QStringLiteral("Colour"), QStringLiteral("FontName"),   QStringLiteral("FontSize"),
        QStringLiteral("Italic"), QStringLiteral("StrikeThru"), QStringLiteral("Underline")};
    return names;
}

QString FormatTable::prefix(int base)
{
    return base == PlainBase ? QStringLiteral("TXT") : QStringLiteral("RTF");
}

QString FormatTable::key(int entry)
{
    return prefix(entry / GroupSize * GroupSize) + suffixes()[entry % GroupSize];
}

void FormatTable::load(const InfoRecords &records)
{
    for (int entry = 0; entry < FormatEntries; ++entry)
        m_entries[entry] = records.value(key(entry));
    m_entries[FormatEntries] = m_entries[FormatEntries + 1] =
        QCoreApplication::translate("FormatTable", "Sample Text");
}

void FormatTable::save(InfoRecords &records) const
{
    for (int entry = 0; entry < FormatEntries; ++entry)
        records.write(key(entry), m_entries[entry]);
}

void FormatTable::reset()
{
    InfoRecords defaults;
    setRTFopts(defaults);
    setTXTopts(defaults);
    for (int entry = 0; entry < FormatEntries; ++entry)
        m_entries[entry] = defaults.value(key(entry));
}

InfoRecords FormatTable::group(int base) const
{
    InfoRecords records;
    for (int offset = 0; offset < GroupSize; ++offset)
        records.write(key(base + offset), m_entries[base + offset]);
    return records;
}

} // namespace quillery
