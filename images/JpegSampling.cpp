#include "images/JpegSampling.h"

#include "images/JpegDct.h"
#include "images/Pixels.h"
#include "images/Resample.h"
#include "images/Simd.h"
#include "images/cImage.h"

#include <algorithm>
#include <functional>
#include <new>

namespace quillery::jpeg {

namespace {

// Rows of the source rectangle as blue, green, red bytes.
class SourceRows
{
public:
    SourceRows(const cImage &source, int left, int top, int width)
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

// Converts, transforms and quantizes one component whose samples are
// width x height pixels given by `rows`; the padding repeats the last column
// and the last row.
void transformComponent(const RowSource &rows, int width, int height, const Weights &w,
                        const float *divisors, Component &c)
{
    const int columns = c.blocksAcross * 8;
    const int paddedColumns = int(stripSize(columns) / 8);
    std::vector<float> line(paddedColumns);
    std::vector<float> strip(stripSize(columns));
    std::int16_t *out = c.coefficients.data();
    for (int by = 0; by < c.blocksDown; ++by) {
        for (int r = 0; r < 8; ++r) {
            const std::uint8_t *bgr = rows(std::min(by * 8 + r, height - 1));
            convertRow(bgr, width, w.r, w.g, w.b, w.offset, line.data());
            std::fill(line.begin() + width, line.end(), line[width - 1]);
            storeStripRow(line.data(), paddedColumns, r, strip.data());
        }
        transformStrip(strip.data(), c.blocksAcross, divisors, out);
        out += std::size_t(c.blocksAcross) * 64;
    }
}

int ceilDiv(std::int64_t a, std::int64_t b)
{
    return int((a + b - 1) / b);
}

} // namespace

bool sampleFrame(const cImage &source, int left, int top, int width, int height,
                 const std::vector<Sampling> &sampling, const std::array<QuantTable, 2> &tables,
                 Frame &frame)
{
    try {
        Frame result;
        result.width = width;
        result.height = height;
        result.tables = tables;
        for (const Sampling &s : sampling) {
            result.hmax = std::max(result.hmax, s.h);
            result.vmax = std::max(result.vmax, s.v);
        }

        SourceRows sourceRows(source, left, top, width);
        // The source drawn at a component's resolution, shared by the
        // components of that size.
        std::vector<std::uint8_t> drawing;
        int drawnWidth = 0;
        int drawnHeight = 0;

        for (std::size_t i = 0; i < sampling.size(); ++i) {
            Component c;
            c.id = int(i) + 1;
            c.h = sampling[i].h;
            c.v = sampling[i].v;
            c.table = i == 0 ? 0 : 1;
            const int w = ceilDiv(std::int64_t(c.h) * width, result.hmax);
            const int h = ceilDiv(std::int64_t(c.v) * height, result.vmax);
            c.blocksAcross = ceilDiv(w, 8);
            c.blocksDown = ceilDiv(h, 8);
            c.coefficients.resize(std::size_t(c.blocksAcross) * c.blocksDown * 64);

            RowSource rows = std::ref(sourceRows);
            if (w != width || h != height) {
                if (w != drawnWidth || h != drawnHeight) {
                    drawing.resize(3 * std::size_t(w) * h);
                    // Each sample covers the source pixels a decoder puts it
                    // over: Hmax / H across and Vmax / V down.
                    averageRows(width, height, std::ref(sourceRows), double(result.hmax) / c.h,
                                double(result.vmax) / c.v, w, h,
                                [&](int y, const std::uint8_t *bgr) {
                                    std::copy_n(bgr, 3 * std::size_t(w),
                                                drawing.data() + 3 * std::size_t(w) * y);
                                });
                    drawnWidth = w;
                    drawnHeight = h;
                }
                rows = [&drawing, w](int y) {
                    return drawing.data() + 3 * std::size_t(w) * y;
                };
            }
            transformComponent(rows, w, h, componentWeights[i], tables[c.table].divisors.data(), c);
            result.components.push_back(std::move(c));
        }
        frame = std::move(result);
        return true;
    } catch (const std::bad_alloc &) {
        return false;
    }
}

} // namespace quillery::jpeg
