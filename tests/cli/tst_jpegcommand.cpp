// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/ImageTestTools.h"

#include "cli/JpegCommand.h"

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
        const QString path = dir.filePath(QStringLiteral("picture.") + format);
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
            const QString out = path(QStringLiteral("from-%1.jpg").arg(format));
            QCOMPARE(run({in, out}), 0);
            const Decoded decoded = djpeg(out);
            QVERIFY2(decoded.ok, qPrintable(decoded.errors));
            QCOMPARE(decoded.image.size(), QSize(37, 21));
        }
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
