// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageTestTools.h"

#include "images/DibFile.h"
#include "images/Picture.h"

#include <QTemporaryDir>
#include <QTest>

using namespace quillery;
using namespace quillery::test;

namespace {

RgbQuad rgb(int red, int green, int blue)
{
    return {std::uint8_t(blue), std::uint8_t(green), std::uint8_t(red), 0};
}

// `target` has pixels, and every one equals the source pixel map(x, y) names.
template <typename Map> bool samePixels(const Picture &source, const Picture &target, Map map)
{
    if (target.isNull())
        return false;
    for (int y = 0; y < target.height(); ++y)
        for (int x = 0; x < target.width(); ++x) {
            const QPoint from = map(x, y);
            if (!(target.pixel(x, y) == source.pixel(from.x(), from.y())))
                return false;
        }
    return true;
}

} // namespace

class tst_picture : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private Q_SLOTS:
    void createLaysOutBottomUpRows()
    {
        for (const auto &[width, bitCount, bytesPerLine] :
             {std::tuple{33, 1, 8}, {7, 4, 4}, {9, 4, 8}, {5, 8, 8}, {5, 24, 16}}) {
            Picture image;
            QVERIFY(image.create(width, 3, bitCount));
            QCOMPARE(image.bytesPerLine(), bytesPerLine);
            // Row 0 (the top) is the last row in memory.
            QCOMPARE(image.scanLine(0), image.bits() + 2 * bytesPerLine);
        }

        // Refused depths and sizes leave an empty buffer.
        Picture image = randomPicture(2, 2, 24);
        for (const auto &[w, h, bits] :
             {std::tuple{2, 2, 16}, {0, 2, 24}, {1 << 30, 1 << 30, 24}, {30000, 30000, 24}}) {
            QVERIFY(!image.create(w, h, bits));
            QVERIFY(!image.bits());
            QCOMPARE(image.width(), 0);
        }
    }

    void copyStdPictureKeepsOrWidensTheDepth()
    {
        Picture image;
        QVERIFY(!image.copyFrom(QImage()));

        QImage colour(3, 2, QImage::Format_RGB32);
        colour.fill(qRgb(10, 20, 30));
        colour.setPixel(2, 1, qRgb(200, 100, 50));
        QVERIFY(image.copyFrom(colour));
        QCOMPARE(image.depth(), 24);
        QCOMPARE(image.pixel(0, 0), rgb(10, 20, 30));
        QCOMPARE(image.pixel(2, 1), rgb(200, 100, 50));

        // Transparency is shown over white.
        QImage translucent(2, 1, QImage::Format_ARGB32);
        translucent.setPixel(0, 0, qRgba(0, 0, 0, 0));
        translucent.setPixel(1, 0, qRgba(0, 0, 0, 255));
        QVERIFY(image.copyFrom(translucent));
        QCOMPARE(image.pixel(0, 0), rgb(255, 255, 255));
        QCOMPARE(image.pixel(1, 0), rgb(0, 0, 0));

        QImage indexed(9, 2, QImage::Format_Indexed8);
        indexed.setColorTable({qRgb(1, 2, 3), qRgb(4, 5, 6), qRgb(7, 8, 9)});
        indexed.fill(1);
        indexed.setPixel(8, 1, 2);
        QVERIFY(image.copyFrom(indexed));
        QCOMPARE(image.depth(), 8);
        QCOMPARE(image.pixel(8, 1), rgb(7, 8, 9));
        QCOMPARE(image.pixel(0, 0), rgb(4, 5, 6));

        QImage mono(10, 1, QImage::Format_MonoLSB);
        mono.setColorTable({qRgb(255, 0, 0), qRgb(0, 0, 255)});
        mono.fill(0);
        mono.setPixel(9, 0, 1);
        QVERIFY(image.copyFrom(mono));
        QCOMPARE(image.depth(), 1);
        QCOMPARE(image.pixel(0, 0), rgb(255, 0, 0));
        QCOMPARE(image.pixel(9, 0), rgb(0, 0, 255));
    }

    void mirrorsAndQuarterTurnsMovePixelsExactly()
    {
        for (int bitCount : {1, 4, 8, 24}) {
            const Picture picture = randomPicture(300, 200, bitCount);
            const int w = 300;
            const int h = 200;

            const Picture flipped = picture.mirrored(true);
            QCOMPARE(flipped.colourTable(), picture.colourTable());
            QVERIFY(
                samePixels(picture, flipped, [h](int x, int y) { return QPoint(x, h - 1 - y); }));
            QVERIFY(samePixels(picture, picture.mirrored(false),
                               [w](int x, int y) { return QPoint(w - 1 - x, y); }));

            const Picture anticlockwise = picture.rotated(90);
            QCOMPARE(anticlockwise.width(), 200);
            QCOMPARE(anticlockwise.height(), 300);
            QCOMPARE(anticlockwise.depth(), bitCount);
            QVERIFY(samePixels(picture, anticlockwise,
                               [w](int x, int y) { return QPoint(w - 1 - y, x); }));
            const Picture clockwise = picture.rotated(-90);
            QVERIFY(
                samePixels(picture, clockwise, [h](int x, int y) { return QPoint(y, h - 1 - x); }));
            QVERIFY(samePixels(picture, picture.rotated(180),
                               [w, h](int x, int y) { return QPoint(w - 1 - x, h - 1 - y); }));
        }
        const Picture picture = randomPicture(3, 2, 24);
        for (int degrees : {45, 0, 360, 450, -180 - 360})
            QVERIFY(picture.rotated(degrees).isNull());
        QVERIFY(Picture().mirrored(true).isNull());
    }

    // At every depth the image saves as a bitmap file Qt reads with its own pixels.
    void pixelsAreSavedAsTheyAre()
    {
        for (int bitCount : {1, 4, 8, 24}) {
            const Picture image = randomPicture(9, 5, bitCount);
            const QString path = dir.filePath(QStringLiteral("bits%1.bmp").arg(bitCount));
            QVERIFY(saveDibFile(image, path, 11811));
            const QImage read(path);
            QCOMPARE(read.size(), QSize(9, 5));
            QCOMPARE(read.dotsPerMeterX(), 11811);
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 9; ++x) {
                    const RgbQuad q = image.pixel(x, y);
                    QCOMPARE(read.pixel(x, y), qRgb(q.red, q.green, q.blue));
                }
        }
        QVERIFY(!saveDibFile(Picture(), dir.filePath(QStringLiteral("empty.bmp"))));
    }
};

QTEST_GUILESS_MAIN(tst_picture)
#include "tst_picture.moc"
