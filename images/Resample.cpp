// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/Resample.h"

#include "images/Simd.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace quillery {

namespace {

// The source samples each target sample is made of, with their weights.
struct Taps
{
    std::vector<int> first;
    std::vector<int> count;
    std::vector<float> weights; // `span` per target sample
    int span = 1;

    int last(int i) const { return first[i] + count[i] - 1; }
    float weight(int i, int k) const { return weights[std::size_t(i) * span + k]; }
};

// Target sample i is the mean of source samples [i * step, (i + 1) * step)
// that exist.
Taps areaTaps(int from, int to, double step)
{
    Taps taps;
    taps.span = int(std::ceil(step)) + 1;
    taps.first.resize(to);
    taps.count.resize(to);
    taps.weights.assign(std::size_t(to) * taps.span, 0.0f);
    for (int i = 0; i < to; ++i) {
        const double begin = i * step;
        const double end = std::min<double>((i + 1) * step, from);
        const int first = int(std::floor(begin));
        const int last = std::min(from - 1, int(std::ceil(end)) - 1);
        taps.first[i] = first;
        taps.count[i] = last - first + 1;
        for (int j = first; j <= last; ++j) {
            const double overlap = std::min<double>(end, j + 1) - std::max<double>(begin, j);
            taps.weights[std::size_t(i) * taps.span + (j - first)] = float(overlap / (end - begin));
        }
    }
    return taps;
}

Taps bilinearTaps(int from, int to)
{
    Taps taps;
    taps.span = 2;
    taps.first.resize(to);
    taps.count.resize(to);
    taps.weights.assign(std::size_t(to) * 2, 0.0f);
    for (int i = 0; i < to; ++i) {
        const double position = std::clamp((i + 0.5) * from / to - 0.5, 0.0, double(from - 1));
        const int first = int(position);
        const double fraction = position - first;
        taps.first[i] = first;
        taps.count[i] = first + 1 < from ? 2 : 1;
        taps.weights[2 * std::size_t(i)] = float(1.0 - fraction);
        taps.weights[2 * std::size_t(i) + 1] = float(fraction);
    }
    return taps;
}

Taps axisTaps(int from, int to)
{
    return to < from ? areaTaps(from, to, double(from) / to) : bilinearTaps(from, to);
}

// Most target rows of a source row's neighbourhood that are being summed at once.
int rowsInFlight(const Taps &down, int sourceHeight)
{
    int most = 1;
    int low = 0;
    int high = 0;
    const int height = int(down.first.size());
    for (int j = 0; j < sourceHeight; ++j) {
        while (low < height && down.last(low) < j)
            ++low;
        while (high < height && down.first[high] <= j)
            ++high;
        most = std::max(most, high - low);
    }
    return most;
}

QUILLERY_VECTOR_CLONES
void addWeightedRow(const std::uint8_t *source, std::size_t samples, float weight, bool first,
                    float *sum)
{
    if (first) {
        for (std::size_t i = 0; i < samples; ++i)
            sum[i] = weight * float(source[i]);
    } else {
        for (std::size_t i = 0; i < samples; ++i)
            sum[i] += weight * float(source[i]);
    }
}

QUILLERY_VECTOR_CLONES
void addRow(const std::uint8_t *source, std::size_t samples, bool first, std::uint16_t *sum)
{
    if (first) {
        for (std::size_t i = 0; i < samples; ++i)
            sum[i] = source[i];
    } else {
        for (std::size_t i = 0; i < samples; ++i)
            sum[i] = std::uint16_t(sum[i] + source[i]);
    }
}

typedef std::uint16_t Sums16 __attribute__((vector_size(32)));
typedef std::uint8_t Means16 __attribute__((vector_size(16)));

// Averages the pixel pairs (2x, 2x + 1) of a row of `samples` sums, three a
// pixel, into `width` pixels: each mean is of 2^shift bytes.
QUILLERY_VECTOR_CLONES
void halveColumns(const std::uint16_t *sum, std::size_t samples, int width, int shift,
                  std::uint8_t *target)
{
    const int half = 1 << (shift - 1);
    int x = 0;
    // Four pairs at a time, from 32 sums in two vectors; the last four of
    // the sixteen bytes written are written again by the next step.
    const Sums16 halves = Sums16{} + std::uint16_t(half);
    for (; x + 6 <= width && 6 * std::size_t(x) + 32 <= samples; x += 4) {
        Sums16 v0, v1;
        std::memcpy(&v0, sum + 6 * x, sizeof v0);
        std::memcpy(&v1, sum + 6 * x + 16, sizeof v1);
        const Sums16 left =
            __builtin_shufflevector(v0, v1, 0, 1, 2, 6, 7, 8, 12, 13, 14, 18, 19, 20, 0, 0, 0, 0);
        const Sums16 right =
            __builtin_shufflevector(v0, v1, 3, 4, 5, 9, 10, 11, 15, 16, 17, 21, 22, 23, 0, 0, 0, 0);
        const Means16 means = __builtin_convertvector((left + right + halves) >> shift, Means16);
        std::memcpy(target + 3 * x, &means, sizeof means);
    }
    for (; x < width; ++x) {
        for (int c = 0; c < 3; ++c)
            target[3 * x + c] = std::uint8_t((sum[6 * x + c] + sum[6 * x + 3 + c] + half) >> shift);
    }
}

// Sums the taps across one row of three-sample pixels and rounds to bytes;
// the tap count is fixed at compile time where it can be.
template <int FixedCount>
void filterRow(const float *sum, const Taps &taps, int width, std::uint8_t *target)
{
    for (int x = 0; x < width; ++x) {
        const float *w = &taps.weights[std::size_t(x) * taps.span];
        const float *s = sum + 3 * std::size_t(taps.first[x]);
        const int count = FixedCount > 0 ? FixedCount : taps.count[x];
        float b = 0, g = 0, r = 0;
        for (int k = 0; k < count; ++k) {
            b += w[k] * s[3 * k];
            g += w[k] * s[3 * k + 1];
            r += w[k] * s[3 * k + 2];
        }
        target[3 * x] = std::uint8_t(std::clamp(b + 0.5f, 0.0f, 255.0f));
        target[3 * x + 1] = std::uint8_t(std::clamp(g + 0.5f, 0.0f, 255.0f));
        target[3 * x + 2] = std::uint8_t(std::clamp(r + 0.5f, 0.0f, 255.0f));
    }
}

void resampleWithTaps(int sourceWidth, int sourceHeight,
                      const std::function<const std::uint8_t *(int)> &sourceRow, const Taps &across,
                      const Taps &down,
                      const std::function<void(int, const std::uint8_t *)> &targetRow)
{
    const int width = int(across.first.size());
    const int height = int(down.first.size());
    const std::size_t sourceSamples = 3 * std::size_t(sourceWidth);

    // Each source row is read once and added into every target row it
    // belongs to; a target row is finished by its last source row.
    const int ring = rowsInFlight(down, sourceHeight);
    std::vector<std::vector<float>> sums(ring, std::vector<float>(sourceSamples));
    std::vector<std::uint8_t> out(3 * std::size_t(width));
    const bool pairs =
        std::all_of(across.count.begin(), across.count.end(), [](int count) { return count == 2; });
    const auto filter = pairs ? filterRow<2> : filterRow<0>;
    int finished = 0;
    for (int j = 0; j < sourceHeight && finished < height; ++j) {
        const std::uint8_t *row = nullptr;
        for (int y = finished; y < height && down.first[y] <= j; ++y) {
            if (j > down.last(y))
                continue;
            if (!row)
                row = sourceRow(j);
            addWeightedRow(row, sourceSamples, down.weight(y, j - down.first[y]),
                           j == down.first[y], sums[y % ring].data());
        }
        for (; finished < height && down.last(finished) == j; ++finished) {
            filter(sums[finished % ring].data(), across, width, out.data());
            targetRow(finished, out.data());
        }
    }
}

// Each average is of one, two or four bytes when both steps are 1 or 2, and
// the float sums above reproduce such means exactly: whole numbers give the
// same bytes faster.
bool averagesAreExact(const Taps &taps)
{
    for (std::size_t i = 0; i < taps.first.size(); ++i) {
        const int count = taps.count[i];
        if (count < 1 || count > 2)
            return false;
        for (int k = 0; k < count; ++k) {
            if (taps.weight(int(i), k) != 1.0f / float(count))
                return false;
        }
    }
    return true;
}

// The mean of `count` bytes summed in `sum`, rounded halves up, for a count
// of 1, 2 or 4.
inline std::uint8_t wholeMean(int sum, int count)
{
    return std::uint8_t((sum + count / 2) / count);
}

} // namespace

void resampleRows(int sourceWidth, int sourceHeight,
                  const std::function<const std::uint8_t *(int)> &sourceRow, int width, int height,
                  const std::function<void(int, const std::uint8_t *)> &targetRow)
{
    resampleWithTaps(sourceWidth, sourceHeight, sourceRow, axisTaps(sourceWidth, width),
                     axisTaps(sourceHeight, height), targetRow);
}

struct AreaAverage::Plan
{
    Taps across;
    Taps down;
    std::size_t sourceSamples = 0;
    bool exact = false;
    int pairedColumns = 0; // leading target columns that average pairs
    void (*filter)(const float *, const Taps &, int, std::uint8_t *) = nullptr;
    std::vector<float> sum;
    std::vector<std::uint16_t> wholeSum;
    std::vector<std::uint8_t> out;

    void averageExactly(int y, const SourceRow &sourceRow);
    void averageInFloats(int y, const SourceRow &sourceRow);
};

AreaAverage::AreaAverage(int sourceWidth, int sourceHeight, double stepX, double stepY, int width,
                         int height)
    : plan_(std::make_unique<Plan>())
{
    Plan &p = *plan_;
    p.across = areaTaps(sourceWidth, width, stepX);
    p.down = areaTaps(sourceHeight, height, stepY);
    p.sourceSamples = 3 * std::size_t(sourceWidth);
    p.exact = averagesAreExact(p.across) && averagesAreExact(p.down);
    if (p.exact) {
        p.wholeSum.resize(p.sourceSamples);
        while (p.pairedColumns < width && p.across.count[p.pairedColumns] == 2 &&
               p.across.first[p.pairedColumns] == 2 * p.pairedColumns)
            ++p.pairedColumns;
    } else {
        p.sum.resize(p.sourceSamples);
        const bool pairs = std::all_of(p.across.count.begin(), p.across.count.end(),
                                       [](int count) { return count == 2; });
        p.filter = pairs ? filterRow<2> : filterRow<0>;
    }
    p.out.resize(3 * std::size_t(width));
}

AreaAverage::~AreaAverage() = default;

const std::uint8_t *AreaAverage::row(int y, const SourceRow &sourceRow)
{
    if (plan_->exact)
        plan_->averageExactly(y, sourceRow);
    else
        plan_->averageInFloats(y, sourceRow);
    return plan_->out.data();
}

void AreaAverage::Plan::averageExactly(int y, const SourceRow &sourceRow)
{
    const int rows = down.count[y];
    addRow(sourceRow(down.first[y]), sourceSamples, true, wholeSum.data());
    if (rows == 2)
        addRow(sourceRow(down.first[y] + 1), sourceSamples, false, wholeSum.data());
    halveColumns(wholeSum.data(), sourceSamples, pairedColumns, rows, out.data());
    for (int x = pairedColumns; x < int(across.first.size()); ++x) {
        const std::uint16_t *s = wholeSum.data() + 3 * std::size_t(across.first[x]);
        const int count = across.count[x];
        for (int c = 0; c < 3; ++c)
            out[3 * x + c] = wholeMean(count == 2 ? s[c] + s[3 + c] : s[c], count * rows);
    }
}

void AreaAverage::Plan::averageInFloats(int y, const SourceRow &sourceRow)
{
    // The same sums, in the same order, as resampling the whole picture.
    for (int k = 0; k < down.count[y]; ++k)
        addWeightedRow(sourceRow(down.first[y] + k), sourceSamples, down.weight(y, k), k == 0,
                       sum.data());
    filter(sum.data(), across, int(across.first.size()), out.data());
}

} // namespace quillery
