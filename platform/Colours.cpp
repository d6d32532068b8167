// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Colours.h"

#include <QGuiApplication>

#include <array>

namespace quillery {

namespace {

struct SystemColour
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The system colour numbers, in order, and the palette entry that plays the same part.
constexpr std::array<SystemColour, 31> SystemColours = {{
    {QPalette::Active, QPalette::Button},          // scroll bar
    {QPalette::Active, QPalette::Dark},            // desktop
    {QPalette::Active, QPalette::Highlight},       // active caption
    {QPalette::Inactive, QPalette::Mid},           // inactive caption
    {QPalette::Active, QPalette::Window},          // menu
    {QPalette::Active, QPalette::Base},            // window background
    {QPalette::Active, QPalette::Shadow},          // window frame
    {QPalette::Active, QPalette::WindowText},      // menu text
    {QPalette::Active, QPalette::Text},            // window text
    {QPalette::Active, QPalette::HighlightedText}, // caption text
    {QPalette::Active, QPalette::Button},          // active border
    {QPalette::Inactive, QPalette::Button},        // inactive border
    {QPalette::Active, QPalette::Dark},            // application workspace
    {QPalette::Active, QPalette::Highlight},       // highlight
    {QPalette::Active, QPalette::HighlightedText}, // highlighted text
    {QPalette::Active, QPalette::Button},          // button face
    {QPalette::Active, QPalette::Dark},            // button shadow
    {QPalette::Disabled, QPalette::Text},          // grey text
    {QPalette::Active, QPalette::ButtonText},      // button text
    {QPalette::Inactive, QPalette::WindowText},    // inactive caption text
    {QPalette::Active, QPalette::Light},           // button highlight
    {QPalette::Active, QPalette::Shadow},          // 3-D dark shadow
    {QPalette::Active, QPalette::Midlight},        // 3-D light
    {QPalette::Active, QPalette::ToolTipText},     // tooltip text
    {QPalette::Active, QPalette::ToolTipBase},     // tooltip background
    {QPalette::Active, QPalette::Window},          // (unused number)
    {QPalette::Active, QPalette::Link},            // hot-tracked item
    {QPalette::Active, QPalette::Highlight},       // active caption gradient
    {QPalette::Inactive, QPalette::Mid},           // inactive caption gradient
    {QPalette::Active, QPalette::Highlight},       // menu highlight
    {QPalette::Active, QPalette::Window},          // menu bar
}};

} // namespace

bool isSystemColour(ColourCode code)
{
    return (quint32(code) & 0xFF000000u) == 0x80000000u;
}

QColor colourFromCode(ColourCode code, const QPalette &palette)
{
    const quint32 value = quint32(code);
    if (isSystemColour(code)) {
        const quint32 index = value & 0x00FFFFFFu;
        if (index >= SystemColours.size())
            return QColor(Qt::black);
        const SystemColour &entry = SystemColours[index];
        return palette.color(entry.group, entry.role);
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QColor colourFromCode(ColourCode code)
{
    return colourFromCode(code, qGuiApp ? QGuiApplication::palette() : QPalette());
}

ColourCode codeFromColour(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return ColourCode(quint32(rgb.red()) | (quint32(rgb.green()) << 8) |
                      (quint32(rgb.blue()) << 16));
}

std::optional<ColourCode> parseColourCode(const QString &text)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    qint64 value = 0;
    if (trimmed.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        QString digits = trimmed.mid(2);
        if (digits.endsWith(u'&'))
            digits.chop(1);
        value = digits.toLongLong(&ok, 16);
    } else {
        value = trimmed.toLongLong(&ok);
    }
    if (!ok || value < qint64(INT32_MIN) || value > qint64(UINT32_MAX))
        return std::nullopt;
    return ColourCode(quint32(value));
}

} // namespace quillery
