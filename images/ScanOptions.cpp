// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/ScanOptions.h"

#include "images/JpegEncoder.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>

namespace quillery {

int jpegQualityFromSetting(const QVariant &stored)
{
    bool ok = false;
    const int quality = stored.toString().trimmed().toInt(&ok);
    return ok ? std::clamp(quality, 1, 100) : defaultJpegQuality;
}

QStringList subSamplingChoices()
{
    return {QCoreApplication::translate("ScanOptions", "1:1  [Max Quality]"),
            QStringLiteral("1:2"),
            QStringLiteral("2:1"),
            QCoreApplication::translate("ScanOptions", "2:2  [Default]"),
            QStringLiteral("1:3"),
            QStringLiteral("3:1"),
            QStringLiteral("2:3"),
            QStringLiteral("3:2"),
            QStringLiteral("3:3"),
            QStringLiteral("1:4"),
            QStringLiteral("4:1"),
            QStringLiteral("2:4"),
            QStringLiteral("4:2"),
            QStringLiteral("3:4"),
            QStringLiteral("4:3"),
            QCoreApplication::translate("ScanOptions", "4:4  [Max Compress]")};
}

void applySubSampling(JpegEncoder &jpeg, const QString &choice, bool greyscale)
{
    if (greyscale) {
        jpeg.setSamplingFactors(1, 1, 0, 0, 0, 0);
        return;
    }
    // A malformed entry gives 0, which the encoder refuses as invalid.
    const int h = choice.size() > 0 ? choice[0].digitValue() : 0;
    const int v = choice.size() > 2 ? choice[2].digitValue() : 0;
    jpeg.setSamplingFactors(h, v, 1, 1, 1, 1);
}

QString scannedPageFile(const QString &tempFolder, int pageCount)
{
    return QDir(tempFolder).filePath(QStringLiteral("Page %1.jpg").arg(pageCount + 1));
}

} // namespace quillery
