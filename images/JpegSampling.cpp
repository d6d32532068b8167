// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/JpegSampling.h"

#include "images/JpegDct.h"
#include "images/PixelRows.h"
#include "images/Resample.h"
#include "images/Simd.h"

#include <algorithm>
#include <new>

namespace quillery::jpeg {

namespace {

// Colour conversion weights applied to 8-bit R, G, B; the -128 of Y is the
// level shift, chrominance comes out centred on 0.
struct Weights
{
    float r, g, b, offset;
};
constexpr Weights componentWeights[3] = {
    {0.299f, 0.587f, 0.114f, -128.0f},
    {-0.16874f, -0.33126f, 0.5f, 0.0f},
    {0.5f, -0.41869f, -0.08131f, 0.0f},
};

using RowSource = std::function<const std::uint8_t *(int)>;

template <int Count, bool RedFirst>
[[gnu::always_inline]] inline void convertPixels(const std::uint8_t *pixels, int width,
                                                 const Weights *weights, float *const *lines)
{
    for (int x = 0; x < width; ++x) {
        const float b = float(pixels[3 * x + (RedFirst ? 2 : 0)]);
        const float g = float(pixels[3 * x + 1]);
        const float r = float(pixels[3 * x + (RedFirst ? 0 : 2)]);
        for (int i = 0; i < Count; ++i) {
            const Weights &w = weights[i];
            lines[i][x] = ((w.r * r + w.g * g) + w.b * b) + w.offset;
        }
    }
}

template <bool RedFirst>
[[gnu::always_inline]] inline void convertRow(const std::uint8_t *pixels, int width,
                                              const Weights *weights, int count,
                                              float *const *lines)
{
    if (count == 1)
        convertPixels<1, RedFirst>(pixels, width, weights, lines);
    else if (count == 2)
        convertPixels<2, RedFirst>(pixels, width, weights, lines);
    else
        convertPixels<3, RedFirst>(pixels, width, weights, lines);
}

// Converts a row of three-byte pixels to `count` (1 to 3) components at once,
// one line each, reading the pixels only once.
QUILLERY_VECTOR_CLONES
void convertRow(const std::uint8_t *pixels, bool redFirst, int width, const Weights *weights,
                int count, float *const *lines)
{
    if (redFirst)
        convertRow<true>(pixels, width, weights, count, lines);
    else
        convertRow<false>(pixels, width, weights, count, lines);
}

// Memory the sampler may always spend on the symbols kept between the two
// passes, however small the picture.
constexpr std::size_t workingMemory = std::size_t(16) << 20;

int ceilDiv(std::int64_t a, std::int64_t b)
{
    return int((a + b - 1) / b);
}

} // namespace

// The components of one size, converted together a row of blocks at a time
// from `rows`, samples of width x height pixels, into one strip each; the
// padding repeats the last column and the last row.
class FrameSampler::Band
{
public:
    Band(RowSource rows, bool redFirst, int width, int height, int blocksAcross)
        : rows_(std::move(rows)), redFirst_(redFirst), width_(width), height_(height),
          paddedColumns_(int(stripSize(blocksAcross * 8) / 8))
    {
    }

    int size() const { return int(weights_.size()); }
    int width() const { return width_; }
    int height() const { return height_; }
    // Adds a component; returns its place in the band.
    int add(const Weights &weights)
    {
        weights_.push_back(weights);
        lines_.emplace_back(paddedColumns_);
        strips_.emplace_back(stripSize(paddedColumns_));
        return size() - 1;
    }

    // The strip of component `index` for block row `by`.
    const float *strip(int index, int by)
    {
        if (by != current_)
            make(by);
        return strips_[index].data();
    }

private:
    void make(int by)
    {
        float *lines[3] = {};
        for (int i = 0; i < size(); ++i)
            lines[i] = lines_[i].data();
        for (int r = 0; r < 8; ++r) {
            const std::uint8_t *pixels = rows_(std::min(by * 8 + r, height_ - 1));
            convertRow(pixels, redFirst_, width_, weights_.data(), size(), lines);
            for (int i = 0; i < size(); ++i) {
                std::fill(lines[i] + width_, lines[i] + paddedColumns_, lines[i][width_ - 1]);
                storeStripRow(lines[i], paddedColumns_, r, strips_[i].data());
            }
        }
        current_ = by;
    }

    RowSource rows_;
    bool redFirst_;
    int width_;
    int height_;
    int paddedColumns_;
    int current_ = -1;
    std::vector<Weights> weights_;
    std::vector<std::vector<float>> lines_;
    std::vector<std::vector<float>> strips_;
};

FrameSampler::FrameSampler(PixelRows &rows, const std::vector<Sampling> &sampling,
                           const std::array<QuantTable, 2> &tables)
    : rows_(rows)
{
    const int width = rows_.width();
    const int height = rows_.height();
    frame_.width = width;
    frame_.height = height;
    frame_.tables = tables;
    for (const Sampling &s : sampling) {
        frame_.hmax = std::max(frame_.hmax, s.h);
        frame_.vmax = std::max(frame_.vmax, s.v);
    }

    for (std::size_t i = 0; i < sampling.size(); ++i) {
        Component c;
        c.id = int(i) + 1;
        c.h = sampling[i].h;
        c.v = sampling[i].v;
        c.table = i == 0 ? 0 : 1;
        const int w = ceilDiv(std::int64_t(c.h) * width, frame_.hmax);
        const int h = ceilDiv(std::int64_t(c.v) * height, frame_.vmax);
        c.blocksAcross = ceilDiv(w, 8);
        c.blocksDown = ceilDiv(h, 8);

        // Components of the same size share their rows and are converted
        // together.
        auto band = std::find_if(bands_.begin(), bands_.end(), [&](const auto &b) {
            return b->width() == w && b->height() == h;
        });
        if (band == bands_.end()) {
            const RowSource source = [&rows = rows_](int y) {
                return rows.row(y);
            };
            RowSource rows = source;
            if (w != width || h != height) {
                // Each sample covers the source pixels a decoder puts it
                // over: Hmax / H across and Vmax / V down.
                auto &average = averages_.emplace_back(std::make_unique<AreaAverage>(
                    width, height, double(frame_.hmax) / c.h, double(frame_.vmax) / c.v, w, h));
                rows = [average = average.get(), source](int y) {
                    return average->row(y, source);
                };
            }
            bands_.push_back(
                std::make_unique<Band>(std::move(rows), rows_.redFirst(), w, h, c.blocksAcross));
            band = bands_.end() - 1;
        }
        places_.push_back({band->get(), (*band)->add(componentWeights[i])});
        rowBuffers_.emplace_back(std::size_t(c.v) * c.blocksAcross * 64);
        frame_.components.push_back(std::move(c));
    }
}

FrameSampler::~FrameSampler() = default;

const std::int16_t *FrameSampler::blockRows(int component, int first, int count)
{
    const std::size_t rowSize = std::size_t(frame_.components[component].blocksAcross) * 64;
    std::int16_t *out = rowBuffers_[component].data();
    for (int i = 0; i < count; ++i)
        transformRow(component, first + i, out + i * rowSize);
    return out;
}

std::size_t FrameSampler::symbolLogBudget() const
{
    // A byte per coefficient: half of what keeping the coefficients takes,
    // and more than the symbols of all but the noisiest pictures need.
    std::size_t coefficients = 0;
    for (const Component &c : frame_.components)
        coefficients += std::size_t(c.blocksAcross) * std::size_t(c.blocksDown) * 64;
    return std::max(workingMemory, coefficients);
}

void FrameSampler::transformRow(int component, int row, std::int16_t *out)
{
    const Place &place = places_[component];
    const Component &c = frame_.components[component];
    transformStrip(place.band->strip(place.index, row), c.blocksAcross,
                   frame_.tables[c.table].divisors.data(), out);
}

bool sampleFrame(PixelRows &rows, const std::vector<Sampling> &sampling,
                 const std::array<QuantTable, 2> &tables, Frame &frame)
{
    try {
        FrameSampler sampler(rows, sampling, tables);
        Frame result = sampler.frame();
        int blocksDown = 0;
        for (Component &c : result.components) {
            c.coefficients.resize(std::size_t(c.blocksAcross) * 64 * c.blocksDown);
            blocksDown = std::max(blocksDown, c.blocksDown);
        }
        // Row by row, so that components converted together are converted
        // once.
        for (int by = 0; by < blocksDown; ++by) {
            for (std::size_t i = 0; i < result.components.size(); ++i) {
                Component &c = result.components[i];
                const std::size_t rowSize = std::size_t(c.blocksAcross) * 64;
                if (by < c.blocksDown)
                    sampler.transformRow(int(i), by, c.coefficients.data() + by * rowSize);
            }
        }
        frame = std::move(result);
        return true;
    } catch (const std::bad_alloc &) {
        return false;
    }
}

} // namespace quillery::jpeg
