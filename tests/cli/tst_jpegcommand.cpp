// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/ImageTestTools.h"

#include "cli/JpegCommand.h"
#include "images/DibFile.h"
#include "images/JpegEncoder.h"
#include "images/PictureFile.h"

#include <QImage>
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

    QString picture()
    {
        const QString path = dir.filePath("picture.png");
        return gradientPicture(37, 21).toQImage().save(path) ? path : QString();
    }

    QString path(const QString &name) { return dir.filePath(name); }

    // The bodies of a file's DHT segments, one after another.
    static QByteArray huffmanTables(const std::vector<Segment> &file)
    {
        QByteArray tables;
        for (const Segment &s : file)
            if (s.marker == 0xC4)
                tables += s.body;
        return tables;
    }

private Q_SLOTS:
    void filesReadAsCodedGiveTheSameFile()
    {
        // PPM and BMP files are read a strip at a time while they are coded, twice over for
        // sampling whose scans each walk the picture: the file is the one coding the picture
        // read whole gives.
        const QString ppm = path("in.ppm");
        QVERIFY(randomPicture(1500, 83, 24).toQImage().save(ppm, "ppm"));
        const QString bmp8 = path("in8.bmp");
        QVERIFY(saveDibFile(randomPicture(301, 45, 8), bmp8));
        int n = 0;
        for (const QString &in : {ppm, bmp8}) {
            Picture image;
            QCOMPARE(readPictureFile(in, image), QString());
            for (const char *sampling : {"2:2", "4:4", "1:3"}) {
                const QString out = path(QString("streamed%1.jpg").arg(++n));
                QCOMPARE(run({in, out, "--sampling", QLatin1String(sampling), "--quality", "90"}),
                         0);
                JpegEncoder jpeg;
                jpeg.setQuality(90);
                jpeg.setSamplingFactors(sampling[0] - '0', sampling[2] - '0', 1, 1, 1, 1);
                const QString whole = path(QString("whole%1.jpg").arg(n));
                QCOMPARE(jpeg.sampleAndSave(image, image.width(), image.height(), 0, 0, whole), 0);
                QVERIFY2(readFile(out) == readFile(whole),
                         qPrintable(in + u' ' + QLatin1String(sampling)));
            }
        }
    }

    void optionsReachTheEncoder()
    {
        const QString in = picture();
        const QString out = path("options.jpg");
        QCOMPARE(run({"--quality", "100", in, "--comment", "scanned", out}), 0);
        QCOMPARE(segments(readFile(out))[2].body, QByteArray("scanned"));

        const QString grey = path("grey.jpg");
        QCOMPARE(run({in, grey, "--greyscale"}), 0);
        QCOMPARE(int(findMarker(segments(readFile(grey)), 0xC0)->body[5]), 1);
    }

    void fastChangesOnlyTheEntropyCoding()
    {
        // --fast swaps the tables made for the picture for fixed ones: the same coefficients,
        // so the same pixels once decoded, and the same tables in every file.
        const QString ppm = path("fast.ppm");
        QVERIFY(randomPicture(203, 77, 24).toQImage().save(ppm, "ppm"));
        const QString other = path("other.ppm");
        QVERIFY(gradientPicture(64, 40).toQImage().save(other, "ppm"));
        const QStringList variants[] = {
            {}, {"--sampling", "1:1"}, {"--greyscale"}, {"--sampling", "4:2", "--quality", "97"}};
        int n = 0;
        for (const QStringList &options : variants) {
            const QString name = options.join(' ');
            const QString optimised = path(QString("optimised%1.jpg").arg(++n));
            const QString fast = path(QString("fast%1.jpg").arg(n));
            const QString fastOther = path(QString("fastother%1.jpg").arg(n));
            QCOMPARE(run(QStringList{ppm, optimised} + options), 0);
            QCOMPARE(run(QStringList{ppm, fast, "--fast"} + options), 0);
            QCOMPARE(run(QStringList{"--fast", other, fastOther} + options), 0);

            const QImage expected(optimised);
            const QImage decoded(fast);
            QVERIFY2(!expected.isNull() && !decoded.isNull(), qPrintable(name));
            QVERIFY2(decoded == expected, qPrintable(name));

            const std::vector<Segment> a = segments(readFile(optimised));
            const std::vector<Segment> b = segments(readFile(fast));
            QVERIFY(!a.empty() && !b.empty());
            QCOMPARE(findMarker(b, 0xDB)->body, findMarker(a, 0xDB)->body);
            QCOMPARE(findMarker(b, 0xC0)->body, findMarker(a, 0xC0)->body);
            QVERIFY2(findMarker(b, 0xDA)->scanData != findMarker(a, 0xDA)->scanData,
                     qPrintable(name));
            QCOMPARE(huffmanTables(b), huffmanTables(segments(readFile(fastOther))));
            // The luminance DC table every decoder knows: one code of 2 bits, five of 3, ...
            const QByteArray lumaDc = QByteArray::fromHex("00"
                                                          "00010501010101010100000000000000"
                                                          "000102030405060708090a0b");
            QVERIFY2(huffmanTables(b).startsWith(lumaDc), qPrintable(name));
        }
    }

    void mistakesAreReported()
    {
        const QString in = picture();
        const QString out = path("never.jpg");
        const QStringList usage[] = {
            {in},
            {in, out, "--quality", "0"},
            {in, out, "--sampling", "5:1"},
            {in, out, "--sampling", "2:2", "--greyscale"},
            {in, out, "--comment", QString(65534, u'c')},
        };
        // A wrong command line is the tool's usage fault, never its password fault (2).
        for (const QStringList &args : usage) {
            QCOMPARE(run(args), 64);
            QVERIFY(!errors.isEmpty());
            QVERIFY(!QFile::exists(out));
        }

        // A hostile header is refused before anything is allocated or written.
        const QString ppm = path("hostile.ppm");
        writeFile(ppm, "P6 60000 60000 255\nabc");
        QCOMPARE(run({ppm, out}), 1);
        QVERIFY(errors.contains(ppm));
        QVERIFY2(errors.contains("the file ends before the picture does"), qPrintable(errors));
        QVERIFY(!QFile::exists(out));

        const QString existing = path("existing.jpg");
        writeFile(existing, "keep");
        QCOMPARE(run({in, existing}), 1);
        QCOMPARE(readFile(existing), QByteArray("keep"));
    }
};

QTEST_GUILESS_MAIN(tst_jpegcommand)
#include "tst_jpegcommand.moc"
