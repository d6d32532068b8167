// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Colours.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <array>

namespace quillery {

namespace {

constexpr ColourCode bgr(int red, int green, int blue)
{
    return red | green << 8 | blue << 16;
}

struct NamedColour
{
    const char *name;
    ColourCode code;
};

// The sixteen basic HTML colours, as the editor's colour menu lists them.
constexpr NamedColour BasicColours[] = {
    {"Black", bgr(0x00, 0x00, 0x00)},  {"Maroon", bgr(0x80, 0x00, 0x00)},
    {"Green", bgr(0x00, 0x80, 0x00)},  {"Olive", bgr(0x80, 0x80, 0x00)},
    {"Navy", bgr(0x00, 0x00, 0x80)},   {"Purple", bgr(0x80, 0x00, 0x80)},
    {"Teal", bgr(0x00, 0x80, 0x80)},   {"Grey", bgr(0x80, 0x80, 0x80)},
    {"Silver", bgr(0xC0, 0xC0, 0xC0)}, {"Red", bgr(0xFF, 0x00, 0x00)},
    {"Lime", bgr(0x00, 0xFF, 0x00)},   {"Yellow", bgr(0xFF, 0xFF, 0x00)},
    {"Blue", bgr(0x00, 0x00, 0xFF)},   {"Fuchsia", bgr(0xFF, 0x00, 0xFF)},
    {"Aqua", bgr(0x00, 0xFF, 0xFF)},   {"White", bgr(0xFF, 0xFF, 0xFF)},
};

struct SystemColour
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
    const char *name;
};

// The system colour numbers, in order, the palette entry that plays the same part, and
// what the colour is for (people see that name).
constexpr std::array<SystemColour, 31> SystemColours = {{
    {QPalette::Active, QPalette::Button, "Scroll bar"},
    {QPalette::Active, QPalette::Dark, "Desktop"},
    {QPalette::Active, QPalette::Highlight, "Active caption"},
    {QPalette::Inactive, QPalette::Mid, "Inactive caption"},
    {QPalette::Active, QPalette::Window, "Menu"},
    {QPalette::Active, QPalette::Base, "Window background"},
    {QPalette::Active, QPalette::Shadow, "Window frame"},
    {QPalette::Active, QPalette::WindowText, "Menu text"},
    {QPalette::Active, QPalette::Text, "Window text"},
    {QPalette::Active, QPalette::HighlightedText, "Caption text"},
    {QPalette::Active, QPalette::Button, "Active border"},
    {QPalette::Inactive, QPalette::Button, "Inactive border"},
    {QPalette::Active, QPalette::Dark, "Application workspace"},
    {QPalette::Active, QPalette::Highlight, "Highlight"},
    {QPalette::Active, QPalette::HighlightedText, "Highlighted text"},
    {QPalette::Active, QPalette::Button, "Button face"},
    {QPalette::Active, QPalette::Dark, "Button shadow"},
    {QPalette::Disabled, QPalette::Text, "Grey text"},
    {QPalette::Active, QPalette::ButtonText, "Button text"},
    {QPalette::Inactive, QPalette::WindowText, "Inactive caption text"},
    {QPalette::Active, QPalette::Light, "Button highlight"},
    {QPalette::Active, QPalette::Shadow, "3-D dark shadow"},
    {QPalette::Active, QPalette::Midlight, "3-D light"},
    {QPalette::Active, QPalette::ToolTipText, "Tooltip text"},
    {QPalette::Active, QPalette::ToolTipBase, "Tooltip background"},
    {QPalette::Active, QPalette::Window, nullptr}, // a number with no use
    {QPalette::Active, QPalette::Link, "Hot-tracked item"},
    {QPalette::Active, QPalette::Highlight, "Active caption gradient"},
    {QPalette::Inactive, QPalette::Mid, "Inactive caption gradient"},
    {QPalette::Active, QPalette::Highlight, "Menu highlight"},
    {QPalette::Active, QPalette::Window, "Menu bar"},
}};

} // namespace

bool isSystemColour(ColourCode code)
{
    return (quint32(code) & 0xFF000000u) == 0x80000000u;
}

QString systemColourName(ColourCode code)
{
    const quint32 index = quint32(code) & 0x00FFFFFFu;
    if (index < SystemColours.size() && SystemColours[index].name)
        return QLatin1String(SystemColours[index].name) +
               QCoreApplication::translate("Colours", " (system colour)");
    return QCoreApplication::translate("Colours", "System colour %1").arg(index);
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

std::optional<ColourCode> basicColourFromName(const QString &name)
{
    const QString wanted = name.compare(QLatin1String("gray"), Qt::CaseInsensitive) == 0
                               ? QStringLiteral("grey")
                               : name;
    for (const NamedColour &colour : BasicColours) {
        if (wanted.compare(QLatin1String(colour.name), Qt::CaseInsensitive) == 0)
            return colour.code;
    }
    return std::nullopt;
}

QStringList basicColourNames()
{
    QStringList names;
    for (const NamedColour &colour : BasicColours)
        names << QLatin1String(colour.name);
    return names;
}

QString colourName(ColourCode code)
{
    if (isSystemColour(code))
        return systemColourName(code);
    for (const NamedColour &colour : BasicColours) {
        if (colour.code == code)
            return QLatin1String(colour.name);
    }
    return colourFromCode(code).name(QColor::HexRgb).toUpper();
}

} // namespace quillery
