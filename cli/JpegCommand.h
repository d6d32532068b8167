// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QTextStream;

namespace quillery::cli {

// quillery-cli jpeg IN OUT.jpg [--quality N] [--sampling H:V | --greyscale] [--comment TEXT]
// Encodes any picture Qt can read as a baseline JPEG file; never replaces an
// existing file. `args` are the words after "jpeg". Returns the tool's exit code:
// ExitOk, ExitFailed when the picture cannot be read or the file cannot be written,
// ExitUsage for a wrong command line; messages go to stderr (or `errors`).
int runJpeg(const QStringList &args);
int runJpeg(const QStringList &args, QTextStream &errors);

} // namespace quillery::cli
