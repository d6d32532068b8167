// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/JpegWriter.h"

#include "images/JpegScans.h"

#include <algorithm>
#include <cmath>

namespace quillery::jpeg {

namespace {

// The encoder's own comment, which ends by naming the tables.
constexpr std::string_view identification = "JPEG Encoder Class\r\n"
                                            "Quillery " QUILLERY_VERSION "\r\n"
                                            "Baseline DCT, ";
constexpr std::string_view optimisedTables = "Huffman tables optimised for this image";
constexpr std::string_view standardTables = "the standard's example Huffman tables";

// Bytes a streamed file is written in.
constexpr std::size_t streamChunk = 1 << 16;

void segmentStart(JpegBuffer &out, std::uint8_t marker, std::size_t length)
{
    out.byte(0xFF);
    out.byte(marker);
    out.word(std::uint16_t(length));
}

void writeComment(JpegBuffer &out, std::string_view text, std::string_view more = "")
{
    segmentStart(out, 0xFE, text.size() + more.size() + 2);
    out.bytes(text.data(), text.size());
    out.bytes(more.data(), more.size());
}

void writeHuffmanTable(JpegBuffer &out, int tableClass, int number, const HuffmanTable &table)
{
    segmentStart(out, 0xC4, 2 + 1 + 16 + table.values.size());
    out.byte(std::uint8_t(tableClass << 4 | number));
    out.bytes(table.bits.data(), 16);
    out.bytes(table.values.data(), table.values.size());
}

// Coded size in bits from the counts: each symbol's code and extra bits.
double codedBits(const SymbolCounts &counts, const HuffmanTable &table, bool dc)
{
    double bits = 0;
    for (int symbol = 0; symbol < 256; ++symbol) {
        if (counts[symbol] != 0)
            bits += double(counts[symbol]) * (table.size[symbol] + (dc ? symbol : symbol & 15));
    }
    return bits;
}

} // namespace

void writeJpeg(const Frame &frame, BlockSource &blocks, std::string_view comment,
               const JpegBuffer::Sink &sink, HuffmanTables huffmanTables)
{
    const std::vector<std::vector<int>> groups = scanGroups(frame);
    const bool optimised = huffmanTables == HuffmanTables::Optimised;
    SymbolLog log(optimised ? blocks.symbolLogBudget() : 0);
    const int tableCount = frame.components.size() == 3 ? 2 : 1;
    CodingTables tables;
    std::size_t bufferSize = streamChunk;
    if (optimised) {
        const ScanStatistics statistics = countSymbols(frame, groups, blocks, log);
        double estimate = 0;
        for (int t = 0; t < tableCount; ++t) {
            tables.dc[t] = optimalTable(statistics.dc[t], maxDcSymbol);
            tables.ac[t] = optimalTable(statistics.ac[t], maxAcSymbol);
            estimate += codedBits(statistics.dc[t], tables.dc[t], true) +
                        codedBits(statistics.ac[t], tables.ac[t], false);
        }
        // A small file is written in one piece.
        const auto wanted = std::size_t(std::lround(1.3 * estimate / 8 + 1000 + comment.size()));
        bufferSize = std::min(wanted, streamChunk);
    } else {
        for (int t = 0; t < tableCount; ++t) {
            tables.dc[t] = standardDcTable(t);
            tables.ac[t] = standardAcTable(t);
        }
    }
    JpegBuffer out(bufferSize, sink);

    out.byte(0xFF);
    out.byte(0xD8);
    static const std::uint8_t app0[] = {0xFF, 0xE0, 0x00, 0x10, 0x4A, 0x46, 0x49, 0x46, 0x00,
                                        0x01, 0x01, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00};
    out.bytes(app0, sizeof app0);
    if (!comment.empty())
        writeComment(out, comment);
    writeComment(out, identification, optimised ? optimisedTables : standardTables);

    for (int t = 0; t < tableCount; ++t) {
        segmentStart(out, 0xDB, 67);
        out.byte(std::uint8_t(t));
        out.bytes(frame.tables[t].entries.data(), 64);
    }

    segmentStart(out, 0xC0, 8 + 3 * frame.components.size());
    out.byte(8);
    out.word(std::uint16_t(frame.height));
    out.word(std::uint16_t(frame.width));
    out.byte(std::uint8_t(frame.components.size()));
    for (const Component &c : frame.components) {
        out.byte(std::uint8_t(c.id));
        out.byte(std::uint8_t(c.h << 4 | c.v));
        out.byte(std::uint8_t(c.table));
    }

    for (int t = 0; t < tableCount; ++t) {
        writeHuffmanTable(out, 0, t, tables.dc[t]);
        writeHuffmanTable(out, 1, t, tables.ac[t]);
    }

    SymbolLogReader logged(log);
    for (std::size_t scan = 0; scan < groups.size(); ++scan) {
        const std::vector<int> &group = groups[scan];
        segmentStart(out, 0xDA, 6 + 2 * group.size());
        out.byte(std::uint8_t(group.size()));
        for (int index : group) {
            const Component &c = frame.components[index];
            out.byte(std::uint8_t(c.id));
            out.byte(std::uint8_t(c.table << 4 | c.table));
        }
        out.byte(0);
        out.byte(63);
        out.byte(0);
        writeScan(frame, group, int(scan), log, logged, blocks, tables, out);
    }

    out.byte(0xFF);
    out.byte(0xD9);
    out.drain();
}

} // namespace quillery::jpeg
