// SPDX-License-Identifier: GPL-3.0-or-later
// The encoder's inner pieces: the reduced colour rows, the Huffman tables and the bit
// stream.
#include "images/ImageRows.h"
#include "images/JpegBuffer.h"
#include "images/JpegError.h"
#include "images/JpegHuffman.h"
#include "images/JpegSampling.h"
#include "images/JpegSymbolLog.h"
#include "images/JpegTables.h"
#include "images/JpegWriter.h"
#include "images/Resample.h"

#include "ImageTestTools.h"
#include "support/TestSupport.h"

#include <QTest>

#include <queue>
#include <random>

using namespace quillery;
using namespace quillery::jpeg;

namespace {

// Length of an optimal prefix code's output for these frequencies.
std::uint64_t huffmanCost(std::vector<std::uint64_t> frequencies)
{
    std::priority_queue<std::uint64_t, std::vector<std::uint64_t>, std::greater<>> queue(
        frequencies.begin(), frequencies.end());
    std::uint64_t cost = 0;
    while (queue.size() > 1) {
        const std::uint64_t a = queue.top();
        queue.pop();
        const std::uint64_t b = queue.top();
        queue.pop();
        cost += a + b;
        queue.push(a + b);
    }
    return cost;
}

// The sum of 2^-length over the table's codes, in units of 2^-16.
std::uint32_t kraftSum(const HuffmanTable &table)
{
    std::uint32_t sum = 0;
    for (int length = 1; length <= 16; ++length)
        sum += std::uint32_t(table.bits[length - 1]) << (16 - length);
    return sum;
}

// Blocks offered with a given budget for keeping symbols, so that what does
// not fit is made again.
class Budgeted : public BlockSource
{
public:
    Budgeted(BlockSource &source, std::size_t budget) : source_(source), budget_(budget) {}
    const std::int16_t *blockRows(int component, int first, int count) override
    {
        return source_.blockRows(component, first, count);
    }
    std::size_t symbolLogBudget() const override { return budget_; }

private:
    BlockSource &source_;
    std::size_t budget_;
};

QByteArray encoded(const Frame &frame, BlockSource &source, std::size_t budget)
{
    Budgeted blocks(source, budget);
    QByteArray file;
    writeJpeg(frame, blocks, {}, [&](const std::uint8_t *data, std::size_t size) {
        file.append(reinterpret_cast<const char *>(data), qsizetype(size));
    });
    return file;
}

// Target pixel (x, y) of an area average by its definition: the mean of the
// source bytes in its cell, rounded half up.
int cellMean(const std::vector<std::uint8_t> &source, int sourceWidth, int sourceHeight, int stepX,
             int stepY, int x, int y, int c)
{
    int sum = 0;
    int count = 0;
    for (int j = y * stepY; j < std::min(sourceHeight, (y + 1) * stepY); ++j)
        for (int i = x * stepX; i < std::min(sourceWidth, (x + 1) * stepX); ++i, ++count)
            sum += source[3 * (std::size_t(j) * sourceWidth + i) + c];
    return (2 * sum + count) / (2 * count);
}

} // namespace

class tst_jpegparts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void huffmanTablesAreOptimal()
    {
        std::mt19937 random(11);
        for (int round = 0; round < 50; ++round) {
            SymbolCounts counts{};
            std::vector<std::uint64_t> frequencies{1}; // the reserved symbol
            const int used = 1 + int(random() % 40);
            for (int i = 0; i < used; ++i) {
                const int symbol = int(random() % 162);
                if (counts[symbol] == 0) {
                    counts[symbol] = 1 + random() % 5000;
                    frequencies.push_back(counts[symbol]);
                }
            }
            const HuffmanTable table = optimalTable(counts, maxAcSymbol);
            // A complete code once the reserved code is put back; no code is
            // all 1 bits.
            const std::uint32_t spare = 65536 - kraftSum(table);
            QVERIFY(spare > 0 && (spare & (spare - 1)) == 0);
            const int reservedLength = 16 - std::countr_zero(spare);
            std::uint64_t cost = reservedLength;
            for (int s = 0; s < 256; ++s) {
                QCOMPARE(table.size[s] != 0, counts[s] != 0);
                cost += std::uint64_t(counts[s]) * table.size[s];
                if (table.size[s] != 0)
                    QVERIFY(table.code[s] != (1u << table.size[s]) - 1);
            }
            QCOMPARE(cost, huffmanCost(frequencies));
        }
    }

    void standardTablesCodeEverySymbol()
    {
        // Coded with fixed tables, any picture's symbols must all have codes: DC categories 0
        // to 11, end of block, sixteen zeros, and runs of up to 15 zeros before sizes 1 to 10.
        for (int t = 0; t < 2; ++t) {
            const HuffmanTable dc = standardDcTable(t);
            const HuffmanTable ac = standardAcTable(t);
            for (int category = 0; category <= 11; ++category)
                QVERIFY(dc.size[category] != 0);
            QVERIFY(ac.size[0x00] != 0 && ac.size[0xF0] != 0);
            for (int run = 0; run < 16; ++run)
                for (int size = 1; size <= 10; ++size)
                    QVERIFY2(ac.size[run << 4 | size] != 0, qPrintable(QString::number(t)));
            QCOMPARE(int(ac.values.size()), 162);
        }
        // A few codes as decoders know them.
        const auto codeOf = [](const HuffmanTable &table, int symbol) {
            return std::pair{int(table.size[symbol]), int(table.code[symbol])};
        };
        QCOMPARE(codeOf(standardDcTable(0), 0), std::pair(2, 0b00));
        QCOMPARE(codeOf(standardDcTable(0), 11), std::pair(9, 0b111111110));
        QCOMPARE(codeOf(standardDcTable(1), 11), std::pair(11, 0b11111111110));
        QCOMPARE(codeOf(standardAcTable(0), 0x00), std::pair(4, 0b1010));
        QCOMPARE(codeOf(standardAcTable(0), 0xF0), std::pair(11, 0b11111111001));
        QCOMPARE(codeOf(standardAcTable(0), 0xFA), std::pair(16, 0xFFFE));
        QCOMPARE(codeOf(standardAcTable(1), 0x00), std::pair(2, 0b00));
        QCOMPARE(codeOf(standardAcTable(1), 0xF0), std::pair(10, 0b1111111010));
    }

    void longCodesAreFoldedBackTo16Bits()
    {
        // Fibonacci frequencies make a code tree as deep as there are symbols.
        SymbolCounts counts{1, 1};
        for (int s = 2; s < 40; ++s)
            counts[s] = counts[s - 1] + counts[s - 2];
        const HuffmanTable table = optimalTable(counts, maxAcSymbol);
        QCOMPARE(*std::max_element(table.size.begin(), table.size.end()), 16);
        const std::uint32_t spare = 65536 - kraftSum(table);
        QVERIFY(spare > 0 && (spare & (spare - 1)) == 0);
    }

    void equalFrequenciesFavourLowerSymbols()
    {
        // The higher symbol is merged first, so it gets the longer code. (Counts of 1
        // would tie with the reserved symbol too and give the same table either way.)
        SymbolCounts counts{};
        counts[0] = 2;
        counts[1] = 2;
        const HuffmanTable table = optimalTable(counts, maxDcSymbol);
        QCOMPARE(table.values, (std::vector<std::uint8_t>{0, 1}));
        QCOMPARE(int(table.code[0]), 0);
        QCOMPARE(int(table.code[1]), 2);
    }

    void badHuffmanTables()
    {
        test::expectJpegError([] { optimalTable(SymbolCounts{}, maxAcSymbol); });
        std::array<std::uint8_t, 16> bits{};
        bits[1] = 2;
        test::expectJpegError([&] { codeTable(bits, {5, 5}, maxAcSymbol); });
        bits = {};
        bits[0] = 2; // the second code would be all 1 bits
        test::expectJpegError([&] { codeTable(bits, {1, 2}, maxAcSymbol); });
        bits = {};
        bits[15] = 255;
        bits[14] = 2;
        test::expectJpegError(
            [&] { codeTable(bits, std::vector<std::uint8_t>(257), maxAcSymbol); });
    }

    void areaAverageGivesEachCellsMean()
    {
        // Halving is done in whole numbers, some columns at a time: every
        // width up to past a few steps, odd and even heights, rows asked
        // for in any order.
        std::mt19937 random(5);
        for (const auto &[stepX, stepY] : {std::pair{2, 2}, {2, 1}, {1, 2}, {1, 1}, {3, 3}}) {
            for (int sourceWidth = 1; sourceWidth <= 41; ++sourceWidth) {
                for (int sourceHeight : {1, 4, 5}) {
                    std::vector<std::uint8_t> source(3 * std::size_t(sourceWidth) * sourceHeight);
                    for (std::uint8_t &b : source)
                        b = std::uint8_t(random());
                    const int width = (sourceWidth + stepX - 1) / stepX;
                    const int height = (sourceHeight + stepY - 1) / stepY;
                    AreaAverage average(sourceWidth, sourceHeight, stepX, stepY, width, height);
                    const auto sourceRow = [&](int j) {
                        return source.data() + 3 * std::size_t(j) * sourceWidth;
                    };
                    for (int y = height - 1; y >= 0; --y) {
                        const std::uint8_t *row = average.row(y, sourceRow);
                        for (int x = 0; x < width; ++x)
                            for (int c = 0; c < 3; ++c) {
                                const int expected = cellMean(source, sourceWidth, sourceHeight,
                                                              stepX, stepY, x, y, c);
                                // Thirds are summed in floats, within rounding.
                                QVERIFY2(std::abs(row[3 * x + c] - expected) <= (stepX == 3),
                                         qPrintable(QString::asprintf("%dx%d step %d:%d at %d,%d",
                                                                      sourceWidth, sourceHeight,
                                                                      stepX, stepY, x, y)));
                            }
                    }
                }
            }
        }
    }

    void keptSymbolsCodeTheSameFile_data()
    {
        QTest::addColumn<std::vector<Sampling>>("sampling");
        QTest::newRow("2x2, one scan") << std::vector<Sampling>{{2, 2}, {1, 1}, {1, 1}};
        QTest::newRow("1x1, one scan") << std::vector<Sampling>{{1, 1}, {1, 1}, {1, 1}};
        QTest::newRow("4x4, two scans") << std::vector<Sampling>{{4, 4}, {1, 1}, {1, 1}};
        QTest::newRow("greyscale") << std::vector<Sampling>{{1, 1}};
    }
    void keptSymbolsCodeTheSameFile()
    {
        // Odd sizes give partial MCUs and dummy blocks; the budgets end the kept symbols
        // nowhere, in the first row, part-way through each scan and after the last. The
        // rows of blocks a sampler makes again (shared reduced rows included) are the ones
        // made the first time, from a picture of 24 bits and one whose rows are converted
        // as read.
        QFETCH(std::vector<Sampling>, sampling);
        const std::array<QuantTable, 2> tables = {quantTable(0, 90), quantTable(1, 90)};
        for (int bitCount : {24, 8}) {
            const Picture picture = test::randomPicture(109, 77, bitCount);
            Frame frame;
            ImageRows rows(picture, 0, 0, picture.width(), picture.height());
            QVERIFY(sampleFrame(rows, sampling, tables, frame));
            StoredBlocks stored(frame);
            const QByteArray reference = encoded(frame, stored, 0);
            QVERIFY(reference.size() > 1000);
            FrameSampler sampler(rows, sampling, tables);
            for (std::size_t budget = 100; budget < std::size_t(8 * reference.size());
                 budget += 997) {
                QCOMPARE(encoded(frame, stored, budget), reference);
                if (budget % 5 == 0)
                    QCOMPARE(encoded(sampler.frame(), sampler, budget), reference);
            }
            QCOMPARE(encoded(frame, stored, std::size_t(1) << 24), reference);
            QCOMPARE(encoded(sampler.frame(), sampler, 0), reference);
        }
    }

    void bitStreamStuffsAndPads()
    {
        // A buffer of two bytes hands its bytes on in many small pieces.
        const auto written = [](std::initializer_list<std::pair<std::uint32_t, int>> pieces) {
            QByteArray bytes;
            JpegBuffer buffer(2, [&bytes](const std::uint8_t *data, std::size_t size) {
                bytes.append(reinterpret_cast<const char *>(data), qsizetype(size));
            });
            for (const auto &[value, count] : pieces)
                buffer.bits(value, count);
            buffer.flushBits();
            buffer.drain();
            return bytes;
        };
        // Unfinished bytes are filled with 1 bits.
        QCOMPARE(written({{0b101, 3}}), test::bytesOf({0xBF}));
        // A 0xFF byte, whether coded, made by the fill or inside a whole
        // word, is followed by 0x00.
        QCOMPARE(written({{0x7F, 7}}), test::bytesOf({0xFF, 0x00}));
        QCOMPARE(written({{0x12FF3456, 32}, {0xFF, 8}}),
                 test::bytesOf({0x12, 0xFF, 0x00, 0x34, 0x56, 0xFF, 0x00}));
    }

    void extraBitsLoggedLastAreReadBack()
    {
        // The last bits logged spill into a word of their own, which the log must hold.
        SymbolLog log(1 << 20);
        SymbolLog::Cursor at = log.cursor();
        for (int i = 0; i < 3; ++i)
            SymbolLog::putExtraBits(at, 0x7FFF, 15);
        log.moveTo(at);
        SymbolLogReader reader(log);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(reader.extraBits(15), 0x7FFFu);
    }
};

QTEST_GUILESS_MAIN(tst_jpegparts)
#include "tst_jpegparts.moc"
