// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "images/JpegFrame.h"

#include <cstddef>
#include <cstdint>

namespace quillery::jpeg {

// Where the scan coder takes a frame's quantized blocks from. Each pass over
// a scan asks for every component's rows of blocks in increasing order.
class BlockSource
{
public:
    virtual ~BlockSource() = default;
    // Block rows [first, first + count) of a component, 64 coefficients per
    // block in raster order; valid until the next call for that component.
    virtual const std::int16_t *blockRows(int component, int first, int count) = 0;
    // Bytes worth spending to keep the symbols of the first pass rather than
    // making the blocks again for the second; none when they are at hand.
    virtual std::size_t symbolLogBudget() const { return 0; }
};

// The blocks kept in the frame itself.
class StoredBlocks : public BlockSource
{
public:
    explicit StoredBlocks(const Frame &frame) : frame_(frame) {}
    const std::int16_t *blockRows(int component, int first, int) override
    {
        const Component &c = frame_.components[component];
        return c.coefficients.data() + std::size_t(first) * c.blocksAcross * 64;
    }

private:
    const Frame &frame_;
};

} // namespace quillery::jpeg
