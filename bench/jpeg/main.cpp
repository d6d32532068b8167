// SPDX-License-Identifier: GPL-3.0-or-later
// Whole commands side by side: quillery-cli jpeg with optimised Huffman tables against
// libjpeg-turbo's cjpeg -optimize, and quillery-cli jpeg --fast (standard tables) against
// plain cjpeg, each started as a process reading the same PPM or BMP file, at 2x2 and 1x1
// sampling and quality 75 and 90, with wall time, processor time, system time and peak
// memory; the pictures are a 16-megapixel landscape of mostly smooth blocks and 12- and
// 16-megapixel pictures of fine detail everywhere. With --instructions, each command is
// also run once under valgrind's callgrind, whose instruction count does not depend on what
// else the machine is doing. Then the in-process encoder, and the size and fidelity of the
// files at quality 75, 2x2.
// Usage: bench_jpeg [--instructions] [runs] [quillery-cli]
#include "CommandMeasure.h"
#include "Pictures.h"

#include "images/DibFile.h"
#include "images/JpegEncoder.h"
#include "images/JpegTables.h"
#include "images/Picture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace quillery;

namespace {

bool writePpm(const Picture &image, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QByteArray("P6\n") + QByteArray::number(image.width()) + ' ' +
               QByteArray::number(image.height()) + "\n255\n");
    std::vector<char> rgb(3 * std::size_t(image.width()));
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t *bgr = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            rgb[3 * x] = char(bgr[3 * x + 2]);
            rgb[3 * x + 1] = char(bgr[3 * x + 1]);
            rgb[3 * x + 2] = char(bgr[3 * x]);
        }
        file.write(rgb.data(), qint64(rgb.size()));
    }
    return true;
}

// cjpeg's -qtables file with the tables JpegEncoder uses at this quality.
bool writeTables(int quality, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (int t = 0; t < 2; ++t) {
        const jpeg::QuantTable table = jpeg::quantTable(t, quality);
        for (int i = 0; i < 64; ++i)
            file.write(QByteArray::number(table.entries[jpeg::zigZag[i]]) +
                       (i % 8 == 7 ? "\n" : " "));
        file.write("\n");
    }
    return true;
}

bool run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program),
                     process.readAllStandardError().constData());
        return false;
    }
    return true;
}

// PSNR over all samples of a decoded file against the source picture.
double psnr(const Picture &source, const QString &jpegPath, const QString &ppmPath)
{
    if (!run(QStringLiteral("djpeg"), {QStringLiteral("-outfile"), ppmPath, jpegPath}))
        return 0;
    QFile file(ppmPath);
    file.open(QIODevice::ReadOnly);
    const QByteArray data = file.readAll();
    const int width = source.width();
    const int height = source.height();
    const std::size_t samples = 3 * std::size_t(width) * height;
    const char *pixels = data.constData() + (data.size() - qsizetype(samples));
    double squares = 0;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t *bgr = source.scanLine(y);
        const auto *rgb =
            reinterpret_cast<const std::uint8_t *>(pixels) + 3 * std::size_t(y) * width;
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < 3; ++c) {
                const double d = double(rgb[3 * x + c]) - bgr[3 * x + 2 - c];
                squares += d * d;
            }
        }
    }
    return 10 * std::log10(255.0 * 255.0 / (squares / double(samples)));
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Figures
{
    double seconds = 0; // medians
    double cpuSeconds = 0;
    double systemSeconds = 0;
    double peakMb = 0;       // largest
    double instructions = 0; // one run, when counted
};

using Command = std::pair<QString, QStringList>;

// Runs each command `runs` times, taking turns, after removing its output.
std::vector<Figures> compare(const std::vector<Command> &commands,
                             const std::vector<QString> &outputs, int runs, bool countInstructions)
{
    std::vector<std::vector<double>> times(commands.size());
    std::vector<std::vector<double>> cpuTimes(commands.size());
    std::vector<std::vector<double>> systemTimes(commands.size());
    std::vector<Figures> figures(commands.size());
    for (int i = 0; i < runs; ++i) {
        for (std::size_t c = 0; c < commands.size(); ++c) {
            QFile::remove(outputs[c]);
            const Measured m = measure(commands[c].first, commands[c].second);
            if (!m.ok) {
                std::fprintf(stderr, "bench_jpeg: %s failed\n", qPrintable(commands[c].first));
                std::exit(1);
            }
            times[c].push_back(m.seconds);
            cpuTimes[c].push_back(m.cpuSeconds);
            systemTimes[c].push_back(m.systemSeconds);
            figures[c].peakMb = std::max(figures[c].peakMb, m.peakMb);
        }
    }
    for (std::size_t c = 0; c < commands.size(); ++c) {
        figures[c].seconds = median(times[c]);
        figures[c].cpuSeconds = median(cpuTimes[c]);
        figures[c].systemSeconds = median(systemTimes[c]);
        if (countInstructions) {
            QFile::remove(outputs[c]);
            figures[c].instructions = instructions(commands[c].first, commands[c].second);
        }
    }
    return figures;
}

// The load averages over the last 1, 5 and 15 minutes.
QByteArray loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return "unknown";
    const QList<QByteArray> fields = file.readAll().split(' ');
    return fields.size() >= 3 ? fields[0] + ' ' + fields[1] + ' ' + fields[2] : "unknown";
}

struct PictureSize
{
    const char *name;
    int width;
    int height;
};

constexpr PictureSize pictures[] = {
    {"landscape", 4896, 3264},
    {"detail", 4000, 3000},
    {"detail", 4896, 3264},
};

Picture makePicture(const PictureSize &p, int index)
{
    return std::strcmp(p.name, "landscape") == 0
               ? bench::landscapePicture(p.width, p.height)
               : bench::detailedPicture(p.width, p.height, std::uint32_t(index));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    const bool countInstructions = args.removeAll(QStringLiteral("--instructions")) > 0;
    const int runs = args.isEmpty() ? 5 : args.takeFirst().toInt();
    const QString cli =
        args.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/../quillery-cli")
                       : args.takeFirst();
    if (runs < 1 || !QFileInfo(cli).isExecutable()) {
        std::fprintf(stderr, "usage: bench_jpeg [--instructions] [runs] [quillery-cli]\n");
        return 1;
    }
    const QString cjpeg = QStandardPaths::findExecutable(QStringLiteral("cjpeg"));
    if (cjpeg.isEmpty())
        std::printf("cjpeg is not installed (Debian: libjpeg-turbo-progs); only quillery-cli "
                    "is measured\n");

    QTemporaryDir dir;
    const QString ppm = dir.filePath(QStringLiteral("source.ppm"));
    const QString bmp = dir.filePath(QStringLiteral("source.bmp"));
    const QString ours = dir.filePath(QStringLiteral("quillery.jpg"));
    const QString theirs = dir.filePath(QStringLiteral("cjpeg.jpg"));

    std::printf("%d processors; load average (1, 5, 15 minutes) at the start: %s\n",
                QThread::idealThreadCount(), loadAverage().constData());
    std::printf("median of %d runs each, the commands taking turns; peak memory is the largest "
                "of the runs\n",
                runs);
    // What the tool costs before it does anything: loading its libraries.
    std::vector<double> idleTimes;
    double idlePeak = 0;
    for (int i = 0; i < runs; ++i) {
        const Measured idle = measure(cli, {});
        idleTimes.push_back(idle.seconds);
        idlePeak = std::max(idlePeak, idle.peakMb);
    }
    std::printf("%s started without a command: %.3f s, %.1f MB\n\n", qPrintable(cli),
                median(idleTimes), idlePeak);
    std::printf("%-32s %14s %6s %14s %6s %13s %15s", "picture input sampling q tables",
                "wall s ours cj", "speed", "cpu s ours cj", "speed", "sys s ours cj",
                "peak MB ours cj");
    if (countInstructions)
        std::printf(" %17s", "G instr. ours cj");
    std::printf("\n");

    bool allMet = true;
    Picture landscape;
    for (std::size_t p = 0; p < std::size(pictures); ++p) {
        const PictureSize &picture = pictures[p];
        {
            Picture image = makePicture(picture, int(p));
            if (!writePpm(image, ppm) || !saveDibFile(image, bmp))
                return 1;
            if (p == 0)
                landscape = std::move(image);
        }
        const QString name = QStringLiteral("%1 %2MP")
                                 .arg(QLatin1String(picture.name))
                                 .arg(std::lround(double(picture.width) * picture.height / 1e6));
        for (const QString &input : {ppm, bmp}) {
            for (const char *sampling : {"2:2", "1:1"}) {
                for (int quality : {75, 90}) {
                    const QString q = QString::number(quality);
                    const QStringList ourOptions{QStringLiteral("--quality"), q,
                                                 QStringLiteral("--sampling"),
                                                 QString::fromLatin1(sampling)};
                    const QStringList cjpegOptions{
                        QStringLiteral("-quality"),
                        q,
                        QStringLiteral("-sample"),
                        QString::fromLatin1(sampling).replace(u':', u'x'),
                        QStringLiteral("-outfile"),
                        theirs,
                        input};
                    // Optimised tables beside cjpeg -optimize, then standard tables (--fast)
                    // beside plain cjpeg.
                    std::vector<Command> commands{
                        {cli, QStringList{QStringLiteral("jpeg"), input, ours} + ourOptions},
                        {cli, QStringList{QStringLiteral("jpeg"), input, ours,
                                          QStringLiteral("--fast")} +
                                  ourOptions}};
                    std::vector<QString> outputs{ours, ours};
                    if (!cjpeg.isEmpty()) {
                        commands.push_back(
                            {cjpeg, QStringList{QStringLiteral("-optimize")} + cjpegOptions});
                        commands.push_back({cjpeg, cjpegOptions});
                        outputs.push_back(theirs);
                        outputs.push_back(theirs);
                    }
                    const std::vector<Figures> f =
                        compare(commands, outputs, runs, countInstructions);
                    for (int fast = 0; fast < 2; ++fast) {
                        const Figures &o = f[fast];
                        const Figures &c = f.size() > 2 ? f[2 + fast] : Figures{};
                        const QString label =
                            QStringLiteral("%1 %2 %3 q%4 %5")
                                .arg(name, QFileInfo(input).suffix(), QLatin1String(sampling))
                                .arg(quality)
                                .arg(QLatin1String(fast ? "fast" : "opt"));
                        const double speed = c.seconds / o.seconds;
                        const bool met = f.size() > 2 && speed >= (fast ? 1.0 : 1.4) &&
                                         (!fast || o.peakMb <= c.peakMb);
                        allMet = allMet && met;
                        std::printf("%-32s %6.3f %6.3f %5.2fx %6.3f %6.3f %5.2fx %6.3f %6.3f "
                                    "%7.1f %7.1f",
                                    qPrintable(label), o.seconds, c.seconds, speed, o.cpuSeconds,
                                    c.cpuSeconds, c.cpuSeconds / o.cpuSeconds, o.systemSeconds,
                                    c.systemSeconds, o.peakMb, c.peakMb);
                        if (countInstructions)
                            std::printf(" %6.2f %6.2f %3.2fx", o.instructions / 1e9,
                                        c.instructions / 1e9, c.instructions / o.instructions);
                        std::printf("  %s\n", met ? "ok" : "MISSED");
                    }
                    std::fflush(stdout);
                }
            }
        }
    }
    std::printf("targets (wall time cjpeg's / ours): opt >= 1.40 beside cjpeg -optimize; fast "
                ">= 1.00 beside plain cjpeg at no more peak memory: %s\n",
                allMet ? "all met" : "NOT ALL MET");
    std::printf("load average at the end: %s\n\n", loadAverage().constData());

    // The encoder alone, in this process, on the picture already in memory.
    const int width = landscape.width();
    const int height = landscape.height();
    std::vector<double> encoderTimes;
    for (int i = 0; i < runs; ++i) {
        QFile::remove(ours);
        QElapsedTimer timer;
        timer.start();
        JpegEncoder jpeg;
        if (jpeg.sampleAndSave(landscape, width, height, 0, 0, ours) != 0)
            return 1;
        encoderTimes.push_back(timer.nsecsElapsed() / 1e9);
    }
    const double encoder = median(encoderTimes);
    std::printf("in-process encoder, landscape, q75 2x2, picture in memory: %.3f s (%.1f MP/s)\n",
                encoder, double(width) * height / 1e6 / encoder);
    if (cjpeg.isEmpty())
        return allMet ? 0 : 2;

    if (!writePpm(landscape, ppm))
        return 1;
    const QStringList cjpegOptions{QStringLiteral("-dct"), QStringLiteral("float"),
                                   QStringLiteral("-optimize"), QStringLiteral("-sample"),
                                   QStringLiteral("2x2")};
    QFile::remove(theirs);
    if (!run(cjpeg, QStringList(cjpegOptions) << QStringLiteral("-quality") << QStringLiteral("75")
                                              << QStringLiteral("-outfile") << theirs << ppm))
        return 1;
    // The same with the quantization tables JpegEncoder uses, which round their
    // entries differently: this compares the encoders alone.
    const QString tables = dir.filePath(QStringLiteral("tables.txt"));
    const QString sameTables = dir.filePath(QStringLiteral("cjpeg-same-tables.jpg"));
    if (!writeTables(75, tables) ||
        !run(cjpeg, QStringList(cjpegOptions)
                        << QStringLiteral("-qtables") << tables << QStringLiteral("-qslots")
                        << QStringLiteral("0,1,1") << QStringLiteral("-outfile") << sameTables
                        << ppm))
        return 1;

    const qint64 ourSize = QFileInfo(ours).size();
    const qint64 theirSize = QFileInfo(theirs).size();
    const qint64 sameSize = QFileInfo(sameTables).size();
    const QString decoded = dir.filePath(QStringLiteral("decoded.ppm"));
    const double ourPsnr = psnr(landscape, ours, decoded);
    const double theirPsnr = psnr(landscape, theirs, decoded);
    const double samePsnr = psnr(landscape, sameTables, decoded);
    std::printf("files at q75 2x2: quillery %lld bytes PSNR %.2f dB, cjpeg %lld bytes PSNR %.2f "
                "dB (size %+.2f %%, PSNR %+.2f dB)\n",
                static_cast<long long>(ourSize), ourPsnr, static_cast<long long>(theirSize),
                theirPsnr, 100.0 * (double(ourSize) / double(theirSize) - 1), ourPsnr - theirPsnr);
    std::printf("cjpeg with quillery's tables   %9lld bytes  PSNR %.2f dB  (quillery: size %+.2f "
                "%%, PSNR %+.2f dB)\n",
                static_cast<long long>(sameSize), samePsnr,
                100.0 * (double(ourSize) / double(sameSize) - 1), ourPsnr - samePsnr);
    return allMet ? 0 : 2;
}
