// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

namespace quillery::jpeg {

// The file being assembled in memory: whole bytes for the marker segments and
// a bit stream for the entropy-coded data, packed from the most significant
// bit, with a 0x00 stuffed after every 0xFF. Hands the sink what it holds
// whenever it is full, and at drain().
class JpegBuffer
{
public:
    using Sink = std::function<void(const std::uint8_t *, std::size_t)>;

    JpegBuffer(std::size_t capacity, Sink sink) : data_(capacity), sink_(std::move(sink)) {}

    void byte(std::uint8_t value)
    {
        reserve(1);
        data_[size_++] = value;
    }
    void word(std::uint16_t value)
    {
        byte(std::uint8_t(value >> 8));
        byte(std::uint8_t(value));
    }
    void bytes(const void *from, std::size_t count)
    {
        reserve(count);
        std::memcpy(data_.data() + size_, from, count);
        size_ += count;
    }

    // Appends the low `count` bits of `value` (count at most 32, no higher
    // bits set): one code at a time.
    void bits(std::uint32_t value, int count)
    {
        reserve(wordBytes);
        Bits stream = takeBits();
        stream.put(value, count);
        putBits(stream);
    }

    // The bit stream taken out for a loop that codes many bits: the pending
    // bits and the free space, held in the loop's own variables (bytes
    // stored into the buffer might otherwise be taken to change them), until
    // handed back with putBits. Room for a piece of codes is made with
    // makeRoom first; put() then needs no test for it.
    struct Bits
    {
        std::uint64_t pending;
        int count;
        std::uint8_t *to;
        std::uint8_t *end;

        // Appends the low `bitCount` bits of `value` (at most 32, no
        // higher bits set) into the room made.
        void put(std::uint32_t value, int bitCount)
        {
            pending = (pending << bitCount) | value;
            count += bitCount;
            if (count >= 32) {
                count -= 32;
                to = storeWord(std::uint32_t(pending >> count), to);
            }
        }
    };
    Bits takeBits()
    {
        return {pending_, pendingCount_, data_.data() + size_, data_.data() + data_.size()};
    }
    void putBits(const Bits &bits)
    {
        pending_ = bits.pending;
        pendingCount_ = bits.count;
        size_ = std::size_t(bits.to - data_.data());
    }
    // Makes sure `bytes` more can be written.
    void makeRoom(std::size_t bytes) { reserve(bytes); }

    // Ends a scan: fills the last byte with 1 bits and writes what is left.
    void flushBits()
    {
        const int fill = (8 - pendingCount_ % 8) % 8;
        pending_ = (pending_ << fill) | ((1u << fill) - 1);
        pendingCount_ += fill;
        while (pendingCount_ > 0) {
            pendingCount_ -= 8;
            emitByte(std::uint8_t(pending_ >> pendingCount_));
        }
        pending_ = 0;
    }

    std::size_t size() const { return size_; }
    // Hands the sink the bytes held.
    void drain()
    {
        if (size_ > 0)
            sink_(data_.data(), size_);
        size_ = 0;
    }

private:
    // Most bytes a word of bits takes once stuffed.
    static constexpr std::size_t wordBytes = 8;

    void reserve(std::size_t count)
    {
        if (size_ + count <= data_.size())
            return;
        drain();
        if (count > data_.size())
            data_.resize(count);
    }

    void emitByte(std::uint8_t value)
    {
        reserve(2);
        data_[size_++] = value;
        if (value == 0xFF)
            data_[size_++] = 0;
    }

    // Stores a word's bytes at `to`, each 0xFF followed by 0x00; returns
    // where they end.
    static std::uint8_t *storeWord(std::uint32_t word, std::uint8_t *to)
    {
        // Most words hold no 0xFF byte (no zero byte once inverted) and go
        // out in one piece.
        const std::uint32_t inverted = ~word;
        if (((inverted - 0x01010101u) & ~inverted & 0x80808080u) == 0) {
            to[0] = std::uint8_t(word >> 24);
            to[1] = std::uint8_t(word >> 16);
            to[2] = std::uint8_t(word >> 8);
            to[3] = std::uint8_t(word);
            return to + 4;
        }
        for (int shift = 24; shift >= 0; shift -= 8) {
            const auto value = std::uint8_t(word >> shift);
            *to++ = value;
            if (value == 0xFF)
                *to++ = 0;
        }
        return to;
    }

    std::vector<std::uint8_t> data_;
    std::size_t size_ = 0;
    Sink sink_;
    std::uint64_t pending_ = 0;
    int pendingCount_ = 0;
};

} // namespace quillery::jpeg
