#include "images/JpegScans.h"

#include <algorithm>
#include <bit>
#include <cstdlib>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace quillery::jpeg {

namespace {

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
    return std::uint32_t(value < 0 ? value - 1 : value) & ((1u << size) - 1);
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

// Walks the blocks of one scan in coding order, with the DC predictors.
template <typename Coder>
void walkScan(const Frame &frame, const std::vector<int> &group, BlockSource &blocks, Coder &coder)
{
    if (group.size() == 1) {
        const Component &c = frame.components[group[0]];
        const std::size_t rowSize = std::size_t(c.blocksAcross) * 64;
        int predictor = 0;
        for (int by = 0; by < c.blocksDown; ++by) {
            const std::int16_t *block = blocks.blockRows(group[0], by, 1);
            for (const std::int16_t *end = block + rowSize; block != end; block += 64) {
                codeBlock(block, block[0] - predictor, c.table, coder);
                predictor = block[0];
            }
        }
        return;
    }

    static const std::int16_t dummy[64] = {};
    const int mcusAcross = (frame.width + 8 * frame.hmax - 1) / (8 * frame.hmax);
    const int mcusDown = (frame.height + 8 * frame.vmax - 1) / (8 * frame.vmax);
    int predictors[3] = {};
    const std::int16_t *rows[3] = {};
    for (int my = 0; my < mcusDown; ++my) {
        // This row of MCUs covers block rows my x V ... of each component,
        // fewer at the bottom edge.
        for (std::size_t g = 0; g < group.size(); ++g) {
            const Component &c = frame.components[group[g]];
            const int first = my * c.v;
            const int count = std::min(c.v, c.blocksDown - first);
            rows[g] = count > 0 ? blocks.blockRows(group[g], first, count) : nullptr;
        }
        for (int mx = 0; mx < mcusAcross; ++mx) {
            for (std::size_t g = 0; g < group.size(); ++g) {
                const Component &c = frame.components[group[g]];
                for (int v = 0; v < c.v; ++v) {
                    const int by = my * c.v + v;
                    for (int h = 0; h < c.h; ++h) {
                        const int bx = mx * c.h + h;
                        if (bx >= c.blocksAcross || by >= c.blocksDown) {
                            // Outside the component's blocks: a dummy block
                            // that repeats the predicted DC.
                            codeBlock(dummy, 0, c.table, coder);
                            continue;
                        }
                        const std::int16_t *block =
                            rows[g] + (std::size_t(v) * c.blocksAcross + bx) * 64;
                        codeBlock(block, block[0] - predictors[g], c.table, coder);
                        predictors[g] = block[0];
                    }
                }
            }
        }
    }
}

struct Counter
{
    ScanStatistics &statistics;

    void symbol(bool dc, int table, int value, int run = 0)
    {
        if (dc)
            ++statistics.dc[table][category(value)];
        else
            ++statistics.ac[table][(run << 4) | category(value)];
    }
    void runSymbol(int table, int symbol) { ++statistics.ac[table][symbol]; }
};

struct Writer
{
    const CodingTables &tables;
    JpegBuffer &out;

    void symbol(bool dc, int table, int value, int run = 0)
    {
        const int size = category(value);
        const HuffmanTable &t = dc ? tables.dc[table] : tables.ac[table];
        const int symbol = dc ? size : (run << 4) | size;
        out.bits((std::uint32_t(t.code[symbol]) << size) | extraBits(value, size),
                 t.size[symbol] + size);
    }
    void runSymbol(int table, int symbol)
    {
        out.bits(tables.ac[table].code[symbol], tables.ac[table].size[symbol]);
    }
};

} // namespace

std::vector<std::vector<int>> scanGroups(const Frame &frame)
{
    std::vector<std::vector<int>> groups;
    std::vector<int> current;
    int blocks = 0;
    for (int i = 0; i < int(frame.components.size()); ++i) {
        const int perMcu = frame.components[i].h * frame.components[i].v;
        if (!current.empty() && (blocks + perMcu > 10 || current.size() == 3)) {
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
                            BlockSource &blocks)
{
    ScanStatistics statistics;
    Counter counter{statistics};
    for (const std::vector<int> &group : groups)
        walkScan(frame, group, blocks, counter);
    return statistics;
}

void writeScan(const Frame &frame, const std::vector<int> &group, BlockSource &blocks,
               const CodingTables &tables, JpegBuffer &out)
{
    Writer writer{tables, out};
    walkScan(frame, group, blocks, writer);
    out.flushBits();
}

} // namespace quillery::jpeg
