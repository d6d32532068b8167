// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/JpegTool.h"

#include "cli/ExitCodes.h"
#include "images/JpegError.h"
#include "images/JpegFile.h"
#include "images/RawPictureRows.h"

#include <optional>
#include <string>

namespace quillery::cli {

namespace {

const char usage[] = "usage: quillery-cli jpeg IN OUT.jpg [--quality N] "
                     "[--sampling H:V | --greyscale] [--comment TEXT] [--fast]\n";

struct Options
{
    std::string input;
    std::string output;
    int quality = 75;
    int h = 2;
    int v = 2;
    bool greyscale = false;
    std::string comment;
    bool fast = false;
};

// A whole number from low to high (at most four digits), or nothing.
std::optional<int> number(const std::string &text, int low, int high)
{
    const std::size_t start = !text.empty() && text[0] == '+' ? 1 : 0;
    if (text.size() == start || text.size() - start > 4)
        return std::nullopt;
    int value = 0;
    for (std::size_t i = start; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

// Reads the arguments; on a mistake writes why and returns nothing.
std::optional<Options> parse(const std::vector<std::string> &args, std::string &errors)
{
    Options options;
    std::vector<std::string> files;
    bool sampling = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--quality") {
            const auto quality = hasValue ? number(args[++i], 1, 100) : std::nullopt;
            if (!quality) {
                errors += "quillery-cli jpeg: --quality takes a number from 1 to 100\n";
                return std::nullopt;
            }
            options.quality = *quality;
        } else if (arg == "--sampling") {
            const std::string value = hasValue ? args[++i] : std::string();
            const std::size_t colon = value.find(':');
            const auto h =
                colon != std::string::npos ? number(value.substr(0, colon), 1, 4) : std::nullopt;
            const auto v =
                colon != std::string::npos ? number(value.substr(colon + 1), 1, 4) : std::nullopt;
            if (!h || !v) {
                errors += "quillery-cli jpeg: --sampling takes H:V, each from 1 to 4\n";
                return std::nullopt;
            }
            options.h = *h;
            options.v = *v;
            sampling = true;
        } else if (arg == "--greyscale") {
            options.greyscale = true;
        } else if (arg == "--fast") {
            options.fast = true;
        } else if (arg == "--comment") {
            if (!hasValue) {
                errors += "quillery-cli jpeg: --comment takes a text\n";
                return std::nullopt;
            }
            options.comment = args[++i];
        } else if (arg.rfind("--", 0) == 0) {
            errors += "quillery-cli jpeg: unknown option " + arg + '\n' + usage;
            return std::nullopt;
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2 || files[0].empty() || files[1].empty()) {
        errors += usage;
        return std::nullopt;
    }
    if (sampling && options.greyscale) {
        errors += "quillery-cli jpeg: --sampling and --greyscale exclude each other\n";
        return std::nullopt;
    }
    if (options.comment.size() > std::size_t(jpeg::maxCommentBytes)) {
        errors += "quillery-cli jpeg: the comment is too long (at most " +
                  std::to_string(jpeg::maxCommentBytes) + " bytes)\n";
        return std::nullopt;
    }
    options.input = files[0];
    options.output = files[1];
    return options;
}

} // namespace

int runJpeg(const std::vector<std::string> &args, std::string &errors,
            const OtherPictures &otherPictures)
{
    const std::optional<Options> options = parse(args, errors);
    if (!options)
        return ExitUsage;

    const auto cannotRead = [&](const std::string &problem) {
        errors += "quillery-cli jpeg: " + options->input + ": cannot read the picture (" + problem +
                  ")\n";
        return ExitFailed;
    };
    try {
        std::unique_ptr<PixelRows> rows = openRawPictureRows(options->input);
        std::string problem;
        if (!rows)
            rows = otherPictures(options->input, problem);
        if (!rows)
            return cannotRead(problem);

        jpeg::Settings settings;
        settings.tables = {jpeg::quantTable(0, options->quality),
                           jpeg::quantTable(1, options->quality)};
        if (options->greyscale)
            settings.sampling = {{1, 1}};
        else
            settings.sampling = {{options->h, options->v}, {1, 1}, {1, 1}};
        settings.comment = options->comment;
        if (options->fast)
            settings.huffmanTables = jpeg::HuffmanTables::Standard;
        switch (jpeg::saveNewJpeg(*rows, settings, options->output)) {
        case 2:
            errors += "quillery-cli jpeg: " + options->output + ": the file exists\n";
            return ExitFailed;
        case 3:
            errors += "quillery-cli jpeg: " + options->input +
                      ": the picture is too large (at most " + std::to_string(jpeg::maxDimension) +
                      " pixels a side)\n";
            return ExitFailed;
        }
    } catch (const JpegError &e) {
        errors += "quillery-cli jpeg: " + options->output + ": " + e.what() + '\n';
        return ExitFailed;
    } catch (const PictureDamaged &e) {
        return cannotRead(e.what);
    }
    return ExitOk;
}

} // namespace quillery::cli
