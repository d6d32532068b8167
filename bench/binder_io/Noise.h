// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillery::bench {

// Writes size bytes that neither compress nor repeat, made quickly, to a new file at path
// (replacing what is there). Throws FileError when it cannot.
void writeNoise(const QString &path, qint64 size);

} // namespace quillery::bench
