// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/TextFormatDefaults.h"

#include "documents/InfoRecords.h"
#include "platform/Colours.h"

namespace quillery {

namespace {

constexpr TextFormatDefaults RtfDefaults{"Times New Roman", 12};
constexpr TextFormatDefaults TxtDefaults{"Courier New", 10};

void writeDefaults(InfoRecords &records, const QString &prefix)
{
    const TextFormatDefaults &defaults = defaultsFor(prefix);
    records.write(prefix + QLatin1String("Align"), 0);
    records.write(prefix + QLatin1String("BColour"), SystemWindowBackground);
    records.write(prefix + QLatin1String("Bold"), false);
    records.write(prefix + QLatin1String("Colour"), SystemWindowText);
    records.write(prefix + QLatin1String("FontName"), defaults.fontName);
    records.write(prefix + QLatin1String("FontSize"), defaults.fontSize);
    records.write(prefix + QLatin1String("Italic"), false);
    records.write(prefix + QLatin1String("StrikeThru"), false);
    records.write(prefix + QLatin1String("Underline"), false);
}

} // namespace

const TextFormatDefaults &defaultsFor(const QString &prefix)
{
    return prefix == QLatin1String("TXT") ? TxtDefaults : RtfDefaults;
}

void setRTFopts(InfoRecords &records)
{
    writeDefaults(records, QStringLiteral("RTF"));
}

void setTXTopts(InfoRecords &records)
{
    writeDefaults(records, QStringLiteral("TXT"));
}

} // namespace quillery
