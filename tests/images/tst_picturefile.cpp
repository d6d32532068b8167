// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageTestTools.h"

#include "images/Picture.h"
#include "images/PictureFile.h"
#include "images/Pixels.h"
#include "images/RawPicture.h"

#include <QBuffer>
#include <QDataStream>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <limits>
#include <random>

using namespace quillery;
using namespace quillery::test;

namespace {

// An uncompressed bitmap file with random pixels (padding bytes included) and,
// below 24 bits, a random colour table of `colours` entries.
QByteArray bmpFile(int width, int height, int bitCount, bool topDown, int colours = 0,
                   std::uint32_t seed = 3)
{
    std::mt19937 random(seed);
    const int stride = ((width * bitCount + 31) / 32) * 4;
    const int tableBytes = 4 * colours;
    QByteArray out;
    QDataStream header(&out, QIODevice::WriteOnly);
    header.setByteOrder(QDataStream::LittleEndian);
    header.writeRawData("BM", 2);
    header << qint32(54 + tableBytes + stride * height) << qint32(0) << qint32(54 + tableBytes)
           << qint32(40) << qint32(width) << qint32(topDown ? -height : height) << qint16(1)
           << qint16(bitCount) << qint32(0) << qint32(stride * height) << qint32(2835)
           << qint32(2835) << qint32(bitCount <= 8 && colours == (1 << bitCount) ? 0 : colours)
           << qint32(0);
    for (int i = 0; i < tableBytes; ++i)
        out.append(char(i % 4 == 3 ? 0 : random() & 0xFF));
    for (int i = 0; i < stride * height; ++i) {
        // Indices stay within the colour table.
        const int value = int(random() & 0xFF);
        out.append(char(bitCount == 8 && colours > 0 ? value % colours : value));
    }
    return out;
}

QByteArray pnmFile(const QByteArray &header, int width, int height, int channels,
                   std::uint32_t seed = 5)
{
    std::mt19937 random(seed);
    QByteArray out = header;
    for (int i = 0; i < width * height * channels; ++i)
        out.append(char(random() & 0xFF));
    return out;
}

// All pixels as blue, green, red rows, whatever the depth.
QByteArray pixelsOf(const Picture &image)
{
    QByteArray out;
    std::vector<std::uint8_t> row(3 * std::size_t(image.width()));
    for (int y = 0; y < image.height(); ++y) {
        readRowBgr(image, y, 0, image.width(), row.data());
        out.append(reinterpret_cast<const char *>(row.data()), qsizetype(row.size()));
    }
    return out;
}

// Row y of rows opened from a file, as blue, green, red bytes.
QByteArray bgrRow(PixelRows &rows, int y)
{
    QByteArray row(reinterpret_cast<const char *>(rows.row(y)), 3 * qsizetype(rows.width()));
    for (qsizetype x = 0; rows.redFirst() && x < row.size(); x += 3)
        std::swap(row[x], row[x + 2]);
    return row;
}

} // namespace

class tst_picturefile : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    int counter = 0;

    QString fileWith(const QByteArray &bytes, const char *extension)
    {
        const QString path =
            dir.filePath(QStringLiteral("%1.%2").arg(++counter).arg(QLatin1String(extension)));
        writeFile(path, bytes);
        return path;
    }

private Q_SLOTS:
    void readersGiveQtsPixels_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("extension");
        for (int width : {1, 7, 33}) {
            const QByteArray size = QByteArray::number(width) + " 5";
            QTest::addRow("ppm %d", width)
                << pnmFile("P6\n# made by a test\n" + size + "\n# maxval next\n255\n", width, 5, 3)
                << QStringLiteral("ppm");
            QTest::addRow("pgm %d", width)
                << pnmFile("P5 " + size + " 255\n", width, 5, 1) << QStringLiteral("pgm");
            for (bool topDown : {false, true}) {
                const char *order = topDown ? "top-down" : "bottom-up";
                for (int bitCount : {1, 4, 8})
                    QTest::addRow("bmp %d-bit %d %s", bitCount, width, order)
                        << bmpFile(width, 5, bitCount, topDown, 1 << bitCount)
                        << QStringLiteral("bmp");
                QTest::addRow("bmp 8-bit short table %d %s", width, order)
                    << bmpFile(width, 5, 8, topDown, 20) << QStringLiteral("bmp");
                for (int bitCount : {24, 32})
                    QTest::addRow("bmp %d-bit %d %s", bitCount, width, order)
                        << bmpFile(width, 5, bitCount, topDown) << QStringLiteral("bmp");
            }
        }
        // Wide enough for rows to be read in several strips.
        QTest::addRow("ppm many strips")
            << pnmFile("P6 3001 100 255\n", 3001, 100, 3) << QStringLiteral("ppm");
        QTest::addRow("bmp many strips bottom-up")
            << bmpFile(3001, 100, 24, false) << QStringLiteral("bmp");
        QTest::addRow("bmp many strips top-down")
            << bmpFile(3001, 70, 32, true) << QStringLiteral("bmp");
        QTest::addRow("png, through Qt") << QByteArray() << QStringLiteral("png");
    }

    void readersGiveQtsPixels()
    {
        // Read whole, the picture is what Qt reads; its rows asked for backwards, then
        // forwards, and some again, are the same rows, whatever strip they are read in.
        QFETCH(QByteArray, bytes);
        QFETCH(QString, extension);
        QString path = fileWith(bytes, qPrintable(extension));
        if (bytes.isEmpty())
            QVERIFY(gradientPicture(23, 9).toQImage().save(path, "png"));
        Picture expected;
        QVERIFY(expected.copyFrom(QImage(path)));
        Picture image;
        QCOMPARE(readPictureFile(path, image), QString());
        QCOMPARE(image.width(), expected.width());
        QCOMPARE(image.height(), expected.height());
        const QByteArray pixels = pixelsOf(image);
        QCOMPARE(pixels, pixelsOf(expected));

        QString problem = QStringLiteral("left over");
        const std::unique_ptr<PixelRows> rows = openPictureRows(path, problem);
        QVERIFY(rows);
        QCOMPARE(problem, QString());
        QCOMPARE(rows->width(), image.width());
        QCOMPARE(rows->height(), image.height());
        const qsizetype rowBytes = 3 * qsizetype(image.width());
        for (int y = image.height() - 1; y >= 0; --y)
            QCOMPARE(bgrRow(*rows, y), pixels.mid(y * rowBytes, rowBytes));
        for (int y = 0; y < image.height(); y += 1 + y % 3)
            QCOMPARE(bgrRow(*rows, y), pixels.mid(y * rowBytes, rowBytes));
    }

    void sampleRangesAreScaled_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("bgr"); // the pixels, blue, green, red
        // A sample above the largest value counts as the largest.
        QTest::addRow("pgm to 15") << QByteArray("P5 3 1 15\n\x0F\x05\x20")
                                   << QByteArray("\xFF\xFF\xFF\x55\x55\x55\xFF\xFF\xFF");
        // Two bytes a sample, the high byte first.
        QTest::addRow("ppm to 1000")
            << QByteArray("P6 2 1 1000\n\x00\x00\x03\xE8\x01\xF4\x00\xFA\xFF\xFF\x00\x02", 24)
            << QByteArray("\x80\xFF\x00\x01\xFF\x40", 6);
    }

    void sampleRangesAreScaled()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, bgr);
        const QString path = fileWith(bytes, "pnm");
        Picture image;
        QCOMPARE(readPictureFile(path, image), QString());
        QCOMPARE(pixelsOf(image), bgr);
        QString problem;
        const std::unique_ptr<PixelRows> rows = openPictureRows(path, problem);
        QVERIFY2(rows, qPrintable(problem));
        QCOMPARE(bgrRow(*rows, 0), bgr);
    }

    void damagedFilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problem");
        const QString ends = QStringLiteral("the file ends before the picture does");
        const QByteArray ppm = pnmFile("P6 4 3 255\n", 4, 3, 3);
        QTest::addRow("ppm truncated") << ppm.left(ppm.size() - 1) << ends;
        QTest::addRow("ppm header cut")
            << QByteArray("P6 4 3") << QStringLiteral("the header is incomplete");
        QTest::addRow("ppm not a number")
            << QByteArray("P6 4 x 255\n") << QStringLiteral("the header is damaged");
        QTest::addRow("ppm no pixels")
            << QByteArray("P5 0 3 255\n") << QStringLiteral("the picture has no pixels");
        QTest::addRow("ppm number overflow")
            << QByteArray("P6 99999999999 1 255\n") << QStringLiteral("the picture is too large");
        QTest::addRow("ppm huge") << QByteArray("P6 2000000000 2000000000 255\nabc") << ends;
        const QString range = QStringLiteral("the largest sample value is not between 1 and 65535");
        QTest::addRow("pgm largest value 0") << QByteArray("P5 2 1 0\nab") << range;
        QTest::addRow("ppm largest value 65536") << QByteArray("P6 1 1 65536\nabcdef") << range;
        // Two bytes a sample: a file of the rows at one byte is cut short.
        QTest::addRow("ppm 16-bit truncated") << pnmFile("P6 4 3 4095\n", 4, 3, 3) << ends;

        // A bitmap with the 32-bit field at `offset` set to `value`.
        const auto patched = [](QByteArray bmp, int offset, std::int32_t value) {
            qToLittleEndian(value, bmp.data() + offset);
            return bmp;
        };
        const QByteArray bmp = bmpFile(9, 4, 24, false);
        const QString noSize = QStringLiteral("the header gives no valid size");
        QTest::addRow("bmp truncated") << bmp.left(bmp.size() - 1) << ends;
        QTest::addRow("bmp huge") << patched(patched(bmp, 18, 0x7FFFFFFF), 22, 0x7FFFFFFF) << ends;
        QTest::addRow("bmp negative width") << patched(bmp, 18, -9) << noSize;
        QTest::addRow("bmp lowest height")
            << patched(bmp, 22, std::numeric_limits<std::int32_t>::min()) << noSize;
        QTest::addRow("bmp pixels past the end") << patched(bmp, 10, 0x7FFFFFF0) << ends;
        const QByteArray palette = bmpFile(4, 2, 8, false, 256);
        QTest::addRow("bmp palette past the end")
            << palette.left(54 + 100)
            << QStringLiteral("the colour table runs past the end of the file");
        QTest::addRow("bmp pixels inside the palette")
            << patched(palette, 10, 60) << QStringLiteral("the pixels overlap the header");
    }

    void damagedFilesAreRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        const QString path = fileWith(bytes, "pic");
        Picture image = gradientPicture(3, 3);
        QCOMPARE(readPictureFile(path, image), problem);
        QVERIFY(image.isNull());
        QString rowsProblem;
        QVERIFY(!openPictureRows(path, rowsProblem));
        QCOMPARE(rowsProblem, problem);
    }

    // A camera's picture turned on its side is shown as it was taken, and kept as stored.
    void cameraOrientationTurnsOnlyWhatIsShownAsTaken()
    {
        QImage wide(8, 4, QImage::Format_RGB32);
        wide.fill(Qt::red);
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(wide.save(&buffer, "JPG"));
        // An Exif block whose one tag says "turn a quarter clockwise to show" (orientation 6).
        QByteArray tiff("II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x06\0\0\0\0\0\0\0", 26);
        const QByteArray exif = QByteArray("Exif\0\0", 6) + tiff;
        QByteArray app1("\xFF\xE1", 2);
        app1.append(char((exif.size() + 2) >> 8)).append(char((exif.size() + 2) & 0xFF));
        jpeg.insert(2, app1 + exif);
        const QString path = fileWith(jpeg, "jpg");

        Picture image;
        QCOMPARE(readPictureFile(path, image, true), QString());
        QCOMPARE(QSize(image.width(), image.height()), QSize(4, 8));
        QCOMPARE(readPictureFile(path, image, false), QString());
        QCOMPARE(QSize(image.width(), image.height()), QSize(8, 4));
    }

    void unreadableFilesSayWhy()
    {
        Picture image;
        QVERIFY(!readPictureFile(dir.filePath(QStringLiteral("missing.bmp")), image).isEmpty());
        QVERIFY(!readPictureFile(fileWith("plain text", "txt"), image).isEmpty());
        QVERIFY(image.isNull());
    }
};

QTEST_GUILESS_MAIN(tst_picturefile)
#include "tst_picturefile.moc"
