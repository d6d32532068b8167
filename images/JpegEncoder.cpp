// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/JpegEncoder.h"

#include "images/ImageRows.h"
#include "images/JpegError.h"
#include "images/JpegSampling.h"
#include "images/JpegWriter.h"
#include "images/Picture.h"

#include <QFile>

namespace quillery {

namespace {

bool validFactor(int value)
{
    return value >= 1 && value <= 4;
}

bool validArea(const Picture &picture, int width, int height)
{
    return !picture.isNull() && width > 0 && height > 0 && width <= jpeg::maxDimension &&
           height <= jpeg::maxDimension;
}

std::string localName(const QString &fileName)
{
    return QFile::encodeName(fileName).toStdString();
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
    settings_.tables = {jpeg::quantTable(0, quality), jpeg::quantTable(1, quality)};
}

void JpegEncoder::setSamplingFactors(int H1, int V1, int H2, int V2, int H3, int V3)
{
    const bool greyscale = H2 == 0 && V2 == 0 && H3 == 0 && V3 == 0;
    if (!validFactor(H1) || !validFactor(V1) ||
        (!greyscale && !(validFactor(H2) && validFactor(V2) && validFactor(H3) && validFactor(V3))))
        throw JpegError(1, "Invalid Sampling Value");
    if (greyscale)
        settings_.sampling = {{1, 1}};
    else
        settings_.sampling = {{H1, V1}, {H2, V2}, {H3, V3}};
}

int JpegEncoder::sample(const Picture &picture, int width, int height, int left, int top)
{
    if (!validArea(picture, width, height))
        return 1;
    ImageRows rows(picture, left, top, width, height);
    return jpeg::sampleFrame(rows, settings_.sampling, settings_.tables, frame_) ? 0 : 1;
}

void JpegEncoder::setComment(const QString &comment)
{
    QByteArray bytes = comment.toUtf8();
    if (bytes.size() > jpeg::maxCommentBytes)
        throw JpegError(1, "Illegal Comment Length");
    comment_ = comment;
    settings_.comment = bytes.toStdString();
}

int JpegEncoder::save(const QString &fileName)
{
    if (fileName.isEmpty())
        return 1;
    jpeg::StoredBlocks blocks(frame_);
    return jpeg::writeNewFile(localName(fileName), [&](const jpeg::JpegBuffer::Sink &sink) {
        jpeg::writeJpeg(frame_, blocks, settings_.comment, sink);
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
    return jpeg::saveNewJpeg(rows, settings_, localName(fileName));
}

} // namespace quillery
