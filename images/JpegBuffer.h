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
    // bits set).
    void bits(std::uint32_t value, int count)
    {
        pending_ = (pending_ << count) | value;
        pendingCount_ += count;
        if (pendingCount_ >= 32) {
            pendingCount_ -= 32;
            emitWord(std::uint32_t(pending_ >> pendingCount_));
        }
    }

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

    void emitWord(std::uint32_t word)
    {
        // Most words hold no 0xFF byte (no zero byte once inverted) and go
        // out in one piece.
        const std::uint32_t inverted = ~word;
        if (((inverted - 0x01010101u) & ~inverted & 0x80808080u) == 0) {
            reserve(4);
            std::uint8_t *to = data_.data() + size_;
            to[0] = std::uint8_t(word >> 24);
            to[1] = std::uint8_t(word >> 16);
            to[2] = std::uint8_t(word >> 8);
            to[3] = std::uint8_t(word);
            size_ += 4;
            return;
        }
        emitByte(std::uint8_t(word >> 24));
        emitByte(std::uint8_t(word >> 16));
        emitByte(std::uint8_t(word >> 8));
        emitByte(std::uint8_t(word));
    }

    std::vector<std::uint8_t> data_;
    std::size_t size_ = 0;
    Sink sink_;
    std::uint64_t pending_ = 0;
    int pendingCount_ = 0;
};

} // namespace quillery::jpeg
