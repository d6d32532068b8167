// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/ImageTestTools.h"

#include "cli/JpegCommand.h"
#include "images/DibFile.h"
#include "images/JpegEncoder.h"
#include "images/PictureFile.h"

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
