// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/JpegHuffman.h"

#include "images/JpegError.h"

#include <algorithm>
#include <iterator>

namespace quillery::jpeg {

namespace {

constexpr int symbolCount = 257; // 256 symbols and the reserved one

[[noreturn]] void badTable()
{
    throw JpegError(1, "Bad Huffman Table");
}

// The least frequent symbol still in play other than `except`; among equal
// frequencies the highest symbol value. -1 when there is none.
int leastFrequent(const std::array<std::uint64_t, symbolCount> &frequency, int except)
{
    int found = -1;
    for (int i = 0; i < symbolCount; ++i) {
        if (frequency[i] != 0 && i != except && (found < 0 || frequency[i] <= frequency[found]))
            found = i;
    }
    return found;
}

// The example tables as BITS (codes of each length) and HUFFVAL.
constexpr std::array<std::uint8_t, 16> standardDcBits[2] = {
    {0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0},
    {0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0},
};
constexpr std::array<std::uint8_t, 16> standardAcBits[2] = {
    {0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7D},
    {0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77},
};
constexpr std::uint8_t standardAcValues[2][162] = {
    {
        0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61,
        0x07, 0x22, 0x71, 0x14, 0x32, 0x81, 0x91, 0xA1, 0x08, 0x23, 0x42, 0xB1, 0xC1, 0x15, 0x52,
        0xD1, 0xF0, 0x24, 0x33, 0x62, 0x72, 0x82, 0x09, 0x0A, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x25,
        0x26, 0x27, 0x28, 0x29, 0x2A, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3A, 0x43, 0x44, 0x45,
        0x46, 0x47, 0x48, 0x49, 0x4A, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x63, 0x64,
        0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x83,
        0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8A, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99,
        0x9A, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6,
        0xB7, 0xB8, 0xB9, 0xBA, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0xCA, 0xD2, 0xD3,
        0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0xDA, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8,
        0xE9, 0xEA, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA,
    },
    {
        0x00, 0x01, 0x02, 0x03, 0x11, 0x04, 0x05, 0x21, 0x31, 0x06, 0x12, 0x41, 0x51, 0x07, 0x61,
        0x71, 0x13, 0x22, 0x32, 0x81, 0x08, 0x14, 0x42, 0x91, 0xA1, 0xB1, 0xC1, 0x09, 0x23, 0x33,
        0x52, 0xF0, 0x15, 0x62, 0x72, 0xD1, 0x0A, 0x16, 0x24, 0x34, 0xE1, 0x25, 0xF1, 0x17, 0x18,
        0x19, 0x1A, 0x26, 0x27, 0x28, 0x29, 0x2A, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3A, 0x43, 0x44,
        0x45, 0x46, 0x47, 0x48, 0x49, 0x4A, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x63,
        0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A,
        0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8A, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97,
        0x98, 0x99, 0x9A, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xB2, 0xB3, 0xB4,
        0xB5, 0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0xCA,
        0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0xDA, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7,
        0xE8, 0xE9, 0xEA, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA,
    },
};

} // namespace

HuffmanTable standardDcTable(int table)
{
    // Both give the twelve categories in order.
    std::vector<std::uint8_t> values(maxDcSymbol + 1);
    for (int i = 0; i <= maxDcSymbol; ++i)
        values[i] = std::uint8_t(i);
    return codeTable(standardDcBits[table], values, maxDcSymbol);
}

HuffmanTable standardAcTable(int table)
{
    return codeTable(standardAcBits[table],
                     {std::begin(standardAcValues[table]), std::end(standardAcValues[table])},
                     maxAcSymbol);
}

HuffmanTable optimalTable(const SymbolCounts &counts, int maxSymbol)
{
    std::array<std::uint64_t, symbolCount> frequency{};
    bool any = false;
    for (int i = 0; i < 256; ++i) {
        frequency[i] = counts[i];
        if (counts[i] != 0 && i > maxSymbol)
            badTable();
        any = any || counts[i] != 0;
    }
    if (!any)
        badTable();
    // The reserved symbol keeps every real code from being all 1 bits.
    frequency[256] = 1;

    // Code sizes (Figure K.1). A length can pass 32 in theory, so the
    // counts of each length are kept for every possible length.
    std::array<int, symbolCount> codeSize{};
    std::array<int, symbolCount> others;
    others.fill(-1);
    for (;;) {
        int v1 = leastFrequent(frequency, -1);
        int v2 = leastFrequent(frequency, v1);
        if (v2 < 0)
            break;
        frequency[v1] += frequency[v2];
        frequency[v2] = 0;
        for (++codeSize[v1]; others[v1] >= 0; ++codeSize[v1])
            v1 = others[v1];
        others[v1] = v2;
        for (++codeSize[v2]; others[v2] >= 0; ++codeSize[v2])
            v2 = others[v2];
    }

    // Counts per length (Figure K.2), then lengths over 16 folded back
    // (Adjust_BITS, Figure K.3), then the reserved code taken out.
    std::array<int, symbolCount + 1> lengthCount{};
    int longest = 0;
    for (int i = 0; i < symbolCount; ++i) {
        if (codeSize[i] > 0) {
            ++lengthCount[codeSize[i]];
            longest = std::max(longest, codeSize[i]);
        }
    }
    for (int i = longest; i > 16; --i) {
        while (lengthCount[i] > 0) {
            int j = i - 2;
            while (lengthCount[j] == 0)
                --j;
            lengthCount[i] -= 2;
            lengthCount[i - 1] += 1;
            lengthCount[j + 1] += 2;
            lengthCount[j] -= 1;
        }
    }
    int last = 16;
    while (lengthCount[last] == 0)
        --last;
    lengthCount[last] -= 1;

    std::array<std::uint8_t, 16> bits{};
    for (int i = 1; i <= 16; ++i)
        bits[i - 1] = std::uint8_t(lengthCount[i]);
    // HUFFVAL by code size, then by symbol value (Figure K.4).
    std::vector<std::uint8_t> values;
    for (int length = 1; length <= longest; ++length) {
        for (int symbol = 0; symbol < 256; ++symbol) {
            if (codeSize[symbol] == length)
                values.push_back(std::uint8_t(symbol));
        }
    }
    return codeTable(bits, values, maxSymbol);
}

HuffmanTable codeTable(const std::array<std::uint8_t, 16> &bits,
                       const std::vector<std::uint8_t> &values, int maxSymbol)
{
    std::size_t total = 0;
    for (std::uint8_t count : bits)
        total += count;
    if (total == 0 || total > 256 || total != values.size())
        badTable();

    HuffmanTable table;
    table.bits = bits;
    table.values = values;
    // Generate_size_table, Generate_code_table and Order_codes (Annex C).
    std::uint32_t code = 0;
    std::size_t k = 0;
    for (int length = 1; length <= 16; ++length, code <<= 1) {
        for (int i = 0; i < bits[length - 1]; ++i, ++k, ++code) {
            const int symbol = values[k];
            if (symbol > maxSymbol || table.size[symbol] != 0 || code >= (1u << length) - 1)
                badTable();
            table.code[symbol] = std::uint16_t(code);
            table.size[symbol] = std::uint8_t(length);
        }
    }
    return table;
}

} // namespace quillery::jpeg
