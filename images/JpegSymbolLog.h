// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
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
// a second time. The symbols, a byte each, fill the memory from its start;
// the extra bits, packed from the lowest bit of 32-bit words, fill it from
// its end down, so that where the next symbol is read never waits for the
// one before. Memory up to the budget is reserved but only used as it is
// written; once a block might not fit, the log ends at the start of the row
// that block is in, and the rest is made again when coded. A log without
// memory holds nothing.
class SymbolLog
{
public:
    // Where the next symbol and the next extra bits go. The word being
    // filled is always stored too, at extraBits - 4.
    struct Cursor
    {
        std::uint8_t *symbols = nullptr;
        std::uint8_t *extraBits = nullptr; // just past the words filled
        std::uint64_t pending = 0;         // the bits of the word being filled
        int pendingCount = 0;
    };

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
        if (write_.extraBits - write_.symbols >= blockBytes)
            return true;
        endScan_ = markScan_;
        endAt_ = mark_;
        write_ = markWrite_;
        write_.extraBits = write_.symbols; // nothing more fits
        return false;
    }
    // Where the next block's symbols go (room for one block is made sure of
    // first), then where they end.
    Cursor cursor() const { return write_; }
    void moveTo(const Cursor &end) { write_ = end; }
    // A symbol, then its extra bits (already cut to `size` bits, at most 16).
    static void put(Cursor &at, std::uint8_t value) { *at.symbols++ = value; }
    static void putExtraBits(Cursor &at, std::uint32_t bits, int size)
    {
        at.pending |= std::uint64_t(bits) << at.pendingCount;
        at.pendingCount += size;
        const auto word = std::uint32_t(at.pending);
        std::memcpy(at.extraBits - 4, &word, 4);
        // A full word is left where it is, without a branch: how often
        // that happens follows no pattern. What spilt over is stored as the
        // next word at once, since these may be the last bits logged.
        const int full = at.pendingCount >= 32;
        at.extraBits -= 4 * full;
        at.pending >>= 32 * full;
        at.pendingCount -= 32 * full;
        const auto rest = std::uint32_t(at.pending);
        std::memcpy(at.extraBits - 4, &rest, 4);
    }

    // The first symbol and the end of the first extra bits.
    Cursor start() const { return {data_.get(), data_.get() + budget_, 0, 0}; }
    // How much of scan number `scan`, of `rows` rows, the log holds.
    ScanPosition keptPart(int scan, int rows) const
    {
        if (scan < endScan_)
            return {rows, {}};
        return scan == endScan_ ? endAt_ : ScanPosition{};
    }

private:
    // One block at most: 64 symbols and three zero-run symbols, extra bits
    // of at most 11 bits for the DC difference and 10 for each AC
    // coefficient, the word being filled and the one stored after it.
    static constexpr std::ptrdiff_t blockBytes = 67 + (11 + 63 * 10 + 7) / 8 + 8;

    std::unique_ptr<std::uint8_t[]> data_;
    std::size_t budget_ = 0;
    Cursor write_;
    int markScan_ = 0;
    ScanPosition mark_;
    Cursor markWrite_;
    int endScan_ = 0; // INT_MAX while nothing was left out
    ScanPosition endAt_;
};

// Reads a log back symbol by symbol.
class SymbolLogReader
{
public:
    explicit SymbolLogReader(const SymbolLog &log) : read_(log.start()) {}

    std::uint8_t symbol() { return *read_.symbols++; }
    std::uint32_t extraBits(int size)
    {
        if (read_.pendingCount < size) {
            read_.extraBits -= 4;
            std::uint32_t word;
            std::memcpy(&word, read_.extraBits, 4);
            read_.pending |= std::uint64_t(word) << read_.pendingCount;
            read_.pendingCount += 32;
        }
        const auto bits = std::uint32_t(read_.pending) & ((1u << size) - 1);
        read_.pending >>= size;
        read_.pendingCount -= size;
        return bits;
    }

private:
    SymbolLog::Cursor read_;
};

} // namespace quillery::jpeg
