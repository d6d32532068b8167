// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "images/JpegBlocks.h"
#include "images/JpegFrame.h"

#include <functional>
#include <memory>

namespace quillery {
class AreaAverage;
class PixelRows;
} // namespace quillery

namespace quillery::jpeg {

// A picture, each component at its own resolution, transformed and quantized
// one row of blocks at a time when asked for. Holds no more than the
// components drawn at a reduced size; the rows must outlive it. Throws
// std::bad_alloc when the memory cannot be had.
class FrameSampler : public BlockSource
{
public:
    FrameSampler(PixelRows &rows, const std::vector<Sampling> &sampling,
                 const std::array<QuantTable, 2> &tables);
    ~FrameSampler() override;

    // The frame's header: size, components and tables, without coefficients.
    const Frame &frame() const { return frame_; }
    const std::int16_t *blockRows(int component, int first, int count) override;
    std::size_t symbolLogBudget() const override;
    // Writes block row `row` of a component (blocksAcross x 64 coefficients).
    void transformRow(int component, int row, std::int16_t *out);

private:
    class Band;
    // Where a component's samples are made: its band and its place there.
    struct Place
    {
        Band *band;
        int index;
    };

    PixelRows &rows_;
    Frame frame_;
    std::vector<std::unique_ptr<AreaAverage>> averages_; // the source at reduced sizes
    std::vector<std::unique_ptr<Band>> bands_;
    std::vector<Place> places_;
    std::vector<std::vector<std::int16_t>> rowBuffers_;
};

// Samples the whole frame into `frame` (coefficients included). Returns false,
// leaving `frame` untouched, when the memory for it cannot be had.
bool sampleFrame(PixelRows &rows, const std::vector<Sampling> &sampling,
                 const std::array<QuantTable, 2> &tables, Frame &frame);

} // namespace quillery::jpeg
