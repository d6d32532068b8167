// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagetext/RtfShownBytes.h"

#include "pagetext/ShownText.h"
#include "rtf/RtfCodePages.h"

#include <QHash>
#include <QMutex>

#include <cstring>
#include <memory>

namespace quillery {

ShownBytes::ShownBytes(const char16_t *table) : m_asciiAsIs(table[uchar('a')] == u'a')
{
    for (int b = 0; b < 256; ++b) {
        char bytes[4] = {};
        qsizetype size = 0;
        if (m_asciiAsIs && b > 0 && b < 0x80 && b != '\r') {
            bytes[size++] = char(b);
        } else if (const char32_t c = shownCharacter(readerChar(table[b]))) {
            size = toUtf8(c, bytes); // at most 3: a code page's characters are 16-bit
        }
        Utf8 &utf8 = m_chars[std::size_t(b)];
        std::memcpy(utf8.bytes, bytes, sizeof utf8.bytes);
        utf8.size = quint8(size);
    }
}

const ShownBytes *shownBytesFor(const CodePageDecoder &decoder)
{
    const char16_t *table = decoder.singleByteTable();
    if (!table)
        return nullptr;
    static QMutex mutex;
    static QHash<const CodePageDecoder *, std::shared_ptr<const ShownBytes>> cache;
    QMutexLocker lock(&mutex);
    std::shared_ptr<const ShownBytes> &shown = cache[&decoder];
    if (!shown)
        shown = std::make_shared<const ShownBytes>(table);
    return shown.get();
}

} // namespace quillery
