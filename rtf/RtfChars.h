// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The character classes of RTF's syntax, shared by the reader and the streaming
// shown-text extractor so that both split control words and escapes alike.
namespace quillery::rtf {

inline bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

inline bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The value of a hex digit, or -1.
inline int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace quillery::rtf
