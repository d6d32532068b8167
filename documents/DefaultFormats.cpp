#include "documents/DefaultFormats.h"

#include "documents/InfoRecords.h"

namespace quillery {

namespace {

void writeFormat(InfoRecords &records, const QString &prefix, const char *fontName, int fontSize)
{
    records.write(prefix + "Align", "0");
    records.write(prefix + "BColour", SystemWindowColour);
    records.write(prefix + "Bold", false);
    records.write(prefix + "Colour", SystemWindowTextColour);
    records.write(prefix + "FontName", fontName);
    records.write(prefix + "FontSize", fontSize);
    records.write(prefix + "Italic", false);
    records.write(prefix + "StrikeThru", false);
    records.write(prefix + "Underline", false);
}

} // namespace

void setRTFopts(InfoRecords &records)
{
    writeFormat(records, QStringLiteral("RTF"), "Times New Roman", 12);
}

void setTXTopts(InfoRecords &records)
{
    writeFormat(records, QStringLiteral("TXT"), "Courier New", 10);
}

} // namespace quillery
