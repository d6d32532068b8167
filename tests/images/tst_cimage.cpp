// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageTestTools.h"

#include "images/DibFile.h"
#include "images/cImage.h"

#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace quillery;
using namespace quillery::test;

namespace {

RgbQuad grey(int level)
{
    return {std::uint8_t(level), std::uint8_t(level), std::uint8_t(level), 0};
}

RgbQuad rgb(int red, int green, int blue)
{
    return {std::uint8_t(blue), std::uint8_t(green), std::uint8_t(red), 0};
}

// `target` has pixels, and every one equals the source pixel map(x, y) names.
template <typename Map> bool samePixels(const cImage &source, const cImage &target, Map map)
{
    if (!target.hdc())
        return false;
    for (int y = 0; y < target.Height(); ++y) {
        for (int x = 0; x < target.Width(); ++x) {
            const QPoint from = map(x, y);
            if (!(target.pixel(x, y) == source.pixel(from.x(), from.y())))
                return false;
        }
    }
    return true;
}

void setPixel(cImage &image, int x, int y, RgbQuad colour)
{
    std::uint8_t *p = image.scanLine(y) + 3 * x;
    p[0] = colour.blue;
    p[1] = colour.green;
    p[2] = colour.red;
}

cImage filled(int width, int height, RgbQuad colour)
{
    cImage image;
    image.Create(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            setPixel(image, x, y, colour);
    return image;
}

} // namespace

class tst_cimage : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private Q_SLOTS:
    void createLaysOutBottomUpRows()
    {
        struct Case
        {
            int width, bitCount, bytesPerLine;
        };
        const Case cases[] = {{1, 1, 4}, {32, 1, 4}, {33, 1, 8}, {7, 4, 4},   {9, 4, 8},
                              {4, 8, 4}, {5, 8, 8},  {1, 24, 4}, {4, 24, 12}, {5, 24, 16}};
        for (const Case &c : cases) {
            cImage image;
            QVERIFY(image.Create(c.width, 3, c.bitCount));
            QCOMPARE(image.BytesPerScanLine(), c.bytesPerLine);
            QCOMPARE(image.Width(), c.width);
            QCOMPARE(image.Height(), 3);
            QCOMPARE(image.BitCount(), c.bitCount);
            // Row 0 (the top) is the last row in memory.
            QCOMPARE(image.scanLine(0), image.DIBitsPtr() + 2 * c.bytesPerLine);
        }

        cImage image;
        QVERIFY(image.Create(2, 2, 4));
        QCOMPARE(image.ColourTable().size(), std::size_t(16));
        QCOMPARE(image.ColourTable()[1], grey(17));
        QCOMPARE(image.ColourTable()[15], grey(255));
        QVERIFY(image.Create(2, 2, 1));
        QCOMPARE(image.ColourTable(), (std::vector<RgbQuad>{grey(0), grey(255)}));
        QVERIFY(image.Create(2, 2, 24));
        QVERIFY(image.ColourTable().empty());

        // Refused depths and sizes leave an empty buffer.
        for (const auto &[w, h, bits] : {std::tuple{2, 2, 16},
                                         {2, 2, 32},
                                         {0, 2, 24},
                                         {2, -1, 8},
                                         {1 << 30, 1 << 30, 24},
                                         {30000, 30000, 24}}) {
            QVERIFY(!image.Create(w, h, bits));
            QVERIFY(!image.hdc());
            QVERIFY(!image.DIBitsPtr());
            QCOMPARE(image.Width(), 0);
        }
    }

    void copyStdPictureKeepsOrWidensTheDepth()
    {
        cImage image;
        QVERIFY(!image.CopyStdPicture(QImage()));

        QImage colour(3, 2, QImage::Format_RGB32);
        colour.fill(qRgb(10, 20, 30));
        colour.setPixel(2, 1, qRgb(200, 100, 50));
        QVERIFY(image.CopyStdPicture(colour));
        QCOMPARE(image.BitCount(), 24);
        QCOMPARE(image.pixel(0, 0), rgb(10, 20, 30));
        QCOMPARE(image.pixel(2, 1), rgb(200, 100, 50));

        // Transparency is shown over white.
        QImage translucent(2, 1, QImage::Format_ARGB32);
        translucent.setPixel(0, 0, qRgba(0, 0, 0, 0));
        translucent.setPixel(1, 0, qRgba(0, 0, 0, 255));
        QVERIFY(image.CopyStdPicture(translucent));
        QCOMPARE(image.BitCount(), 24);
        QCOMPARE(image.pixel(0, 0), rgb(255, 255, 255));
        QCOMPARE(image.pixel(1, 0), rgb(0, 0, 0));

        QImage indexed(9, 2, QImage::Format_Indexed8);
        indexed.setColorTable({qRgb(1, 2, 3), qRgb(4, 5, 6), qRgb(7, 8, 9)});
        indexed.fill(1);
        indexed.setPixel(8, 1, 2);
        QVERIFY(image.CopyStdPicture(indexed));
        QCOMPARE(image.BitCount(), 8);
        QCOMPARE(image.ColourTable()[2], rgb(7, 8, 9));
        QCOMPARE(image.pixel(8, 1), rgb(7, 8, 9));
        QCOMPARE(image.pixel(0, 0), rgb(4, 5, 6));

        QImage mono(10, 1, QImage::Format_MonoLSB);
        mono.setColorTable({qRgb(255, 0, 0), qRgb(0, 0, 255)});
        mono.fill(0);
        mono.setPixel(9, 0, 1);
        QVERIFY(image.CopyStdPicture(mono));
        QCOMPARE(image.BitCount(), 1);
        QCOMPARE(image.pixel(0, 0), rgb(255, 0, 0));
        QCOMPARE(image.pixel(9, 0), rgb(0, 0, 255));

        QImage grey8(2, 1, QImage::Format_Grayscale8);
        grey8.setPixel(1, 0, qRgb(77, 77, 77));
        QVERIFY(image.CopyStdPicture(grey8));
        QCOMPARE(image.BitCount(), 8);
        QCOMPARE(image.pixel(1, 0), grey(77));
    }

    void copyHdcTakesDepthFromTheSource()
    {
        const cImage source = randomPicture(20, 10, 4);
        cImage copy;
        QVERIFY(copy.CopyHDC(source.hdc(), 20, 10));
        QCOMPARE(copy.BitCount(), 4);
        QCOMPARE(copy.ColourTable(), source.ColourTable());
        QVERIFY(samePixels(source, copy, [](int x, int y) { return QPoint(x, y); }));

        // With a depth given, the grey table stays and colours are matched to it.
        cImage red = filled(2, 1, rgb(255, 0, 0));
        QVERIFY(copy.CopyHDC(red.hdc(), 2, 1, 8));
        QCOMPARE(copy.pixel(1, 0), grey(76));

        // A rectangle: what lies outside the source stays black.
        QVERIFY(copy.CopyHDC(source.hdc(), 8, 6, 0, 15, -2));
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 8; ++x) {
                const bool inside = x + 15 < 20 && y - 2 >= 0;
                QCOMPARE(copy.pixel(x, y),
                         inside ? source.pixel(x + 15, y - 2) : source.ColourTable()[0]);
            }
        }
        // Copying from itself works from the old pixels.
        cImage self = randomPicture(6, 6, 24);
        const cImage before = self;
        QVERIFY(self.CopyHDC(self.hdc(), 3, 3, 0, 2, 2));
        QVERIFY(samePixels(before, self, [](int x, int y) { return QPoint(x + 2, y + 2); }));

        QVERIFY(!copy.CopyHDC(nullptr, 4, 4));
        QVERIFY(!copy.hdc());
    }

    void copyPalletHdcCopiesWhatFits()
    {
        const cImage source = randomPicture(2, 2, 8);
        cImage small;
        small.Create(2, 2, 4);
        QVERIFY(small.CopyPalletHDC(source.hdc()));
        for (int i = 0; i < 16; ++i)
            QCOMPARE(small.ColourTable()[i], source.ColourTable()[i]);

        cImage wide;
        wide.Create(2, 2, 8);
        QVERIFY(wide.CopyPalletHDC(small.hdc()));
        QCOMPARE(wide.ColourTable()[15], source.ColourTable()[15]);
        QCOMPARE(wide.ColourTable()[16], grey(16));

        cImage truecolour;
        truecolour.Create(2, 2, 24);
        QVERIFY(!truecolour.CopyPalletHDC(source.hdc()));
        QVERIFY(!wide.CopyPalletHDC(truecolour.hdc()));
        QVERIFY(!wide.CopyPalletHDC(nullptr));
    }

    void greyscaleMatchesByLuma()
    {
        cImage colours = filled(5, 1, rgb(255, 0, 0));
        setPixel(colours, 1, 0, rgb(0, 255, 0));
        setPixel(colours, 2, 0, rgb(0, 0, 255));
        setPixel(colours, 3, 0, rgb(255, 255, 255));
        setPixel(colours, 4, 0, rgb(1, 2, 0));
        const cImage grey8 = colours.Greyscale();
        QCOMPARE(grey8.BitCount(), 8);
        QCOMPARE(grey8.pixel(0, 0), grey(76));  // 76.2
        QCOMPARE(grey8.pixel(1, 0), grey(150)); // 149.7
        QCOMPARE(grey8.pixel(2, 0), grey(29));  // 29.1
        QCOMPARE(grey8.pixel(3, 0), grey(255));
        QCOMPARE(grey8.pixel(4, 0), grey(1)); // 1.473
        QVERIFY(!cImage().Greyscale().hdc());
    }

    void resampleAveragesOrInterpolates()
    {
        const cImage picture = randomPicture(17, 9, 24);
        const cImage same = picture.Resample(17, 9);
        QVERIFY(samePixels(picture, same, [](int x, int y) { return QPoint(x, y); }));

        // Shrinking: each pixel is the mean of the area it covers.
        cImage quarters = filled(4, 2, rgb(0, 0, 0));
        setPixel(quarters, 0, 0, rgb(100, 10, 0));
        setPixel(quarters, 1, 0, rgb(50, 20, 0));
        setPixel(quarters, 0, 1, rgb(0, 30, 0));
        setPixel(quarters, 1, 1, rgb(51, 40, 3));
        const cImage half = quarters.Resample(2, 1);
        QCOMPARE(half.pixel(0, 0), rgb(50, 25, 1)); // 50.25, 25, 0.75
        QCOMPARE(half.pixel(1, 0), rgb(0, 0, 0));

        cImage three = filled(3, 1, rgb(0, 0, 0));
        setPixel(three, 0, 0, rgb(90, 0, 0));
        setPixel(three, 1, 0, rgb(30, 0, 0));
        const cImage two = three.Resample(2, 1);
        QCOMPARE(two.pixel(0, 0), rgb(70, 0, 0)); // 2/3 x 90 + 1/3 x 30
        QCOMPARE(two.pixel(1, 0), rgb(10, 0, 0)); // 1/3 x 30 + 2/3 x 0

        // Enlarging: bilinear between pixel centres, edges held.
        cImage pair = filled(2, 1, rgb(0, 0, 0));
        setPixel(pair, 1, 0, rgb(200, 0, 0));
        const cImage four = pair.Resample(4, 1);
        QCOMPARE(four.pixel(0, 0), rgb(0, 0, 0));
        QCOMPARE(four.pixel(1, 0), rgb(50, 0, 0));
        QCOMPARE(four.pixel(2, 0), rgb(150, 0, 0));
        QCOMPARE(four.pixel(3, 0), rgb(200, 0, 0));

        // Indexed images keep their depth and colour table.
        const cImage indexed = randomPicture(8, 8, 4);
        const cImage smaller = indexed.Resample(3, 5);
        QCOMPARE(smaller.BitCount(), 4);
        QCOMPARE(smaller.ColourTable(), indexed.ColourTable());
        QCOMPARE(smaller.Width(), 3);
    }

    void mirrorsAndQuarterTurnsMovePixelsExactly()
    {
        for (int bitCount : {1, 4, 8, 24}) {
            const cImage picture = randomPicture(300, 200, bitCount);
            const int w = 300;
            const int h = 200;

            const cImage flipped = picture.Mirror(true);
            QCOMPARE(flipped.ColourTable(), picture.ColourTable());
            QVERIFY(
                samePixels(picture, flipped, [h](int x, int y) { return QPoint(x, h - 1 - y); }));
            QVERIFY(samePixels(picture, picture.Mirror(false),
                               [w](int x, int y) { return QPoint(w - 1 - x, y); }));

            const cImage anticlockwise = picture.Rotate(90);
            QCOMPARE(anticlockwise.Width(), 200);
            QCOMPARE(anticlockwise.Height(), 300);
            QCOMPARE(anticlockwise.BitCount(), bitCount);
            QVERIFY(samePixels(picture, anticlockwise,
                               [w](int x, int y) { return QPoint(w - 1 - y, x); }));
            const cImage clockwise = picture.Rotate(-90);
            QVERIFY(
                samePixels(picture, clockwise, [h](int x, int y) { return QPoint(y, h - 1 - x); }));
            QVERIFY(samePixels(picture, picture.Rotate(180),
                               [w, h](int x, int y) { return QPoint(w - 1 - x, h - 1 - y); }));
        }
        const cImage picture = randomPicture(3, 2, 24);
        for (int degrees : {45, 0, 360, 450, -180 - 360})
            QVERIFY(!picture.Rotate(degrees).hdc());
        QVERIFY(!cImage().Mirror(true).hdc());
    }

    // At every depth the image paints, and saves as a bitmap file Qt reads, its own pixels.
    void pixelsArePaintedAndSavedAsTheyAre()
    {
        for (int bitCount : {1, 4, 8, 24}) {
            const cImage image = randomPicture(9, 5, bitCount);
            QImage canvas(20, 20, QImage::Format_ARGB32);
            canvas.fill(Qt::transparent);
            QPainter painter(&canvas);
            image.PaintHDC(painter, 3, 4);
            painter.end();
            QCOMPARE(canvas.pixel(2, 4), qRgba(0, 0, 0, 0));
            const QString path = dir.filePath(QStringLiteral("bits%1.bmp").arg(bitCount));
            QVERIFY(saveDibFile(image, path, 11811));
            const QImage read(path);
            QCOMPARE(read.size(), QSize(9, 5));
            QCOMPARE(read.dotsPerMeterX(), 11811);
            for (int y = 0; y < 5; ++y) {
                for (int x = 0; x < 9; ++x) {
                    const RgbQuad q = image.pixel(x, y);
                    QCOMPARE(canvas.pixel(3 + x, 4 + y), qRgb(q.red, q.green, q.blue));
                    QCOMPARE(read.pixel(x, y), qRgb(q.red, q.green, q.blue));
                }
            }
        }
        QVERIFY(!saveDibFile(cImage(), dir.filePath(QStringLiteral("empty.bmp"))));
    }
};

QTEST_GUILESS_MAIN(tst_cimage)
#include "tst_cimage.moc"
