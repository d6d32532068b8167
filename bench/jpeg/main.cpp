// SPDX-License-Identifier: GPL-3.0-or-later
// Whole commands side by side: quillery-cli jpeg against libjpeg-turbo's cjpeg
// (float DCT, optimised Huffman tables), each started as a process reading the
// same 16-megapixel PPM or BMP file, at 2x2 and 1x1 sampling and quality 75 and
// 90, with time and peak memory. Then the in-process encoder, and the size and
// fidelity of the files at quality 75, 2x2.
// Usage: bench_jpeg [runs] [quillery-cli]
#include "CommandMeasure.h"

#include "images/DibFile.h"
#include "images/JpegTables.h"
#include "images/cImage.h"
#include "images/cJpeg.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace quillery;

namespace {

constexpr int width = 4896;
constexpr int height = 3264;

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

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Figures
{
    double seconds = 0; // medians
    double cpuSeconds = 0;
    double peakMb = 0; // largest
};

// Runs each command `runs` times, taking turns, after removing its output.
std::vector<Figures> compare(const std::vector<std::pair<QString, QStringList>> &commands,
                             const std::vector<QString> &outputs, int runs)
{
    std::vector<std::vector<double>> times(commands.size());
    std::vector<std::vector<double>> cpuTimes(commands.size());
    std::vector<Figures> figures(commands.size());
    for (int i = 0; i < runs; ++i) {
        for (std::size_t c = 0; c < commands.size(); ++c) {
            QFile::remove(outputs[c]);
            const Measured m = measure(commands[c].first, commands[c].second);
            if (!m.ok) {
                std::fprintf(stderr, "bench_jpeg: %s failed\n", qPrintable(commands[c].first));
                std::exit(1);
            }
            times[c].push_back(m.seconds);
            cpuTimes[c].push_back(m.cpuSeconds);
            figures[c].peakMb = std::max(figures[c].peakMb, m.peakMb);
        }
    }
    for (std::size_t c = 0; c < commands.size(); ++c) {
        figures[c].seconds = median(times[c]);
        figures[c].cpuSeconds = median(cpuTimes[c]);
    }
    return figures;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    const int runs = args.isEmpty() ? 5 : args.takeFirst().toInt();
    const QString cli =
        args.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/../quillery-cli")
                       : args.takeFirst();
    if (runs < 1 || !QFileInfo(cli).isExecutable()) {
        std::fprintf(stderr, "usage: bench_jpeg [runs] [quillery-cli]\n");
        return 1;
    }
    const QString cjpeg = QStandardPaths::findExecutable(QStringLiteral("cjpeg"));
    if (cjpeg.isEmpty())
        std::printf("cjpeg is not installed (Debian: libjpeg-turbo-progs); only quillery-cli "
                    "is measured\n");

    QTemporaryDir dir;
    const QString ppm = dir.filePath(QStringLiteral("source.ppm"));
    const QString bmp = dir.filePath(QStringLiteral("source.bmp"));
    const QString ours = dir.filePath(QStringLiteral("quillery.jpg"));
    const QString theirs = dir.filePath(QStringLiteral("cjpeg.jpg"));

    const cImage picture = makePicture();
    if (!writePpm(picture, ppm) || !saveDibFile(picture, bmp))
        return 1;
    const double megapixels = double(width) * height / 1e6;
    const double rawMb = 3.0 * width * height / (1024 * 1024);
    const double limitMb = rawMb + 32;

    std::printf("picture %d x %d (%.1f megapixels, %.1f MB of pixels), median of %d runs each, "
                "the commands taking turns\n",
                width, height, megapixels, rawMb, runs);
    // What the tool costs before it does anything: loading its libraries.
    std::vector<double> idleTimes;
    double idlePeak = 0;
    for (int i = 0; i < runs; ++i) {
        const Measured idle = measure(cli, {});
        idleTimes.push_back(idle.seconds);
        idlePeak = std::max(idlePeak, idle.peakMb);
    }
    std::printf("%s started without a command: %.3f s, %.1f MB\n", qPrintable(cli),
                median(idleTimes), idlePeak);
    std::printf("%-16s %8s %8s %7s %8s %8s %7s %9s %9s %8s\n", "input sampling q", "ours s",
                "cjpeg s", "speed", "ours cpu", "cjpeg", "speed", "ours MB", "cjpeg MB",
                "limit MB");
    bool allMet = true;
    for (const QString &input : {ppm, bmp}) {
        for (const char *sampling : {"2:2", "1:1"}) {
            for (int quality : {75, 90}) {
                const QString q = QString::number(quality);
                std::vector<std::pair<QString, QStringList>> commands{
                    {cli,
                     {QStringLiteral("jpeg"), input, ours, QStringLiteral("--quality"), q,
                      QStringLiteral("--sampling"), QString::fromLatin1(sampling)}}};
                std::vector<QString> outputs{ours};
                if (!cjpeg.isEmpty()) {
                    commands.push_back({cjpeg,
                                        {QStringLiteral("-dct"), QStringLiteral("float"),
                                         QStringLiteral("-optimize"), QStringLiteral("-quality"), q,
                                         QStringLiteral("-sample"),
                                         QString::fromLatin1(sampling).replace(u':', u'x'),
                                         QStringLiteral("-outfile"), theirs, input}});
                    outputs.push_back(theirs);
                }
                const std::vector<Figures> f = compare(commands, outputs, runs);
                const QString label = QStringLiteral("%1 %2 q%3")
                                          .arg(QFileInfo(input).suffix(), QLatin1String(sampling))
                                          .arg(quality);
                const bool memoryMet = f[0].peakMb <= limitMb;
                if (f.size() < 2) {
                    std::printf("%-18s %10.3f %10s %8s %12.1f %12s %10.0f  %s\n", qPrintable(label),
                                f[0].seconds, "-", "-", f[0].peakMb, "-", limitMb,
                                memoryMet ? "ok" : "OVER");
                    allMet = allMet && memoryMet;
                    continue;
                }
                const double speed = f[1].seconds / f[0].seconds;
                const bool met = memoryMet && speed >= 1.0;
                allMet = allMet && met;
                std::printf("%-16s %8.3f %8.3f %6.2fx %8.3f %8.3f %6.2fx %9.1f %9.1f %8.0f  %s\n",
                            qPrintable(label), f[0].seconds, f[1].seconds, speed, f[0].cpuSeconds,
                            f[1].cpuSeconds, f[1].cpuSeconds / f[0].cpuSeconds, f[0].peakMb,
                            f[1].peakMb, limitMb, met ? "ok" : "MISSED");
            }
        }
    }
    std::printf("targets (wall-clock speed >= 1.00x cjpeg, memory <= pixels + 32 MB): %s\n\n",
                allMet ? "all met" : "NOT ALL MET");

    // The encoder alone, in this process, on the picture already in memory.
    std::vector<double> encoderTimes;
    for (int i = 0; i < runs; ++i) {
        QFile::remove(ours);
        QElapsedTimer timer;
        timer.start();
        cJpeg jpeg;
        if (jpeg.SaveHDC(picture.hdc(), width, height, 0, 0, ours) != 0)
            return 1;
        encoderTimes.push_back(timer.nsecsElapsed() / 1e9);
    }
    const double encoder = median(encoderTimes);
    std::printf("in-process encoder, q75 2x2, picture in memory: %.3f s (%.1f MP/s)\n", encoder,
                megapixels / encoder);
    if (cjpeg.isEmpty())
        return allMet ? 0 : 2;

    const QStringList cjpegOptions{QStringLiteral("-dct"), QStringLiteral("float"),
                                   QStringLiteral("-optimize"), QStringLiteral("-sample"),
                                   QStringLiteral("2x2")};
    QFile::remove(theirs);
    if (!run(cjpeg, QStringList(cjpegOptions) << QStringLiteral("-quality") << QStringLiteral("75")
                                              << QStringLiteral("-outfile") << theirs << ppm))
        return 1;
    // The same with the quantization tables cJpeg uses, which round their
    // entries differently: this compares the encoders alone.
    const QString tables = dir.filePath(QStringLiteral("tables.txt"));
    const QString sameTables = dir.filePath(QStringLiteral("cjpeg-same-tables.jpg"));
    if (!writeTables(75, tables) ||
        !run(cjpeg, QStringList(cjpegOptions)
                        << QStringLiteral("-qtables") << tables << QStringLiteral("-qslots")
                        << QStringLiteral("0,1,1") << QStringLiteral("-outfile") << sameTables
                        << ppm))
        return 1;

    const qint64 ourSize = QFileInfo(ours).size();
    const qint64 theirSize = QFileInfo(theirs).size();
    const qint64 sameSize = QFileInfo(sameTables).size();
    const QString decoded = dir.filePath(QStringLiteral("decoded.ppm"));
    const double ourPsnr = psnr(picture, ours, decoded);
    const double theirPsnr = psnr(picture, theirs, decoded);
    const double samePsnr = psnr(picture, sameTables, decoded);
    std::printf("files at q75 2x2: quillery %lld bytes PSNR %.2f dB, cjpeg %lld bytes PSNR %.2f "
                "dB (size %+.2f %%, PSNR %+.2f dB)\n",
                static_cast<long long>(ourSize), ourPsnr, static_cast<long long>(theirSize),
                theirPsnr, 100.0 * (double(ourSize) / double(theirSize) - 1), ourPsnr - theirPsnr);
    std::printf("cjpeg with cJpeg's tables   %9lld bytes  PSNR %.2f dB  (cJpeg: size %+.2f %%, "
                "PSNR %+.2f dB)\n",
                static_cast<long long>(sameSize), samePsnr,
                100.0 * (double(ourSize) / double(sameSize) - 1), ourPsnr - samePsnr);
    return allMet ? 0 : 2;
}
