// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Helpers shared by the image tests: test pictures, running djpeg, and
// reading the marker segments of a JPEG file.

#include "images/JpegError.h"
#include "images/Picture.h"
#include "support/TestSupport.h"

#include <QByteArray>
#include <QImage>
#include <QProcess>
#include <QString>
#include <QTest>

#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

namespace quillery::test {

// A 24-bit picture: smooth colour gradients with a little noise, so every
// component carries detail.
inline Picture gradientPicture(int width, int height, std::uint32_t seed = 1)
{
    Picture image;
    image.create(width, height, 24);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> noise(-6, 6);
    for (int y = 0; y < height; ++y) {
        std::uint8_t *row = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const double u = double(x) / width;
            const double v = double(y) / height;
            const double values[3] = {40 + 170 * u + 20 * std::sin(v * 6),
                                      60 + 150 * v + 20 * std::cos(u * 5), 200 - 120 * u * v};
            for (int c = 0; c < 3; ++c)
                row[3 * x + c] = std::uint8_t(std::clamp(values[c] + noise(random), 0.0, 255.0));
        }
    }
    return image;
}

// Any depth, random pixels (and, below 24 bits, a random colour table).
inline Picture randomPicture(int width, int height, int bitCount, std::uint32_t seed = 7)
{
    std::mt19937 random(seed);
    Picture image;
    image.create(width, height, bitCount);
    if (bitCount < 24) {
        std::vector<RgbQuad> table(256);
        for (RgbQuad &entry : table) {
            entry.red = std::uint8_t(random());
            entry.green = std::uint8_t(random());
            entry.blue = std::uint8_t(random());
        }
        image.setColourTable(table);
    }
    for (int y = 0; y < height; ++y) {
        std::uint8_t *row = image.scanLine(y);
        for (int i = 0; i < image.bytesPerLine(); ++i)
            row[i] = std::uint8_t(random());
    }
    return image;
}

// The same pixels at 24 bits, read through the colour table.
inline Picture as24Bit(const Picture &indexed)
{
    Picture rgb;
    rgb.create(indexed.width(), indexed.height(), 24);
    for (int y = 0; y < indexed.height(); ++y) {
        std::uint8_t *row = rgb.scanLine(y);
        for (int x = 0; x < indexed.width(); ++x) {
            const RgbQuad colour = indexed.pixel(x, y);
            row[3 * x] = colour.blue;
            row[3 * x + 1] = colour.green;
            row[3 * x + 2] = colour.red;
        }
    }
    return rgb;
}

struct Decoded
{
    bool ok = false;
    QString errors; // whatever djpeg wrote to stderr
    QImage image;
};

// Decodes a JPEG file with libjpeg-turbo's djpeg.
inline Decoded djpeg(const QString &jpegPath)
{
    Decoded result;
    const QString output = jpegPath + QStringLiteral(".pnm");
    QProcess process;
    process.start(QStringLiteral("djpeg"), {QStringLiteral("-outfile"), output, jpegPath});
    const bool finished = process.waitForFinished(60000);
    result.errors = finished ? QString::fromLocal8Bit(process.readAllStandardError())
                             : QStringLiteral("djpeg did not finish");
    result.image = QImage(output);
    result.ok =
        finished && process.exitCode() == 0 && result.errors.isEmpty() && !result.image.isNull();
    return result;
}

// Peak signal-to-noise ratio of a decoded image against the source, in dB.
inline double psnr(const Picture &source, const QImage &decoded)
{
    if (decoded.size() != QSize(source.width(), source.height()))
        return 0;
    const QImage rgb = decoded.convertToFormat(QImage::Format_RGB888);
    double squares = 0;
    for (int y = 0; y < source.height(); ++y) {
        const std::uint8_t *line = rgb.constScanLine(y);
        for (int x = 0; x < source.width(); ++x) {
            const RgbQuad q = source.pixel(x, y);
            const int d[3] = {line[3 * x] - q.red, line[3 * x + 1] - q.green,
                              line[3 * x + 2] - q.blue};
            for (int e : d)
                squares += double(e) * e;
        }
    }
    const double mse = squares / (3.0 * source.width() * source.height());
    return mse == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}

// One marker segment: the marker byte, its body (after the length), and for
// an SOS the entropy-coded data that follows it.
struct Segment
{
    std::uint8_t marker = 0;
    QByteArray body;
    QByteArray scanData;
};

// Splits a JPEG file into its segments; SOI and EOI have empty bodies.
// Returns nothing when the layout is broken.
inline std::vector<Segment> segments(const QByteArray &file)
{
    std::vector<Segment> result;
    qsizetype i = 0;
    while (i + 1 < file.size()) {
        if (std::uint8_t(file[i]) != 0xFF)
            return {};
        Segment s;
        s.marker = std::uint8_t(file[i + 1]);
        i += 2;
        if (s.marker == 0xD8 || s.marker == 0xD9) {
            result.push_back(s);
            continue;
        }
        if (i + 2 > file.size())
            return {};
        const int length = std::uint8_t(file[i]) << 8 | std::uint8_t(file[i + 1]);
        if (length < 2 || i + length > file.size())
            return {};
        s.body = file.mid(i + 2, length - 2);
        i += length;
        if (s.marker == 0xDA) {
            // Entropy-coded data runs to the next marker that is not a
            // stuffed 0xFF 0x00.
            const qsizetype start = i;
            while (i + 1 < file.size() &&
                   !(std::uint8_t(file[i]) == 0xFF && std::uint8_t(file[i + 1]) != 0x00))
                ++i;
            s.scanData = file.mid(start, i - start);
        }
        result.push_back(s);
    }
    return result;
}

inline const Segment *findMarker(const std::vector<Segment> &list, std::uint8_t marker)
{
    for (const Segment &s : list)
        if (s.marker == marker)
            return &s;
    return nullptr;
}

// Fails unless the call is refused with the encoder's error 1 (a bad argument).
inline void expectJpegError(const std::function<void()> &call)
{
    try {
        call();
        QFAIL("the encoder accepted what it must refuse");
    } catch (const JpegError &e) {
        QCOMPARE(e.number(), 1);
    }
}

} // namespace quillery::test
