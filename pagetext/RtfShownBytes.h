// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

#include <array>

namespace quillery {

class CodePageDecoder;

// Characters that would pose as the document's structure stay text: the RTF reader puts
// a replacement character in their place.
inline char16_t readerChar(char16_t c)
{
    return c == 0xFDD0 || c == 0xFDD1 || c == 0xFFFC ? char16_t(0xFFFD) : c;
}

// What each byte of a single-byte code page shows, as UTF-8, so that text goes out
// without being decoded a character at a time.
class ShownBytes
{
public:
    explicit ShownBytes(const char16_t *table);

    bool asciiAsIs() const { return m_asciiAsIs; }
    QByteArrayView operator[](char byte) const
    {
        const Utf8 &utf8 = m_chars[uchar(byte)];
        return QByteArrayView(utf8.bytes, utf8.size);
    }

private:
    struct Utf8
    {
        char bytes[3];
        quint8 size;
    };

    bool m_asciiAsIs; // ASCII, but for the carriage return and NUL, shows as it stands
    std::array<Utf8, 256> m_chars;
};

// The shown bytes of the decoder's code page, null for a double-byte one. Made once for
// each decoder, which lives as long as the program.
const ShownBytes *shownBytesFor(const CodePageDecoder &decoder);

} // namespace quillery
