#include "images/JpegSampling.h"

#include "images/JpegDct.h"
#include "images/Pixels.h"
#include "images/Resample.h"
#include "images/Simd.h"
#include "images/cImage.h"

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

QUILLERY_VECTOR_CLONES
void convertRow(const std::uint8_t *bgr, int width, float wr, float wg, float wb, float offset,
                float *line)
{
    for (int x = 0; x < width; ++x)
        line[x] =
            ((wr * float(bgr[3 * x + 2]) + wg * float(bgr[3 * x + 1])) + wb * float(bgr[3 * x])) +
            offset;
}

// Memory the sampler may hold beside the source: its reduced drawings and
// the symbols kept between the two passes.
constexpr std::size_t workingMemory = std::size_t(16) << 20;

int ceilDiv(std::int64_t a, std::int64_t b)
{
    return int((a + b - 1) / b);
}

} // namespace

// Rows of the source rectangle as blue, green, red bytes.
class FrameSampler::Rows
{
public:
    Rows(const cImage &source, int left, int top, int width)
        : source_(source), left_(left), top_(top), width_(width),
          direct_(source.BitCount() == 24 && left >= 0 && left + width <= source.Width()),
          row_(direct_ ? 0 : 3 * std::size_t(width))
    {
    }

    const std::uint8_t *operator()(int y)
    {
        const int sy = top_ + y;
        const bool inside = sy >= 0 && sy < source_.Height();
        if (direct_ && inside)
            return source_.scanLine(sy) + 3 * std::size_t(left_);
        row_.assign(3 * std::size_t(width_), 0);
        const int x0 = std::max(0, left_);
        const int x1 = std::min(source_.Width(), left_ + width_);
        if (inside && x0 < x1)
            readRowBgr(source_, sy, x0, x1 - x0, row_.data() + 3 * std::size_t(x0 - left_));
        return row_.data();
    }

private:
    const cImage &source_;
    int left_;
    int top_;
    int width_;
    bool direct_;
    std::vector<std::uint8_t> row_;
};

// Converts, transforms and quantizes one component whose samples are
// width x height pixels given by `rows`; the padding repeats the last column
// and the last row.
class FrameSampler::Transform
{
public:
    Transform(RowSource rows, int width, int height, const Weights &weights, const float *divisors,
              int blocksAcross)
        : rows_(std::move(rows)), width_(width), height_(height), weights_(weights),
          divisors_(divisors), blocksAcross_(blocksAcross),
          paddedColumns_(int(stripSize(blocksAcross * 8) / 8)), line_(paddedColumns_),
          strip_(stripSize(blocksAcross * 8))
    {
    }

    void row(int by, std::int16_t *out)
    {
        for (int r = 0; r < 8; ++r) {
            const std::uint8_t *bgr = rows_(std::min(by * 8 + r, height_ - 1));
            convertRow(bgr, width_, weights_.r, weights_.g, weights_.b, weights_.offset,
                       line_.data());
            std::fill(line_.begin() + width_, line_.end(), line_[width_ - 1]);
            storeStripRow(line_.data(), paddedColumns_, r, strip_.data());
        }
        transformStrip(strip_.data(), blocksAcross_, divisors_, out);
    }

private:
    RowSource rows_;
    int width_;
    int height_;
    Weights weights_;
    const float *divisors_;
    int blocksAcross_;
    int paddedColumns_;
    std::vector<float> line_;
    std::vector<float> strip_;
};

FrameSampler::FrameSampler(const cImage &source, int left, int top, int width, int height,
                           const std::vector<Sampling> &sampling,
                           const std::array<QuantTable, 2> &tables)
    : sourceRows_(std::make_unique<Rows>(source, left, top, width))
{
    frame_.width = width;
    frame_.height = height;
    frame_.tables = tables;
    for (const Sampling &s : sampling) {
        frame_.hmax = std::max(frame_.hmax, s.h);
        frame_.vmax = std::max(frame_.vmax, s.v);
    }

    // The source drawn at a reduced component's resolution is shared by the
    // components of that size that follow each other.
    int drawnWidth = 0;
    int drawnHeight = 0;
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

        RowSource rows = std::ref(*sourceRows_);
        if (w != width || h != height) {
            if (w != drawnWidth || h != drawnHeight) {
                std::vector<std::uint8_t> &drawing = drawings_.emplace_back(3 * std::size_t(w) * h);
                // Each sample covers the source pixels a decoder puts it
                // over: Hmax / H across and Vmax / V down.
                averageRows(width, height, std::ref(*sourceRows_), double(frame_.hmax) / c.h,
                            double(frame_.vmax) / c.v, w, h, [&](int y, const std::uint8_t *bgr) {
                                std::copy_n(bgr, 3 * std::size_t(w),
                                            drawing.data() + 3 * std::size_t(w) * y);
                            });
                drawnWidth = w;
                drawnHeight = h;
            }
            // The drawing's bytes stay where they are when the list grows.
            const std::uint8_t *drawing = drawings_.back().data();
            rows = [drawing, w](int y) {
                return drawing + 3 * std::size_t(w) * y;
            };
        }
        transforms_.push_back(std::make_unique<Transform>(rows, w, h, componentWeights[i],
                                                          frame_.tables[c.table].divisors.data(),
                                                          c.blocksAcross));
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
    std::size_t drawn = 0;
    for (const std::vector<std::uint8_t> &drawing : drawings_)
        drawn += drawing.size();
    return drawn < workingMemory ? workingMemory - drawn : 0;
}

void FrameSampler::transformRow(int component, int row, std::int16_t *out)
{
    transforms_[component]->row(row, out);
}

bool sampleFrame(const cImage &source, int left, int top, int width, int height,
                 const std::vector<Sampling> &sampling, const std::array<QuantTable, 2> &tables,
                 Frame &frame)
{
    try {
        FrameSampler sampler(source, left, top, width, height, sampling, tables);
        Frame result = sampler.frame();
        for (std::size_t i = 0; i < result.components.size(); ++i) {
            Component &c = result.components[i];
            const std::size_t rowSize = std::size_t(c.blocksAcross) * 64;
            c.coefficients.resize(rowSize * c.blocksDown);
            for (int by = 0; by < c.blocksDown; ++by)
                sampler.transformRow(int(i), by, c.coefficients.data() + by * rowSize);
        }
        frame = std::move(result);
        return true;
    } catch (const std::bad_alloc &) {
        return false;
    }
}

} // namespace quillery::jpeg
