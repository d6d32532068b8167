// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageTestTools.h"

#include "images/JpegEncoder.h"
#include "images/JpegError.h"
#include "images/Picture.h"
#include "images/ScanOptions.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace quillery;
using namespace quillery::test;

namespace {

// Greyscale, then the entries of the window's sampling list.
const int samplings[][2] = {{1, 1}, {1, 2}, {2, 1}, {2, 2}, {1, 3}, {3, 1}, {2, 3}, {3, 2},
                            {3, 3}, {1, 4}, {4, 1}, {2, 4}, {4, 2}, {3, 4}, {4, 3}, {4, 4}};

} // namespace

class tst_jpegencoder : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    int counter = 0;

    QString newPath() { return dir.filePath(QStringLiteral("%1.jpg").arg(++counter)); }

    // The whole image saved as the program saves it; nothing when that fails.
    QByteArray encode(JpegEncoder &jpeg, const Picture &image)
    {
        const QString path = newPath();
        if (jpeg.sampleAndSave(image, image.width(), image.height(), 0, 0, path) != 0)
            return {};
        return readFile(path);
    }

private Q_SLOTS:
    void headerOf640x480WithDefaults()
    {
        JpegEncoder defaults;
        const QByteArray file = encode(defaults, gradientPicture(640, 480));
        const std::vector<Segment> list = segments(file);

        QCOMPARE(file.left(20),
                 bytesOf({0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0x4A, 0x46, 0x49, 0x46,
                          0x00, 0x01, 0x01, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00}));
        std::vector<std::uint8_t> markers;
        for (const Segment &s : list)
            markers.push_back(s.marker);
        QCOMPARE(markers, (std::vector<std::uint8_t>{0xD8, 0xE0, 0xFE, 0xDB, 0xDB, 0xC0, 0xC4, 0xC4,
                                                     0xC4, 0xC4, 0xDA, 0xD9}));

        // The quality-75 tables in zig-zag order: (b x S + 50) / 100 rounded to even, so 16
        // and 14 both give 8.
        QCOMPARE(list[3].body,
                 bytesOf({0,  8,  6,  6,  8,  6,  6,  8,  8,  7,  8,  10, 9,  8,  10, 12, 20,
                          14, 12, 12, 12, 12, 25, 18, 19, 15, 20, 30, 26, 31, 30, 29, 26, 28,
                          28, 32, 36, 46, 40, 32, 34, 44, 35, 28, 28, 40, 55, 41, 44, 48, 50,
                          52, 52, 52, 32, 39, 57, 61, 56, 50, 60, 46, 51, 52, 50}));
        QCOMPARE(list[4].body, bytesOf({1, 9, 10, 10, 12, 11, 12, 24, 14, 14, 24, 50, 34, 28, 34}) +
                                   QByteArray(50, char(50)));
        QCOMPARE(list[5].body, bytesOf({0x08, 0x01, 0xE0, 0x02, 0x80, 0x03, 0x01, 0x22, 0x00, 0x02,
                                        0x11, 0x01, 0x03, 0x11, 0x01}));
        QCOMPARE(list[10].body,
                 bytesOf({0x03, 0x01, 0x00, 0x02, 0x11, 0x03, 0x11, 0x00, 0x3F, 0x00}));
        QVERIFY(djpeg(dir.filePath(QStringLiteral("%1.jpg").arg(counter))).ok);
    }

    void decodesCleanly_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("h");
        QTest::addColumn<int>("v");
        QTest::addColumn<int>("quality");
        const QSize sizes[] = {{1, 1}, {7, 9}, {17, 33}, {61, 45}};
        for (QSize size : sizes) {
            QTest::addRow("%dx%d grey", size.width(), size.height())
                << size.width() << size.height() << 0 << 0 << 75;
            for (const auto &s : samplings)
                QTest::addRow("%dx%d %d:%d", size.width(), size.height(), s[0], s[1])
                    << size.width() << size.height() << s[0] << s[1] << 75;
        }
        for (int quality : {1, 25, 50, 100})
            QTest::addRow("quality %d", quality) << 203 << 101 << 2 << 2 << quality;
    }

    void decodesCleanly()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, h);
        QFETCH(int, v);
        QFETCH(int, quality);

        JpegEncoder jpeg;
        jpeg.setQuality(quality);
        if (h == 0)
            jpeg.setSamplingFactors(1, 1, 0, 0, 0, 0);
        else
            jpeg.setSamplingFactors(h, v, 1, 1, 1, 1);
        const Picture source = gradientPicture(width, height);
        QVERIFY(!encode(jpeg, source).isEmpty());
        const Decoded decoded = djpeg(dir.filePath(QStringLiteral("%1.jpg").arg(counter)));
        QVERIFY2(decoded.ok, qPrintable(decoded.errors));
        QCOMPARE(decoded.image.size(), QSize(width, height));
        if (h == 0) {
            QVERIFY(decoded.image.isGrayscale());
            return;
        }
        // libjpeg-turbo's cjpeg with the same quality, sampling and scans sets the bar.
        const QString ppm = dir.filePath(QStringLiteral("%1.ppm").arg(counter));
        QVERIFY(source.toQImage().save(ppm));
        const QString reference = dir.filePath(QStringLiteral("%1-ref.jpg").arg(counter));
        QStringList arguments{QStringLiteral("-dct"),     QStringLiteral("float"),
                              QStringLiteral("-quality"), QString::number(quality),
                              QStringLiteral("-sample"),  QStringLiteral("%1x%2").arg(h).arg(v),
                              QStringLiteral("-outfile"), reference};
        if (h * v + 2 > 10) {
            const QString scans = dir.filePath(QStringLiteral("scans.txt"));
            writeFile(scans, h * v + 1 > 10 ? "0;\n1 2;\n" : "0 1;\n2;\n");
            arguments << QStringLiteral("-scans") << scans;
        }
        QCOMPARE(QProcess::execute(QStringLiteral("cjpeg"), arguments << ppm), 0);
        const double ours = psnr(source, decoded.image);
        const double theirs = psnr(source, djpeg(reference).image);
        QVERIFY2(ours >= theirs - 0.5,
                 qPrintable(QStringLiteral("PSNR %1 dB, cjpeg %2 dB").arg(ours).arg(theirs)));
    }

    void scansGroupAtMostTenBlocksPerMcu()
    {
        const std::pair<int, std::vector<QByteArray>> cases[] = {
            {2, {bytesOf({1, 2, 3})}},
            {4, {bytesOf({1}), bytesOf({2, 3})}},
            {3, {bytesOf({1, 2}), bytesOf({3})}},
        };
        for (const auto &[factor, scanComponents] : cases) {
            JpegEncoder jpeg;
            jpeg.setSamplingFactors(factor, factor, 1, 1, 1, 1);
            const std::vector<Segment> list = segments(encode(jpeg, gradientPicture(50, 40)));
            std::vector<QByteArray> scans;
            for (const Segment &s : list) {
                if (s.marker != 0xDA)
                    continue;
                QByteArray ids;
                for (int i = 0; i < s.body[0]; ++i)
                    ids.append(s.body[1 + 2 * i]);
                scans.push_back(ids);
            }
            QCOMPARE(scans, scanComponents);
        }
    }

    void commentLengths()
    {
        JpegEncoder jpeg;
        const Picture picture = gradientPicture(8, 8);
        const QString longest(65533, QLatin1Char('c'));
        jpeg.setComment(longest);
        const std::vector<Segment> list = segments(encode(jpeg, picture));
        QCOMPARE(list[2].marker, std::uint8_t(0xFE));
        QCOMPARE(list[2].body, longest.toLatin1());
        QVERIFY(djpeg(dir.filePath(QStringLiteral("%1.jpg").arg(counter))).ok);

        // Lengths count the bytes written: two per e-acute.
        const QString tooLong[] = {QString(65534, QLatin1Char('c')), QString(32767, QChar(0xE9))};
        for (const QString &text : tooLong) {
            expectJpegError([&] { jpeg.setComment(text); });
            QCOMPARE(jpeg.comment(), longest);
        }
    }

    // A save never replaces or writes through a file that is there, and writes nothing for
    // an image it cannot code.
    void savingWritesOnlyANewFile()
    {
        JpegEncoder jpeg;
        const Picture picture = gradientPicture(8, 8);
        const auto save = [&](const QString &path) {
            return jpeg.sampleAndSave(picture, 8, 8, 0, 0, path);
        };
        QCOMPARE(save(QString()), 1);

        const QString existing = dir.filePath(QStringLiteral("existing.jpg"));
        writeFile(existing, "keep");
        QFile(existing).setPermissions(QFileDevice::ReadOwner);
        QCOMPARE(save(existing), 2);
        QCOMPARE(readFile(existing), QByteArray("keep"));

        const QString target = dir.filePath(QStringLiteral("target.jpg"));
        const QString link = dir.filePath(QStringLiteral("link.jpg"));
        QVERIFY(QFile::link(target, link));
        QCOMPARE(save(link), 2);
        QVERIFY(!QFile::exists(target));

        QVERIFY_THROWS_EXCEPTION(JpegError, save(dir.filePath(QStringLiteral("no/such/x.jpg"))));

        const Picture empty;
        const QString none = newPath();
        QCOMPARE(jpeg.sampleAndSave(empty, 8, 8, 0, 0, none), 3);
        QCOMPARE(jpeg.sampleAndSave(picture, 65536, 8, 0, 0, none), 3); // beyond 16 bits
        QVERIFY(!QFile::exists(none));
    }

    void invalidSamplingIsRefused()
    {
        JpegEncoder jpeg;
        const int bad[][6] = {
            {0, 1, 1, 1, 1, 1}, {5, 1, 1, 1, 1, 1}, {2, 2, 0, 1, 1, 1}, {2, 2, 1, 1, 1, 5}};
        for (const auto &f : bad)
            expectJpegError([&] { jpeg.setSamplingFactors(f[0], f[1], f[2], f[3], f[4], f[5]); });
        // The defaults are still in force.
        const std::vector<Segment> list = segments(encode(jpeg, gradientPicture(16, 16)));
        QCOMPARE(std::uint8_t(findMarker(list, 0xC0)->body[7]), std::uint8_t(0x22));
    }

    // The scanner's choice "H:V" sets the brightness's horizontal and vertical factors.
    void scanSamplingChoicesReachTheFile()
    {
        const std::pair<QString, int> choices[] = {
            {"1:2", 0x12}, {"2:1", 0x21}, {"4:3", 0x43}, {"2:2  [Default]", 0x22}};
        for (const auto &[choice, factors] : choices) {
            JpegEncoder jpeg;
            applySubSampling(jpeg, choice, false);
            const std::vector<Segment> list = segments(encode(jpeg, gradientPicture(16, 16)));
            QCOMPARE(int(std::uint8_t(findMarker(list, 0xC0)->body[7])), factors);
        }
        JpegEncoder grey;
        applySubSampling(grey, "2:1", true);
        const std::vector<Segment> list = segments(encode(grey, gradientPicture(16, 16)));
        QCOMPARE(int(findMarker(list, 0xC0)->body[5]), 1); // one component
    }

    void otherDepthsCodeAsTheir24BitCopy()
    {
        JpegEncoder jpeg;
        for (int bitCount : {1, 4, 8}) {
            const Picture indexed = randomPicture(33, 17, bitCount);
            QCOMPARE(encode(jpeg, indexed), encode(jpeg, as24Bit(indexed)));
        }
    }

    void savingInOneStepCodesTheSame()
    {
        // sampleAndSave makes each row of blocks when it codes it instead of keeping them:
        // every sampling, a rectangle partly outside the image, and a file far larger than
        // the pieces it is written in must come out byte for byte as sample and save make
        // them.
        const Picture picture = gradientPicture(70, 41);
        for (const auto &s : samplings) {
            JpegEncoder jpeg;
            if (s[0] == 1 && s[1] == 1)
                jpeg.setSamplingFactors(1, 1, 0, 0, 0, 0);
            else
                jpeg.setSamplingFactors(s[0], s[1], 1, 1, 1, 1);
            const QRect r = s[0] == s[1] ? QRect(-5, 3, 37, 45) : QRect(0, 0, 70, 41);
            const QString oneStep = newPath();
            QCOMPARE(jpeg.sampleAndSave(picture, r.width(), r.height(), r.left(), r.top(), oneStep),
                     0);
            QCOMPARE(jpeg.sample(picture, r.width(), r.height(), r.left(), r.top()), 0);
            const QString twoSteps = newPath();
            QCOMPARE(jpeg.save(twoSteps), 0);
            QCOMPARE(readFile(oneStep), readFile(twoSteps));
        }
        const Picture noise = randomPicture(1024, 768, 24);
        JpegEncoder jpeg;
        jpeg.setQuality(100);
        const QString big = newPath();
        QCOMPARE(jpeg.sample(noise, 1024, 768, 0, 0), 0);
        QCOMPARE(jpeg.save(big), 0);
        QVERIFY(QFileInfo(big).size() > 2 << 18); // pieces of 256 KiB
        QCOMPARE(readFile(big), encode(jpeg, noise));
    }
};

QTEST_GUILESS_MAIN(tst_jpegencoder)
#include "tst_jpegencoder.moc"
