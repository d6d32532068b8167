// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "images/JpegBlocks.h"
#include "images/JpegBuffer.h"
#include "images/JpegFrame.h"
#include "images/JpegHuffman.h"
#include "images/JpegSymbolLog.h"

#include <vector>

namespace quillery::jpeg {

// Components grouped into scans, in component order: a group grows while
// its blocks per MCU (sum of H x V) stay at most 10 and it holds at most
// three components.
std::vector<std::vector<int>> scanGroups(const Frame &frame);

// Symbol counts per table (0: first component, 1: the others) over all scans,
// walked exactly as writeScan codes them.
struct ScanStatistics
{
    std::array<SymbolCounts, 2> dc{};
    std::array<SymbolCounts, 2> ac{};
};
// Each symbol also goes into `log` while it has room.
ScanStatistics countSymbols(const Frame &frame, const std::vector<std::vector<int>> &groups,
                            BlockSource &blocks, SymbolLog &log);

struct CodingTables
{
    std::array<HuffmanTable, 2> dc;
    std::array<HuffmanTable, 2> ac;
};
// Writes the entropy-coded data of scan number `scan` (without its SOS
// header): what the log kept of it from `logged`, which reads on from where
// the previous scan ended, the rest from the blocks.
void writeScan(const Frame &frame, const std::vector<int> &group, int scan, const SymbolLog &log,
               SymbolLogReader &logged, BlockSource &blocks, const CodingTables &tables,
               JpegBuffer &out);

} // namespace quillery::jpeg
