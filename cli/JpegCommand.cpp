// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/JpegCommand.h"

#include "cli/ExitCodes.h"
#include "images/JpegEncoder.h"
#include "images/JpegError.h"
#include "images/PictureFile.h"
#include "images/RawPicture.h"

#include <QTextStream>

#include <memory>
#include <optional>

namespace quillery::cli {

namespace {

const char usage[] = "usage: quillery-cli jpeg IN OUT.jpg [--quality N] "
                     "[--sampling H:V | --greyscale] [--comment TEXT]\n";

struct Options
{
    QString input;
    QString output;
    int quality = 75;
    int h = 2;
    int v = 2;
    bool greyscale = false;
    QString comment;
};

std::optional<int> number(const QString &text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

// Reads the arguments; on a mistake writes why and returns nothing.
std::optional<Options> parse(const QStringList &args, QTextStream &errors)
{
    Options options;
    QStringList files;
    bool sampling = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == QLatin1String("--quality")) {
            const auto quality = hasValue ? number(args[++i], 1, 100) : std::nullopt;
            if (!quality) {
                errors << "quillery-cli jpeg: --quality takes a number from 1 to 100\n";
                return std::nullopt;
            }
            options.quality = *quality;
        } else if (arg == QLatin1String("--sampling")) {
            const QStringList parts = hasValue ? args[++i].split(QLatin1Char(':')) : QStringList();
            const auto h = parts.size() == 2 ? number(parts[0], 1, 4) : std::nullopt;
            const auto v = parts.size() == 2 ? number(parts[1], 1, 4) : std::nullopt;
            if (!h || !v) {
                errors << "quillery-cli jpeg: --sampling takes H:V, each from 1 to 4\n";
                return std::nullopt;
            }
            options.h = *h;
            options.v = *v;
            sampling = true;
        } else if (arg == QLatin1String("--greyscale")) {
            options.greyscale = true;
        } else if (arg == QLatin1String("--comment")) {
            if (!hasValue) {
                errors << "quillery-cli jpeg: --comment takes a text\n";
                return std::nullopt;
            }
            options.comment = args[++i];
        } else if (arg.startsWith(QLatin1String("--"))) {
            errors << "quillery-cli jpeg: unknown option " << arg << '\n' << usage;
            return std::nullopt;
        } else {
            files << arg;
        }
    }
    if (files.size() != 2 || files[0].isEmpty() || files[1].isEmpty()) {
        errors << usage;
        return std::nullopt;
    }
    if (sampling && options.greyscale) {
        errors << "quillery-cli jpeg: --sampling and --greyscale exclude each other\n";
        return std::nullopt;
    }
    options.input = files[0];
    options.output = files[1];
    return options;
}

} // namespace

int runJpeg(const QStringList &args, QTextStream &errors)
{
    const std::optional<Options> options = parse(args, errors);
    if (!options)
        return ExitUsage;

    JpegEncoder jpeg;
    try {
        jpeg.setComment(options->comment);
    } catch (const JpegError &) {
        errors << "quillery-cli jpeg: the comment is too long (at most 65533 bytes)\n";
        return ExitUsage;
    }

    const auto cannotRead = [&](const QString &problem) {
        errors << "quillery-cli jpeg: " << options->input << ": cannot read the picture ("
               << problem << ")\n";
        return ExitFailed;
    };
    QString problem;
    const std::unique_ptr<PixelRows> rows = openPictureRows(options->input, problem);
    if (!rows)
        return cannotRead(problem);

    try {
        jpeg.setQuality(options->quality);
        if (options->greyscale)
            jpeg.setSamplingFactors(1, 1, 0, 0, 0, 0);
        else
            jpeg.setSamplingFactors(options->h, options->v, 1, 1, 1, 1);
        switch (jpeg.sampleAndSave(*rows, options->output)) {
        case 2:
            errors << "quillery-cli jpeg: " << options->output << ": the file exists\n";
            return ExitFailed;
        case 3:
            errors << "quillery-cli jpeg: " << options->input
                   << ": the picture is too large (at most 65535 pixels a side)\n";
            return ExitFailed;
        }
    } catch (const JpegError &e) {
        errors << "quillery-cli jpeg: " << options->output << ": "
               << QString::fromLocal8Bit(e.what()) << '\n';
        return ExitFailed;
    } catch (const PictureDamaged &e) {
        return cannotRead(QString::fromLocal8Bit(e.what));
    }
    return ExitOk;
}

int runJpeg(const QStringList &args)
{
    QTextStream errors(stderr);
    return runJpeg(args, errors);
}

} // namespace quillery::cli
