#pragma once

#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace quillery::jpeg {

// A point between two rows of a scan, with the DC predictors of its
// components there.
struct ScanPosition
{
    int row = 0;
    std::array<int, 3> predictors{};
};

// The symbols of a frame's scans and their extra bits, in coding order, kept
// while the symbols are counted so that coding them need not make the blocks
// a second time. Memory up to the budget is reserved but only used as it is
// written; once a block might not fit, the log ends at the start of the row
// that block is in, and the rest is made again when coded.
class SymbolLog
{
public:
    explicit SymbolLog(std::size_t budget);

    // Where the log ends should the row starting here not fit.
    void markRow(int scan, const ScanPosition &at)
    {
        markScan_ = scan;
        mark_ = at;
        markWrite_ = write_;
    }
    // Makes sure the next block's symbols fit; false, with the log ended at
    // the last mark, when they might not.
    bool roomForBlock()
    {
        if (end_ - write_ >= blockBytes)
            return true;
        endScan_ = markScan_;
        endAt_ = mark_;
        write_ = end_ = markWrite_;
        return false;
    }
    // Where the next block's symbols go (room for one block is made sure of
    // first), then where they end.
    std::uint8_t *cursor() const { return write_; }
    void moveTo(std::uint8_t *end) { write_ = end; }
    // A symbol, then its extra bits (already cut to `size` bits): none, one
    // byte or two, most significant first.
    static void put(std::uint8_t *&at, std::uint8_t value) { *at++ = value; }
    static void putExtraBits(std::uint8_t *&at, std::uint32_t bits, int size)
    {
        if (size > 8)
            *at++ = std::uint8_t(bits >> 8);
        if (size > 0)
            *at++ = std::uint8_t(bits);
    }

    const std::uint8_t *data() const { return data_.get(); }
    // How much of scan number `scan`, of `rows` rows, the log holds.
    ScanPosition keptPart(int scan, int rows) const
    {
        if (scan < endScan_)
            return {rows, {}};
        return scan == endScan_ ? endAt_ : ScanPosition{};
    }

private:
    // One block at most: DC symbol and two bytes, 63 AC symbols with two bytes
    // each, three zero-run symbols.
    static constexpr std::ptrdiff_t blockBytes = 3 + 63 * 3 + 3;

    std::unique_ptr<std::uint8_t[]> data_;
    std::uint8_t *write_ = nullptr;
    std::uint8_t *end_ = nullptr;
    int markScan_ = 0;
    ScanPosition mark_;
    std::uint8_t *markWrite_ = nullptr;
    int endScan_ = INT_MAX;
    ScanPosition endAt_;
};

// Reads a log back symbol by symbol.
class SymbolLogReader
{
public:
    explicit SymbolLogReader(const SymbolLog &log) : read_(log.data()) {}

    std::uint8_t symbol() { return *read_++; }
    std::uint32_t extraBits(int size)
    {
        std::uint32_t bits = 0;
        if (size > 8)
            bits = std::uint32_t(*read_++) << 8;
        if (size > 0)
            bits |= *read_++;
        return bits;
    }

private:
    const std::uint8_t *read_;
};

} // namespace quillery::jpeg
