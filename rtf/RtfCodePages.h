// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>

namespace quillery {

// Windows code page for an RTF \fcharset value; 0 means "the document's code page".
int codePageForCharset(int charset);

// Fonts with the symbol character set have code pages of their own: the Symbol font's
// letters are Greek and mathematical characters; the bytes of other symbol fonts (Wingdings
// and the like) stand for their glyphs, which Unicode keeps at U+F000 plus the byte.
constexpr int SymbolCodePage = 42;
constexpr int SymbolFontCodePage = 0xF000;
constexpr int SymbolCharset = 2;

// The code page of a font with the symbol character set, by its name.
int symbolFontCodePage(const QString &name);

// Every code page a document can name that is read as itself, the symbol fonts' among them
// (any other is read as Windows-1252).
QList<int> namedCodePages();

// Converts bytes in a Windows code page to text. Single-byte pages go through a 256-entry
// table; double-byte pages (Japanese, Chinese, Korean) through the ICU converter, so a lead
// byte and its trail byte must arrive in the same call.
class CodePageDecoder
{
public:
    // Unknown or unsupported code pages decode as Windows-1252.
    static std::shared_ptr<const CodePageDecoder> forCodePage(int codePage);

    void decode(const QByteArray &bytes, QString &out) const;
    int codePage() const { return m_codePage; }
    // The character of each byte of a single-byte page, which decodes byte by byte; null
    // for the double-byte pages and UTF-8.
    const char16_t *singleByteTable() const { return m_icuName.isEmpty() ? m_table : nullptr; }

private:
    explicit CodePageDecoder(int codePage);

    int m_codePage;
    QByteArray m_icuName; // set for the double-byte pages
    char16_t m_table[256];
};

// Windows-1252, the code page our own RTF declares: the byte for a character, or 0 when the
// character has none and must be written as \uN.
unsigned char windows1252Byte(char16_t c);

} // namespace quillery
