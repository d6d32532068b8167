// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagetext/ShownText.h"

#include "pagetext/HtmlShownText.h"
#include "pagetext/RtfShownText.h"
#include "rtf/RtfReader.h"

namespace quillery {

std::unique_ptr<ShownText> shownTextFor(PageKind kind, QByteArrayView start)
{
    switch (kind) {
    case PageKind::RTF:
        if (isRtf(QByteArray::fromRawData(start.data(), start.size())))
            return std::make_unique<RtfShownText>();
        return nullptr;
    case PageKind::HTML:
        return std::make_unique<HtmlShownText>(start);
    default:
        return nullptr;
    }
}

char32_t shownCharacter(char32_t c)
{
    switch (c) {
    case U'\r':
    case 0x2028:
    case 0x2029:
    case 0xFDD0:
    case 0xFDD1:
        return U'\n';
    case 0x00A0:
        return U' ';
    case 0x00AD:
        return 0;
    default:
        return c;
    }
}

qsizetype toUtf8(char32_t c, char *bytes)
{
    if (c < 0x80) {
        bytes[0] = char(c);
        return 1;
    }
    if (c < 0x800) {
        bytes[0] = char(0xC0 | (c >> 6));
        bytes[1] = char(0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000) {
        bytes[0] = char(0xE0 | (c >> 12));
        bytes[1] = char(0x80 | ((c >> 6) & 0x3F));
        bytes[2] = char(0x80 | (c & 0x3F));
        return 3;
    }
    bytes[0] = char(0xF0 | (c >> 18));
    bytes[1] = char(0x80 | ((c >> 12) & 0x3F));
    bytes[2] = char(0x80 | ((c >> 6) & 0x3F));
    bytes[3] = char(0x80 | (c & 0x3F));
    return 4;
}

void appendUtf8(QByteArray &text, char32_t c)
{
    char bytes[4];
    text.append(bytes, toUtf8(c, bytes));
}

} // namespace quillery
