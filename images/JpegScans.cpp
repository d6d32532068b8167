// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/JpegScans.h"

#include <algorithm>
#include <bit>
#include <cstdlib>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace quillery::jpeg {

namespace {

// Blocks an MCU of a scan of several components may hold.
constexpr int maxMcuBlocks = 10;

// Bit k set when coefficient k (zig-zag order) of the block is not zero.
[[gnu::always_inline]] inline std::uint64_t nonZeroMask(const std::int16_t *block)
{
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128();
    std::uint64_t mask = 0;
    for (int i = 0; i < 4; ++i) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(block + 16 * i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(block + 16 * i + 8));
        const __m128i zeros = _mm_packs_epi16(_mm_cmpeq_epi16(a, zero), _mm_cmpeq_epi16(b, zero));
        mask |= std::uint64_t(std::uint16_t(~_mm_movemask_epi8(zeros))) << (16 * i);
    }
    return mask;
#else
    std::uint64_t mask = 0;
    for (int k = 0; k < 64; ++k)
        mask |= std::uint64_t(block[k] != 0) << k;
    return mask;
#endif
}

// Number of bits of |value|: the size category of T.81 F.1.2.
inline int category(int value)
{
    return std::bit_width(unsigned(std::abs(value)));
}

// The extra bits after a category: the value itself, or for a negative value
// the low bits of value - 1.
inline std::uint32_t extraBits(int value, int size)
{
    // value >> 31 is -1 for a negative value and 0 otherwise: signs come
    // in no order a branch could foresee.
    return std::uint32_t(value + (value >> 31)) & ((1u << size) - 1);
}

// Codes one block (T.81 F.1.2): the DC difference, then the AC coefficients
// as run/size symbols, with a zero-run-length symbol (0xF0) for every 16
// zeros before a coefficient and end-of-block (0x00) when zeros end it.
template <typename Coder>
inline void codeBlock(const std::int16_t *block, int difference, int table, Coder &coder)
{
    coder.symbol(true, table, difference);
    std::uint64_t rest = nonZeroMask(block) & ~std::uint64_t(1);
    int previous = 0;
    while (rest != 0) {
        const int k = std::countr_zero(rest);
        int run = k - previous - 1;
        for (; run >= 16; run -= 16)
            coder.runSymbol(table, 0xF0);
        coder.symbol(false, table, block[k], run);
        previous = k;
        rest &= rest - 1;
    }
    if (previous != 63)
        coder.runSymbol(table, 0x00);
}

// Rows of a scan: rows of blocks for one component, rows of MCUs for more.
int scanRows(const Frame &frame, const std::vector<int> &group)
{
    if (group.size() == 1)
        return frame.components[group[0]].blocksDown;
    return (frame.height + 8 * frame.vmax - 1) / (8 * frame.vmax);
}

// Walks rows at.row ... endRow - 1 of a scan in coding order, with the DC
// predictors, and hands each block to coder.block(block, DC difference,
// table), after coder.rowStart(at) at each row.
template <typename Coder>
void walkScan(const Frame &frame, const std::vector<int> &group, BlockSource &blocks, Coder &coder,
              ScanPosition &at, int endRow)
{
    if (group.size() == 1) {
        const Component &c = frame.components[group[0]];
        const std::size_t rowSize = std::size_t(c.blocksAcross) * 64;
        int &predictor = at.predictors[0];
        for (; at.row < endRow; ++at.row) {
            coder.rowStart(at);
            const std::int16_t *block = blocks.blockRows(group[0], at.row, 1);
            for (const std::int16_t *end = block + rowSize; block != end; block += 64) {
                coder.block(block, block[0] - predictor, c.table);
                predictor = block[0];
            }
        }
        return;
    }

    // The blocks of one MCU in coding order, worked out once for the scan.
    struct McuBlock
    {
        int member; // place in the group
        int v;
        int h;
        int table;
        int blocksAcross;
        int blocksDown;
        int mcuWidth; // the component's H
        int mcuHeight;
    };
    McuBlock layout[maxMcuBlocks];
    int layoutSize = 0;
    for (std::size_t g = 0; g < group.size(); ++g) {
        const Component &c = frame.components[group[g]];
        for (int v = 0; v < c.v; ++v) {
            for (int h = 0; h < c.h; ++h)
                layout[layoutSize++] = {.member = int(g),
                                        .v = v,
                                        .h = h,
                                        .table = c.table,
                                        .blocksAcross = c.blocksAcross,
                                        .blocksDown = c.blocksDown,
                                        .mcuWidth = c.h,
                                        .mcuHeight = c.v};
        }
    }

    static const std::int16_t dummy[64] = {};
    const int mcusAcross = (frame.width + 8 * frame.hmax - 1) / (8 * frame.hmax);
    const std::int16_t *rows[3] = {};
    for (; at.row < endRow; ++at.row) {
        coder.rowStart(at);
        const int my = at.row;
        // This row of MCUs covers block rows my x V ... of each component,
        // fewer at the bottom edge.
        for (std::size_t g = 0; g < group.size(); ++g) {
            const Component &c = frame.components[group[g]];
            const int first = my * c.v;
            const int count = std::min(c.v, c.blocksDown - first);
            rows[g] = count > 0 ? blocks.blockRows(group[g], first, count) : nullptr;
        }
        for (int mx = 0; mx < mcusAcross; ++mx) {
            for (int i = 0; i < layoutSize; ++i) {
                const McuBlock &b = layout[i];
                const int by = my * b.mcuHeight + b.v;
                const int bx = mx * b.mcuWidth + b.h;
                if (bx >= b.blocksAcross || by >= b.blocksDown) {
                    // Outside the component's blocks: a dummy block that
                    // repeats the predicted DC.
                    coder.block(dummy, 0, b.table);
                } else {
                    const std::int16_t *block =
                        rows[b.member] + (std::size_t(b.v) * b.blocksAcross + bx) * 64;
                    coder.block(block, block[0] - at.predictors[b.member], b.table);
                    at.predictors[b.member] = block[0];
                }
            }
        }
    }
}

// Counts the symbols of one block and, when Logged, writes them at `write`
// (a local cursor, so that the bytes written are not taken to change it).
template <bool Logged> struct BlockCounter
{
    ScanStatistics &statistics;
    SymbolLog::Cursor write;

    void symbol(bool dc, int table, int value, int run = 0)
    {
        const int size = category(value);
        const int symbol = dc ? size : (run << 4) | size;
        ++(dc ? statistics.dc : statistics.ac)[table][symbol];
        if constexpr (Logged) {
            SymbolLog::put(write, std::uint8_t(symbol));
            SymbolLog::putExtraBits(write, extraBits(value, size), size);
        }
    }
    void runSymbol(int table, int symbol)
    {
        ++statistics.ac[table][symbol];
        if constexpr (Logged)
            SymbolLog::put(write, std::uint8_t(symbol));
    }
};

// Counts the symbols, and keeps them in the log while it has room.
struct Counter
{
    ScanStatistics &statistics;
    SymbolLog *log;
    int scan = 0;

    void rowStart(const ScanPosition &at)
    {
        if (log != nullptr)
            log->markRow(scan, at);
    }
    void block(const std::int16_t *block, int difference, int table)
    {
        if (log != nullptr && !log->roomForBlock())
            log = nullptr;
        if (log != nullptr) {
            BlockCounter<true> counter{statistics, log->cursor()};
            codeBlock(block, difference, table, counter);
            log->moveTo(counter.write);
        } else {
            BlockCounter<false> counter{statistics, {}};
            codeBlock(block, difference, table, counter);
        }
    }
};

// Most bytes one block's codes can take: 64 codes of at most 27 bits, each
// byte possibly followed by a stuffed zero, and a word pending.
constexpr std::size_t maxBlockBytes = 2 * (64 * 27 / 8 + 1) + 8;

// Makes room in `out` for one block's codes.
void roomForBlock(JpegBuffer &out, JpegBuffer::Bits &bits)
{
    if (std::size_t(bits.end - bits.to) < maxBlockBytes) {
        out.putBits(bits);
        out.makeRoom(maxBlockBytes);
        bits = out.takeBits();
    }
}

// Codes blocks, with the bit stream taken out of `out` (handed back by the
// caller).
struct Writer
{
    const CodingTables &tables;
    JpegBuffer &out;
    JpegBuffer::Bits bits;

    void rowStart(const ScanPosition &) {}
    void block(const std::int16_t *block, int difference, int table)
    {
        roomForBlock(out, bits);
        codeBlock(block, difference, table, *this);
    }
    void symbol(bool dc, int table, int value, int run = 0)
    {
        const int size = category(value);
        const HuffmanTable &t = dc ? tables.dc[table] : tables.ac[table];
        const int symbol = dc ? size : (run << 4) | size;
        bits.put((std::uint32_t(t.code[symbol]) << size) | extraBits(value, size),
                 t.size[symbol] + size);
    }
    void runSymbol(int table, int symbol)
    {
        bits.put(tables.ac[table].code[symbol], tables.ac[table].size[symbol]);
    }
};

// Tables of the blocks of one row of a scan, in coding order.
std::vector<int> rowTables(const Frame &frame, const std::vector<int> &group)
{
    if (group.size() == 1) {
        const Component &c = frame.components[group[0]];
        return std::vector<int>(std::size_t(c.blocksAcross), c.table);
    }
    std::vector<int> mcu;
    for (int index : group) {
        const Component &c = frame.components[index];
        mcu.insert(mcu.end(), std::size_t(c.h) * c.v, c.table);
    }
    const int mcusAcross = (frame.width + 8 * frame.hmax - 1) / (8 * frame.hmax);
    std::vector<int> row;
    for (int mx = 0; mx < mcusAcross; ++mx)
        row.insert(row.end(), mcu.begin(), mcu.end());
    return row;
}

// Codes the first `rows` rows of a scan from the symbols kept in the log.
void writeLogged(const Frame &frame, const std::vector<int> &group, int rows,
                 SymbolLogReader &logged, const CodingTables &tables, JpegBuffer &out)
{
    const std::vector<int> tablesOfRow = rowTables(frame, group);
    // The reader and the bit stream are copied into local variables for the
    // loop and handed back after it.
    SymbolLogReader log = logged;
    JpegBuffer::Bits bits = out.takeBits();
    for (int row = 0; row < rows; ++row) {
        for (int table : tablesOfRow) {
            roomForBlock(out, bits);
            const HuffmanTable &dc = tables.dc[table];
            const int dcSize = log.symbol();
            bits.put((std::uint32_t(dc.code[dcSize]) << dcSize) | log.extraBits(dcSize),
                     dc.size[dcSize] + dcSize);
            const HuffmanTable &ac = tables.ac[table];
            // Each symbol moves past its run of zeros and its coefficient (a
            // zero-run symbol past 16 zeros); end-of-block or the last
            // coefficient ends the block.
            for (int k = 1; k < 64;) {
                const int symbol = log.symbol();
                const int size = symbol & 15;
                bits.put((std::uint32_t(ac.code[symbol]) << size) | log.extraBits(size),
                         ac.size[symbol] + size);
                if (symbol == 0x00)
                    break;
                k += (symbol >> 4) + 1;
            }
        }
    }
    out.putBits(bits);
    logged = log;
}

} // namespace

std::vector<std::vector<int>> scanGroups(const Frame &frame)
{
    std::vector<std::vector<int>> groups;
    std::vector<int> current;
    int blocks = 0;
    for (int i = 0; i < int(frame.components.size()); ++i) {
        const int perMcu = frame.components[i].h * frame.components[i].v;
        if (!current.empty() && (blocks + perMcu > maxMcuBlocks || current.size() == 3)) {
            groups.push_back(current);
            current.clear();
            blocks = 0;
        }
        current.push_back(i);
        blocks += perMcu;
    }
    if (!current.empty())
        groups.push_back(current);
    return groups;
}

ScanStatistics countSymbols(const Frame &frame, const std::vector<std::vector<int>> &groups,
                            BlockSource &blocks, SymbolLog &log)
{
    ScanStatistics statistics;
    Counter counter{statistics, &log};
    for (const std::vector<int> &group : groups) {
        ScanPosition at;
        walkScan(frame, group, blocks, counter, at, scanRows(frame, group));
        ++counter.scan;
    }
    return statistics;
}

void writeScan(const Frame &frame, const std::vector<int> &group, int scan, const SymbolLog &log,
               SymbolLogReader &logged, BlockSource &blocks, const CodingTables &tables,
               JpegBuffer &out)
{
    const int rows = scanRows(frame, group);
    const ScanPosition kept = log.keptPart(scan, rows);
    writeLogged(frame, group, kept.row, logged, tables, out);
    ScanPosition at = kept;
    Writer writer{tables, out, out.takeBits()};
    walkScan(frame, group, blocks, writer, at, rows);
    out.putBits(writer.bits);
    out.flushBits();
}

} // namespace quillery::jpeg
