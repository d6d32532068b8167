// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/DefaultTextFormats.h"

#include "documents/InfoRecords.h"
#include "documents/TextFormatDefaults.h"
#include "platform/Colours.h"
#include "platform_ui/RichTextBox.h"

namespace quillery {

namespace {

// Reads the records of one format, each value converted as the property needs it.
class FormatValues
{
public:
    FormatValues(const InfoRecords &records, const QString &prefix)
        : m_records(records), m_prefix(prefix)
    {
    }

    bool boolean(const char *suffix) const
    {
        const QString text = value(suffix).trimmed();
        if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return true;
        bool isNumber = false;
        const double number = text.toDouble(&isNumber);
        return isNumber && number != 0;
    }

    double number(const char *suffix, double fallback) const
    {
        bool ok = false;
        const double number = value(suffix).trimmed().toDouble(&ok);
        return ok ? number : fallback;
    }

    ColourCode colour(const char *suffix, ColourCode fallback) const
    {
        return parseColourCode(value(suffix)).value_or(fallback);
    }

    QString text(const char *suffix, const char *fallback) const
    {
        const QString text = value(suffix);
        return text == InfoRecords::NotFound || text.trimmed().isEmpty()
                   ? QString::fromLatin1(fallback)
                   : text;
    }

private:
    QString value(const char *suffix) const
    {
        return m_records.value(m_prefix + QLatin1String(suffix));
    }

    const InfoRecords &m_records;
    const QString m_prefix;
};

} // namespace

void applyTextFormat(RichTextBox &box, const QString &prefix, const InfoRecords &records)
{
    const TextFormatDefaults &defaults = defaultsFor(prefix);
    const FormatValues values(records, prefix);
    const QString fontName = values.text("FontName", defaults.fontName);
    const double alignment = values.number("Align", 0);

    box.setSelectionStart(0);
    box.setSelectionLength(int(box.text().size()) + 2);
    box.setSelectionAlignment(alignment == 1 || alignment == 2 ? int(alignment)
                                                               : RichTextBox::AlignLeft);
    box.setBackColour(values.colour("BColour", SystemWindowBackground));
    box.setSelectionBold(values.boolean("Bold"));
    box.setSelectionFontName(fontName);
    QFont base = box.font();
    base.setFamilies(QStringList{fontName});
    box.setFont(base);
    const double size = values.number("FontSize", defaults.fontSize);
    box.setSelectionFontSize(size > 0 ? size : defaults.fontSize);
    box.setSelectionItalic(values.boolean("Italic"));
    box.setSelectionStrikeOut(values.boolean("StrikeThru"));
    box.setSelectionUnderline(values.boolean("Underline"));
    box.setSelectionBullet(false);
    box.setSelectionIndent(0);
    box.setSelectionRightIndent(0);
    box.setSelectionHangingIndent(0);
    box.setSelectionCharOffset(0);
    box.setSelectionColour(values.colour("Colour", SystemWindowText));
}

} // namespace quillery
