// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageTestTools.h"

#include "images/JpegError.h"
#include "images/ScanOptions.h"
#include "images/cJpeg.h"

#include <QTemporaryDir>
#include <QTest>

using namespace quillery;
using namespace quillery::test;

class tst_scanoptions : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    int counter = 0;

    // The luminance sampling byte of the frame header the encoder writes.
    int lumaSampling(cJpeg &jpeg)
    {
        const cImage picture = gradientPicture(16, 16);
        const QString path = dir.filePath(QStringLiteral("%1.jpg").arg(++counter));
        if (jpeg.SampleHDC(picture.hdc(), 16, 16, 0, 0) != 0 || jpeg.SaveFile(path) != 0)
            return -1;
        const Segment *sof = findMarker(segments(readFile(path)), 0xC0);
        return sof->body[5] == 1 ? 0 : std::uint8_t(sof->body[7]);
    }

private Q_SLOTS:
    void storedQualityIsUsable()
    {
        QCOMPARE(jpegQualityFromSetting(QVariant()), 75);
        QCOMPARE(jpegQualityFromSetting(QStringLiteral("abc")), 75);
        QCOMPARE(jpegQualityFromSetting(QStringLiteral("90")), 90);
        QCOMPARE(jpegQualityFromSetting(QStringLiteral("0")), 1);
        QCOMPARE(jpegQualityFromSetting(QStringLiteral("250")), 100);
    }

    void subSamplingChoicesSetTheEncoder()
    {
        const QStringList choices = subSamplingChoices();
        QCOMPARE(choices.size(), 16);
        QCOMPARE(choices[defaultSubSamplingChoice], QStringLiteral("2:2  [Default]"));
        cJpeg jpeg;
        applySubSampling(jpeg, choices[9], false); // "1:4"
        QCOMPARE(lumaSampling(jpeg), 0x14);
        applySubSampling(jpeg, choices[15], false);
        QCOMPARE(lumaSampling(jpeg), 0x44);
        applySubSampling(jpeg, choices[15], true);
        QCOMPARE(lumaSampling(jpeg), 0);
        // Unticking greyscale brings back the list's choice.
        applySubSampling(jpeg, choices[0], false);
        QCOMPARE(lumaSampling(jpeg), 0x11);
        QVERIFY_THROWS_EXCEPTION(JpegError, applySubSampling(jpeg, QStringLiteral("x"), false));
    }

    void fileNames()
    {
        QCOMPARE(scannedPageFile(QStringLiteral("/tmp/Quillery-1000"), 4),
                 QStringLiteral("/tmp/Quillery-1000/Page 5.jpg"));
    }
};

QTEST_GUILESS_MAIN(tst_scanoptions)
#include "tst_scanoptions.moc"
