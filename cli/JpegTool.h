// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quillery {
class PixelRows;
} // namespace quillery

namespace quillery::cli {

// Opens a picture of a kind the encoder's own reader does not read (see
// openRawPictureRows): its rows, or nothing with what is wrong in `problem`.
using OtherPictures =
    std::function<std::unique_ptr<PixelRows>(const std::string &fileName, std::string &problem)>;

// quillery-cli jpeg IN OUT.jpg [--quality N] [--sampling H:V | --greyscale] [--comment TEXT]
//                  [--fast]
// Encodes a picture as a baseline JPEG file, with Huffman tables optimised for it or, with
// --fast, the standard's example tables; never replaces an existing file.
// `args` are the words after "jpeg", as given. Returns the tool's exit code:
// ExitOk, ExitFailed when the picture cannot be read or the file cannot be
// written, ExitUsage for a wrong command line; messages go to `errors`. Uses
// no Qt, so that the tool can run it before loading Qt.
int runJpeg(const std::vector<std::string> &args, std::string &errors,
            const OtherPictures &otherPictures);

} // namespace quillery::cli
