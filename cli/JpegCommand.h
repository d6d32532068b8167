// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QTextStream;

namespace quillery::cli {

// The jpeg command (see JpegTool.h) for any picture Qt can read: pictures of
// kinds the encoder does not read itself go through Qt's readers. Messages go
// to stderr (or `errors`).
int runJpeg(const QStringList &args);
int runJpeg(const QStringList &args, QTextStream &errors);

} // namespace quillery::cli
