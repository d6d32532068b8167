// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagetext/Utf8OrWindows1252.h"

#include "pagetext/ShownText.h"
#include "rtf/RtfCodePages.h"

#include <algorithm>

namespace quillery {

QByteArrayView Utf8OrWindows1252::toUtf8(QByteArrayView bytes, bool last)
{
    if (m_partial.isEmpty() && bytes.isValidUtf8())
        return bytes;
    QByteArray input = m_partial;
    input.append(bytes);
    m_partial.clear();
    const char16_t *windows1252 = CodePageDecoder::forCodePage(1252)->singleByteTable();
    m_converted.resize(0);
    const auto *p = reinterpret_cast<const unsigned char *>(input.constData());
    const auto *end = p + input.size();
    while (p < end) {
        const auto *ascii = p;
        while (p < end && *p < 0x80)
            ++p;
        m_converted.append(reinterpret_cast<const char *>(ascii), p - ascii);
        if (p == end)
            break;
        const qsizetype length = *p >= 0xF0 ? 4 : *p >= 0xE0 ? 3 : 2;
        const qsizetype available = std::min<qsizetype>(length, end - p);
        const QByteArrayView sequence(p, available);
        if (available == length && sequence.isValidUtf8()) {
            m_converted += sequence;
            p += length;
            continue;
        }
        // A lead byte and trail bytes that the piece cuts short wait for the rest.
        const bool lead = *p >= 0xC2 && *p <= 0xF4;
        if (!last && lead && available < length &&
            std::all_of(p + 1, end, [](unsigned char b) { return (b & 0xC0) == 0x80; })) {
            m_partial = sequence.toByteArray();
            break;
        }
        appendUtf8(m_converted, windows1252[*p++]);
    }
    return m_converted;
}

} // namespace quillery
