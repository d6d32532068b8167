#include "images/Resample.h"

#include "images/Simd.h"

#include <algorithm>
#include <cmath>
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

} // namespace

void resampleRows(int sourceWidth, int sourceHeight,
                  const std::function<const std::uint8_t *(int)> &sourceRow, int width, int height,
                  const std::function<void(int, const std::uint8_t *)> &targetRow)
{
    resampleWithTaps(sourceWidth, sourceHeight, sourceRow, axisTaps(sourceWidth, width),
                     axisTaps(sourceHeight, height), targetRow);
}

void averageRows(int sourceWidth, int sourceHeight,
                 const std::function<const std::uint8_t *(int)> &sourceRow, double stepX,
                 double stepY, int width, int height,
                 const std::function<void(int, const std::uint8_t *)> &targetRow)
{
    resampleWithTaps(sourceWidth, sourceHeight, sourceRow, areaTaps(sourceWidth, width, stepX),
                     areaTaps(sourceHeight, height, stepY), targetRow);
}

} // namespace quillery
