// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/Picture.h"
#include "platform_ui/SaneFrames.h"
#include "platform_ui/ScannerAccess.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace quillery;

namespace {

SaneFrame frame(SANE_Frame format, int depth, int width, int lines, int bytesPerLine,
                const QByteArray &data, bool last = true)
{
    return {{format, last, bytesPerLine, width, lines, depth}, data};
}

QByteArray samples16(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int v : values) {
        const auto sample = std::uint16_t(v);
        bytes.append(reinterpret_cast<const char *>(&sample), 2);
    }
    return bytes;
}

RgbQuad grey(int level)
{
    return {std::uint8_t(level), std::uint8_t(level), std::uint8_t(level), 0};
}

} // namespace

class tst_scanneraccess : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private Q_SLOTS:
    void initTestCase()
    {
        // Only SANE's test backend, with its two virtual devices.
        test::writeFile(dir.filePath(QStringLiteral("sane/dll.conf")), "test\n");
        qputenv("SANE_CONFIG_DIR", QFile::encodeName(dir.filePath(QStringLiteral("sane"))));
    }

    void cleanup() { setScannerChooser({}); }

    void selectionGoesThroughTheChooser()
    {
        QList<ScannerDevice> offered;
        int offeredCurrent = -2;
        int answer = 1;
        setScannerChooser([&](QWidget *, const QList<ScannerDevice> &sources, int current) {
            offered = sources;
            offeredCurrent = current;
            return answer;
        });
        QCOMPARE(chooseScanner(nullptr), 1);
        QCOMPARE(offered.size(), 2);
        QCOMPARE(offered[1].name, QStringLiteral("test:1"));

        // The choice is offered again next time; cancelling keeps it.
        answer = -1;
        QCOMPARE(chooseScanner(nullptr), 0);
        QCOMPARE(offeredCurrent, 1);
        answer = 0;
        QCOMPARE(chooseScanner(nullptr), 1);
    }

    void greyFramesBecomeGreyBitmaps()
    {
        // Line art: SANE's 1 bits are black; lines are padded to bytes.
        Picture art = imageFromSaneFrames({frame(
            SANE_FRAME_GRAY, 1, 10, 2, 2, test::bytesOf({0b10100000, 0b01000000, 0x00, 0xFF}))});
        QCOMPARE(art.depth(), 1);
        QCOMPARE(art.pixel(0, 0), grey(0));
        QCOMPARE(art.pixel(1, 0), grey(255));
        QCOMPARE(art.pixel(9, 0), grey(0));
        QCOMPARE(art.pixel(0, 1), grey(255));

        // 16-bit samples in the machine's byte order keep their high byte.
        const Picture deep =
            imageFromSaneFrames({frame(SANE_FRAME_GRAY, 16, 2, 1, 4, samples16({0x12FF, 0xAB00}))});
        QCOMPARE(deep.pixel(0, 0), grey(0x12));
        QCOMPARE(deep.pixel(1, 0), grey(0xAB));
    }

    void colourFramesBecome24BitBitmaps()
    {
        const Picture rgb = imageFromSaneFrames(
            {frame(SANE_FRAME_RGB, 8, 2, 1, 8, test::bytesOf({1, 2, 3, 4, 5, 6, 0, 0}))});
        QCOMPARE(rgb.depth(), 24);
        QCOMPARE(rgb.pixel(0, 0), (RgbQuad{3, 2, 1, 0}));
        QCOMPARE(rgb.pixel(1, 0), (RgbQuad{6, 5, 4, 0}));

        // Three-pass: a frame per colour, in any order.
        const Picture passes =
            imageFromSaneFrames({frame(SANE_FRAME_BLUE, 8, 2, 1, 2, test::bytesOf({30, 31}), false),
                                 frame(SANE_FRAME_RED, 8, 2, 1, 2, test::bytesOf({10, 11}), false),
                                 frame(SANE_FRAME_GREEN, 8, 2, 1, 2, test::bytesOf({20, 21}))});
        QCOMPARE(passes.pixel(0, 0), (RgbQuad{30, 20, 10, 0}));
        QCOMPARE(passes.pixel(1, 0), (RgbQuad{31, 21, 11, 0}));

        // A hand scanner does not know its height: whole lines count.
        const Picture hand = imageFromSaneFrames(
            {frame(SANE_FRAME_RGB, 8, 1, -1, 3, test::bytesOf({1, 2, 3, 4, 5, 6, 7}))});
        QCOMPARE(hand.height(), 2);
    }

    void unusableFramesGiveNoBitmap()
    {
        QVERIFY(
            imageFromSaneFrames({frame(SANE_FRAME_RGB, 1, 8, 1, 3, QByteArray(3, 0))}).isNull());
        QVERIFY(imageFromSaneFrames({frame(SANE_FRAME_RED, 8, 2, 1, 2, QByteArray(2, 0), false),
                                     frame(SANE_FRAME_GREEN, 8, 3, 1, 3, QByteArray(3, 0))})
                    .isNull());
        QVERIFY(imageFromSaneFrames({frame(SANE_FRAME_GRAY, 8, 4, 3, 4, QByteArray())}).isNull());
    }

    // A device's figures are multiplied in 64 bits: a width whose line size wraps around
    // in an int must not pass for a short line.
    void hostileFrameSizesAreRefused()
    {
        QVERIFY(
            imageFromSaneFrames({frame(SANE_FRAME_GRAY, 16, 0x10000001, 1, 16, QByteArray(16, 0))})
                .isNull());
        QVERIFY(imageFromSaneFrames({frame(SANE_FRAME_GRAY, 1, 0x7fffffff, 1, 1, QByteArray(1, 0))})
                    .isNull());
        std::vector<SaneFrame> tooMany(MaxSaneFrames + 1,
                                       frame(SANE_FRAME_GRAY, 8, 1, 1, 1, QByteArray(1, 0)));
        QVERIFY(imageFromSaneFrames(tooMany).isNull());
        QVERIFY(saneFrameHasRoom(MaxSaneFrameBytes - 10, 10));
        QVERIFY(!saneFrameHasRoom(MaxSaneFrameBytes - 10, 11));
        QVERIFY(!saneFrameHasRoom(0, -1));
    }
};

QTEST_GUILESS_MAIN(tst_scanneraccess)
#include "tst_scanneraccess.moc"
