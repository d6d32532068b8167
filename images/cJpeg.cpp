#include "images/cJpeg.h"

#include "images/JpegError.h"
#include "images/JpegSampling.h"
#include "images/JpegWriter.h"
#include "images/cImage.h"

#include <QFile>
#include <QFileInfo>

namespace quillery {

namespace {

// Width and height are 16-bit fields of the frame header.
constexpr int maxDimension = 65535;
constexpr int maxCommentBytes = 65533;

bool validFactor(int value)
{
    return value >= 1 && value <= 4;
}

} // namespace

cJpeg::cJpeg()
{
    SetSamplingFrequencies(2, 2, 1, 1, 1, 1);
    setQuality(75);
}

void cJpeg::setQuality(int quality)
{
    if (quality < 1 || quality > 100)
        return;
    quality_ = quality;
    tables_ = {jpeg::quantTable(0, quality), jpeg::quantTable(1, quality)};
}

void cJpeg::SetSamplingFrequencies(int H1, int V1, int H2, int V2, int H3, int V3)
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

int cJpeg::SampleHDC(const cImage *hdc, int lWidth, int lHeight, int lSrcLeft, int lSrcTop)
{
    if (!hdc || lWidth <= 0 || lHeight <= 0 || lWidth > maxDimension || lHeight > maxDimension)
        return 1;
    return jpeg::sampleFrame(*hdc, lSrcLeft, lSrcTop, lWidth, lHeight, sampling_, tables_, frame_)
               ? 0
               : 1;
}

void cJpeg::setComment(const QString &comment)
{
    QByteArray bytes = comment.toUtf8();
    if (bytes.size() > maxCommentBytes)
        throw JpegError(1, QStringLiteral("Illegal Comment Length"));
    comment_ = comment;
    commentBytes_ = std::move(bytes);
}

int cJpeg::SaveFile(const QString &fileName)
{
    if (fileName.isEmpty())
        return 1;
    const QFileInfo info(fileName);
    if (info.exists() || info.isSymLink())
        return 2;

    const std::vector<std::uint8_t> bytes = jpeg::writeJpeg(frame_, commentBytes_);

    // Created exclusively, so a file that appeared meanwhile is not replaced.
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (QFileInfo::exists(fileName))
            return 2;
        throw JpegError(file.error(), file.errorString());
    }
    const qint64 size = qint64(bytes.size());
    if (file.write(reinterpret_cast<const char *>(bytes.data()), size) != size || !file.flush()) {
        const JpegError error(file.error(), file.errorString());
        file.remove();
        throw error;
    }
    file.close();
    return 0;
}

} // namespace quillery
