// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/JpegEncoder.h"

#include "images/JpegError.h"
#include "images/JpegSampling.h"
#include "images/JpegWriter.h"
#include "images/Picture.h"
#include "images/PixelRows.h"

#include <QFile>
#include <QFileInfo>

#include <functional>
#include <new>

namespace quillery {

namespace {

// Width and height are 16-bit fields of the frame header.
constexpr int maxDimension = 65535;
constexpr int maxCommentBytes = 65533;

bool validFactor(int value)
{
    return value >= 1 && value <= 4;
}

bool validSize(int width, int height)
{
    return width > 0 && height > 0 && width <= maxDimension && height <= maxDimension;
}

bool validArea(const Picture &picture, int width, int height)
{
    return !picture.isNull() && validSize(width, height);
}

// Creates the file exclusively, so a file that appeared meanwhile is not
// replaced, and lets `encode` fill it through a sink; a failure removes the
// file again. Returns 0, or 2 when the file exists.
int writeNewFile(const QString &fileName,
                 const std::function<void(const jpeg::JpegBuffer::Sink &)> &encode)
{
    const QFileInfo info(fileName);
    if (info.exists() || info.isSymLink())
        return 2;
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (QFileInfo::exists(fileName))
            return 2;
        throw JpegError(file.error(), file.errorString());
    }
    try {
        encode([&file](const std::uint8_t *data, std::size_t size) {
            if (file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
                throw JpegError(file.error(), file.errorString());
        });
        if (!file.flush())
            throw JpegError(file.error(), file.errorString());
    } catch (...) {
        file.close();
        file.remove();
        throw;
    }
    file.close();
    return 0;
}

} // namespace

JpegEncoder::JpegEncoder()
{
    setSamplingFactors(2, 2, 1, 1, 1, 1);
    setQuality(75);
}

void JpegEncoder::setQuality(int quality)
{
    if (quality < 1 || quality > 100)
        return;
    quality_ = quality;
    tables_ = {jpeg::quantTable(0, quality), jpeg::quantTable(1, quality)};
}

void JpegEncoder::setSamplingFactors(int H1, int V1, int H2, int V2, int H3, int V3)
{
    const bool greyscale = H2 == 0 && V2 == 0 && H3 == 0 && V3 == 0;
    if (!validFactor(H1) || !validFactor(V1) ||
        (!greyscale && !(validFactor(H2) && validFactor(V2) && validFactor(H3) && validFactor(V3))))
        throw JpegError(1, QStringLiteral("Invalid Sampling Value"));
    if (greyscale)
        sampling_ = {{1, 1}};
    else
        sampling_ = {{H1, V1}, {H2, V2}, {H3, V3}};
}

int JpegEncoder::sample(const Picture &picture, int width, int height, int left, int top)
{
    if (!validArea(picture, width, height))
        return 1;
    return jpeg::sampleFrame(picture, left, top, width, height, sampling_, tables_, frame_) ? 0 : 1;
}

void JpegEncoder::setComment(const QString &comment)
{
    QByteArray bytes = comment.toUtf8();
    if (bytes.size() > maxCommentBytes)
        throw JpegError(1, QStringLiteral("Illegal Comment Length"));
    comment_ = comment;
    commentBytes_ = std::move(bytes);
}

int JpegEncoder::save(const QString &fileName)
{
    if (fileName.isEmpty())
        return 1;
    jpeg::StoredBlocks blocks(frame_);
    return writeNewFile(fileName, [&](const jpeg::JpegBuffer::Sink &sink) {
        jpeg::writeJpeg(frame_, blocks, commentBytes_, sink);
    });
}

int JpegEncoder::sampleAndSave(const Picture &picture, int width, int height, int left, int top,
                               const QString &fileName)
{
    if (fileName.isEmpty())
        return 1;
    if (!validArea(picture, width, height))
        return 3;
    ImageRows rows(picture, left, top, width, height);
    return sampleAndSave(rows, fileName);
}

int JpegEncoder::sampleAndSave(PixelRows &rows, const QString &fileName)
{
    if (fileName.isEmpty())
        return 1;
    if (!validSize(rows.width(), rows.height()))
        return 3;
    try {
        jpeg::FrameSampler sampler(rows, sampling_, tables_);
        return writeNewFile(fileName, [&](const jpeg::JpegBuffer::Sink &sink) {
            jpeg::writeJpeg(sampler.frame(), sampler, commentBytes_, sink);
        });
    } catch (const std::bad_alloc &) {
        return 3;
    }
}

} // namespace quillery
