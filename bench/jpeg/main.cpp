// Encodes a 16-megapixel photograph-like image with cJpeg and with libjpeg-turbo's
// cjpeg (float DCT, optimised Huffman tables) at quality 75 with 2x2 luminance
// sampling, and compares speed, size and fidelity.
#include "images/JpegTables.h"
#include "images/cImage.h"
#include "images/cJpeg.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace quillery;

namespace {

constexpr int width = 4896;
constexpr int height = 3264;
constexpr int runs = 5;

std::uint32_t hash(std::uint32_t x, std::uint32_t y, std::uint32_t seed)
{
    std::uint32_t h = x * 0x8da6b343u ^ y * 0xd8163841u ^ seed * 0xcb1ab31fu;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    return h ^ (h >> 15);
}

// Smoothly interpolated random values on a grid of `cell` pixels, -1 ... 1.
float valueNoise(float x, float y, float cell, std::uint32_t seed)
{
    const float gx = x / cell;
    const float gy = y / cell;
    const auto ix = std::uint32_t(gx);
    const auto iy = std::uint32_t(gy);
    const float fx = gx - float(ix);
    const float fy = gy - float(iy);
    const float sx = fx * fx * (3 - 2 * fx);
    const float sy = fy * fy * (3 - 2 * fy);
    auto at = [&](std::uint32_t a, std::uint32_t b) {
        return float(hash(a, b, seed) & 0xFFFF) / 32767.5f - 1.0f;
    };
    const float top = at(ix, iy) + (at(ix + 1, iy) - at(ix, iy)) * sx;
    const float bottom = at(ix, iy + 1) + (at(ix + 1, iy + 1) - at(ix, iy + 1)) * sx;
    return top + (bottom - top) * sy;
}

// A landscape-like picture: sky and ground gradients, soft large shapes,
// hard-edged patches, grass-like strokes, fine texture and sensor noise.
cImage makePicture()
{
    cImage image;
    image.Create(width, height, 24);
    for (int y = 0; y < height; ++y) {
        std::uint8_t *row = image.scanLine(y);
        const float v = float(y) / height;
        for (int x = 0; x < width; ++x) {
            const float u = float(x) / width;
            const float shapes = 40 * valueNoise(x, y, 400, 1) + 20 * valueNoise(x, y, 90, 2);
            const float texture = 30 * valueNoise(x, y, 7, 3) + 24 * valueNoise(x, y, 2.5f, 4);
            const float grain = float(int(hash(x, y, 5) % 9) - 4);
            const bool ground = v > 0.45f + 0.08f * std::sin(u * 7);
            float r, g, b;
            if (ground) {
                const float strokes =
                    50 * std::sin(0.8f * x + 0.25f * y + 9 * valueNoise(x, y, 40, 7));
                const bool patch = valueNoise(x, y, 60, 8) > 0.3f;
                const float tone = patch ? 45 : 0;
                r = 90 + 60 * u + shapes + texture * 1.5f + strokes * 0.6f + tone;
                g = 110 + 40 * v + shapes * 0.8f + texture * 1.5f + strokes - tone * 0.5f;
                b = 50 + 20 * u + shapes * 0.5f + texture + strokes * 0.3f + tone * 0.8f;
            } else {
                r = 120 + 80 * v + shapes * 0.3f;
                g = 160 + 60 * v + shapes * 0.3f;
                b = 230 - 30 * v + shapes * 0.2f + texture * 0.2f;
            }
            const float rgb[3] = {r + grain, g + grain, b + grain};
            for (int c = 0; c < 3; ++c)
                row[3 * x + 2 - c] = std::uint8_t(std::clamp(rgb[c] + 0.5f, 0.0f, 255.0f));
        }
    }
    return image;
}

bool writePpm(const cImage &image, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QByteArray("P6\n") + QByteArray::number(image.Width()) + ' ' +
               QByteArray::number(image.Height()) + "\n255\n");
    std::vector<char> rgb(3 * std::size_t(image.Width()));
    for (int y = 0; y < image.Height(); ++y) {
        const std::uint8_t *bgr = image.scanLine(y);
        for (int x = 0; x < image.Width(); ++x) {
            rgb[3 * x] = char(bgr[3 * x + 2]);
            rgb[3 * x + 1] = char(bgr[3 * x + 1]);
            rgb[3 * x + 2] = char(bgr[3 * x]);
        }
        file.write(rgb.data(), qint64(rgb.size()));
    }
    return true;
}

// cjpeg's -qtables file with the tables cJpeg uses at this quality.
bool writeTables(int quality, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (int t = 0; t < 2; ++t) {
        const jpeg::QuantTable table = jpeg::quantTable(t, quality);
        for (int i = 0; i < 64; ++i)
            file.write(QByteArray::number(table.entries[jpeg::zigZag[i]]) +
                       (i % 8 == 7 ? "\n" : " "));
        file.write("\n");
    }
    return true;
}

bool run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program),
                     process.readAllStandardError().constData());
        return false;
    }
    return true;
}

// PSNR over all samples of a decoded file against the source picture.
double psnr(const cImage &source, const QString &jpegPath, const QString &ppmPath)
{
    if (!run(QStringLiteral("djpeg"), {QStringLiteral("-outfile"), ppmPath, jpegPath}))
        return 0;
    QFile file(ppmPath);
    file.open(QIODevice::ReadOnly);
    const QByteArray data = file.readAll();
    const std::size_t samples = 3 * std::size_t(width) * height;
    const char *pixels = data.constData() + (data.size() - qsizetype(samples));
    double squares = 0;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t *bgr = source.scanLine(y);
        const auto *rgb =
            reinterpret_cast<const std::uint8_t *>(pixels) + 3 * std::size_t(y) * width;
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < 3; ++c) {
                const double d = double(rgb[3 * x + c]) - bgr[3 * x + 2 - c];
                squares += d * d;
            }
        }
    }
    return 10 * std::log10(255.0 * 255.0 / (squares / double(samples)));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString ppm = dir.filePath(QStringLiteral("source.ppm"));
    const QString ours = dir.filePath(QStringLiteral("cjpeg-class.jpg"));
    const QString theirs = dir.filePath(QStringLiteral("cjpeg.jpg"));

    const cImage picture = makePicture();
    if (!writePpm(picture, ppm))
        return 1;
    const double megapixels = double(width) * height / 1e6;

    double ourBest = 1e9;
    for (int i = 0; i < runs; ++i) {
        QFile::remove(ours);
        QElapsedTimer timer;
        timer.start();
        cJpeg jpeg;
        jpeg.setQuality(75);
        jpeg.SetSamplingFrequencies(2, 2, 1, 1, 1, 1);
        if (jpeg.SampleHDC(picture.hdc(), width, height, 0, 0) != 0 || jpeg.SaveFile(ours) != 0)
            return 1;
        ourBest = std::min(ourBest, timer.nsecsElapsed() / 1e9);
    }

    const QStringList cjpegOptions{QStringLiteral("-dct"), QStringLiteral("float"),
                                   QStringLiteral("-optimize"), QStringLiteral("-sample"),
                                   QStringLiteral("2x2")};
    double theirBest = 1e9;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!run(QStringLiteral("cjpeg"), QStringList(cjpegOptions)
                                              << QStringLiteral("-quality") << QStringLiteral("75")
                                              << QStringLiteral("-outfile") << theirs << ppm))
            return 1;
        theirBest = std::min(theirBest, timer.nsecsElapsed() / 1e9);
    }
    // The same with cJpeg's quantization tables, which round their entries
    // differently: this compares the encoders alone.
    const QString tables = dir.filePath(QStringLiteral("tables.txt"));
    const QString sameTables = dir.filePath(QStringLiteral("cjpeg-same-tables.jpg"));
    if (!writeTables(75, tables) ||
        !run(QStringLiteral("cjpeg"), QStringList(cjpegOptions)
                                          << QStringLiteral("-qtables") << tables
                                          << QStringLiteral("-qslots") << QStringLiteral("0,1,1")
                                          << QStringLiteral("-outfile") << sameTables << ppm))
        return 1;

    const qint64 ourSize = QFileInfo(ours).size();
    const qint64 theirSize = QFileInfo(theirs).size();
    const qint64 sameSize = QFileInfo(sameTables).size();
    const QString decoded = dir.filePath(QStringLiteral("decoded.ppm"));
    const double ourPsnr = psnr(picture, ours, decoded);
    const double theirPsnr = psnr(picture, theirs, decoded);
    const double samePsnr = psnr(picture, sameTables, decoded);

    std::printf("image          %d x %d (%.1f megapixels), quality 75, 2x2 sampling\n", width,
                height, megapixels);
    std::printf("cJpeg          %7.1f MP/s  %6.3f s  %9lld bytes  PSNR %.2f dB\n",
                megapixels / ourBest, ourBest, static_cast<long long>(ourSize), ourPsnr);
    std::printf("cjpeg (float)  %7.1f MP/s  %6.3f s  %9lld bytes  PSNR %.2f dB\n",
                megapixels / theirBest, theirBest, static_cast<long long>(theirSize), theirPsnr);
    std::printf("cJpeg / cjpeg  speed %.2f x, size %+.2f %%, PSNR %+.2f dB\n", theirBest / ourBest,
                100.0 * (double(ourSize) / double(theirSize) - 1), ourPsnr - theirPsnr);
    std::printf("cjpeg with cJpeg's tables   %9lld bytes  PSNR %.2f dB  (cJpeg: size %+.2f %%, "
                "PSNR %+.2f dB)\n",
                static_cast<long long>(sameSize), samePsnr,
                100.0 * (double(ourSize) / double(sameSize) - 1), ourPsnr - samePsnr);
    return 0;
}
