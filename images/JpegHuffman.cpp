// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/JpegHuffman.h"

#include "images/JpegError.h"

#include <algorithm>

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

} // namespace

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
