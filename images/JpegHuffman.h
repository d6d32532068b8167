// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace quillery::jpeg {

// Symbol counts of one table: DC difference categories or AC run/size bytes.
using SymbolCounts = std::array<std::uint32_t, 256>;

struct HuffmanTable
{
    std::array<std::uint8_t, 16> bits{}; // codes of length 1 ... 16
    std::vector<std::uint8_t> values;    // symbols by increasing code length
    std::array<std::uint16_t, 256> code{};
    std::array<std::uint8_t, 256> size{}; // 0 for a symbol without a code
};

constexpr int maxDcSymbol = 11;
constexpr int maxAcSymbol = 255;

// The table of T.81 Annex K.2 for these counts: code lengths limited to 16
// bits, none of all 1 bits. Raises JpegError "Bad Huffman Table" when no
// symbol occurs or a symbol exceeds maxSymbol.
HuffmanTable optimalTable(const SymbolCounts &counts, int maxSymbol);

// The example tables of T.81 Annex K.3, which decoders know without an
// image's statistics: 0 for luminance, 1 for chrominance.
HuffmanTable standardDcTable(int table);
HuffmanTable standardAcTable(int table);

// Assigns the codes of T.81 Annex C to a table given by BITS and HUFFVAL,
// checking it first (at most 256 codes, symbols up to maxSymbol, each once,
// at least one).
HuffmanTable codeTable(const std::array<std::uint8_t, 16> &bits,
                       const std::vector<std::uint8_t> &values, int maxSymbol);

} // namespace quillery::jpeg
