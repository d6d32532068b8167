// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/ImageTestTools.h"

#include "cli/JpegCommand.h"
#include "images/DibFile.h"
#include "images/PictureFile.h"
#include "images/RawPicture.h"
#include "images/cJpeg.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

using namespace quillery;
using namespace quillery::test;

class tst_jpegcommand : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString errors;

    int run(const QStringList &args)
    {
        errors.clear();
        QTextStream stream(&errors);
        return cli::runJpeg(args, stream);
    }

    QString picture(const char *format)
    {
        const QString path = dir.filePath(QStringLiteral("picture.") + QLatin1String(format));
        QImage image = gradientPicture(37, 21).toQImage();
        if (!QImageWriter(path, format).write(image))
            return {};
        return path;
    }

    QString path(const QString &name) { return dir.filePath(name); }

private Q_SLOTS:
    void encodesAnyReadablePicture()
    {
        for (const char *format : {"png", "bmp", "jpg", "tiff", "webp"}) {
            const QString in = picture(format);
            QVERIFY(!in.isEmpty());
            const QString out = path(QStringLiteral("from-%1.jpg").arg(QLatin1String(format)));
            QCOMPARE(run({in, out}), 0);
            const Decoded decoded = djpeg(out);
            QVERIFY2(decoded.ok, qPrintable(decoded.errors));
            QCOMPARE(decoded.image.size(), QSize(37, 21));
        }
    }

    void filesReadAsCodedGiveTheSameFile()
    {
        // PPM, PGM and BMP files are read a strip at a time while they are
        // coded, twice over for sampling whose scans each walk the picture:
        // the file is the one coding the picture read whole gives.
        const cImage colour = randomPicture(1500, 83, 24);
        const cImage indexed = randomPicture(301, 45, 8);
        QString ppm = path(QStringLiteral("in.ppm"));
        QVERIFY(colour.toQImage().save(ppm, "ppm"));
        QString pgm = path(QStringLiteral("in.pgm"));
        QVERIFY(colour.toQImage().convertToFormat(QImage::Format_Grayscale8).save(pgm, "pgm"));
        QString bmp = path(QStringLiteral("in.bmp"));
        QVERIFY(saveDibFile(colour, bmp));
        QString bmp8 = path(QStringLiteral("in8.bmp"));
        QVERIFY(saveDibFile(indexed, bmp8));
        int n = 0;
        for (const QString &in : {ppm, pgm, bmp, bmp8}) {
            cImage image;
            QCOMPARE(readPictureFile(in, image), QString());
            for (const char *sampling : {"2:2", "4:4", "1:3"}) {
                const QString out = path(QStringLiteral("streamed%1.jpg").arg(++n));
                QCOMPARE(run({in, out, QStringLiteral("--sampling"), QLatin1String(sampling),
                              QStringLiteral("--quality"), QStringLiteral("90")}),
                         0);
                cJpeg jpeg;
                jpeg.setQuality(90);
                jpeg.SetSamplingFrequencies(sampling[0] - '0', sampling[2] - '0', 1, 1, 1, 1);
                const QString whole = path(QStringLiteral("whole%1.jpg").arg(n));
                QCOMPARE(jpeg.SaveHDC(image.hdc(), image.Width(), image.Height(), 0, 0, whole), 0);
                QVERIFY2(readFile(out) == readFile(whole),
                         qPrintable(in + u' ' + QLatin1String(sampling)));
            }
        }
    }

    void aFileCutShortWhileCodedLeavesNothing()
    {
        const QString in = path(QStringLiteral("cut.ppm"));
        QVERIFY(randomPicture(3001, 100, 24).toQImage().save(in, "ppm"));
        QString problem;
        const std::unique_ptr<PixelRows> rows = openPictureRows(in, problem);
        QVERIFY(rows);
        QVERIFY(QFile::resize(in, QFileInfo(in).size() - 1));
        const QString out = path(QStringLiteral("cut.jpg"));
        cJpeg jpeg;
        QVERIFY_THROWS_EXCEPTION(PictureDamaged, jpeg.SaveRows(*rows, out));
        QVERIFY(!QFile::exists(out));
    }

    void optionsReachTheEncoder()
    {
        const QString in = picture("png");
        const QString out = path(QStringLiteral("options.jpg"));
        QCOMPARE(run({QStringLiteral("--quality"), QStringLiteral("100"), in,
                      QStringLiteral("--sampling"), QStringLiteral("1:4"), out,
                      QStringLiteral("--comment"), QStringLiteral("scanned")}),
                 0);
        const std::vector<Segment> list = segments(readFile(out));
        QCOMPARE(list[2].body, QByteArray("scanned"));
        QCOMPARE(findMarker(list, 0xDB)->body.mid(1, 3), bytesOf({1, 1, 1}));
        QCOMPARE(std::uint8_t(findMarker(list, 0xC0)->body[7]), std::uint8_t(0x14));

        const QString grey = path(QStringLiteral("grey.jpg"));
        QCOMPARE(run({in, grey, QStringLiteral("--greyscale")}), 0);
        QCOMPARE(int(findMarker(segments(readFile(grey)), 0xC0)->body[5]), 1);
    }

    void mistakesAreReported()
    {
        const QString in = picture("png");
        const QString out = path(QStringLiteral("never.jpg"));
        const QStringList usage[] = {
            {},
            {in},
            {in, out, QStringLiteral("extra")},
            {in, out, QStringLiteral("--quality"), QStringLiteral("0")},
            {in, out, QStringLiteral("--quality"), QStringLiteral("high")},
            {in, out, QStringLiteral("--quality")},
            {in, out, QStringLiteral("--sampling"), QStringLiteral("5:1")},
            {in, out, QStringLiteral("--sampling"), QStringLiteral("2x2")},
            {in, out, QStringLiteral("--sampling"), QStringLiteral("2:2"),
             QStringLiteral("--greyscale")},
            {in, out, QStringLiteral("--fast")},
            {in, out, QStringLiteral("--comment"), QString(65534, QLatin1Char('c'))},
        };
        // A wrong command line is the tool's usage fault, never its password fault (2).
        for (const QStringList &args : usage) {
            QCOMPARE(run(args), 64);
            QVERIFY(!errors.isEmpty());
            QVERIFY(!QFile::exists(out));
        }

        const QString notAPicture = path(QStringLiteral("notes.txt"));
        writeFile(notAPicture, "plain text");
        QCOMPARE(run({notAPicture, out}), 1);
        QVERIFY(errors.contains(notAPicture));
        QVERIFY(!QFile::exists(out));

        // Hostile headers are refused before anything is allocated or written.
        const std::pair<QByteArray, QString> hostile[] = {
            {"P6 60000 60000 255\nabc", QStringLiteral("the file ends before the picture does")},
            {"P6 2 1 0\nabcdef",
             QStringLiteral("the largest sample value is not between 1 and 65535")},
        };
        for (const auto &[bytes, problem] : hostile) {
            const QString ppm = path(QStringLiteral("hostile.ppm"));
            writeFile(ppm, bytes);
            QCOMPARE(run({ppm, out}), 1);
            QVERIFY(errors.contains(ppm));
            QVERIFY2(errors.contains(problem), qPrintable(errors));
            QVERIFY(!QFile::exists(out));
        }

        const QString existing = path(QStringLiteral("existing.jpg"));
        writeFile(existing, "keep");
        QCOMPARE(run({in, existing}), 1);
        QVERIFY(errors.contains(existing));
        QCOMPARE(readFile(existing), QByteArray("keep"));

        const QString unwritable = path(QStringLiteral("missing/out.jpg"));
        QCOMPARE(run({in, unwritable}), 1);
        QVERIFY(errors.contains(unwritable));
    }
};

QTEST_GUILESS_MAIN(tst_jpegcommand)
#include "tst_jpegcommand.moc"
