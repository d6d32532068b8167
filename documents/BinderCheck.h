// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace quillery {

// Examines a binder file without opening it as a document and lists every fault found:
// a bad header or directory, lumps outside the file, a page count that does not match
// the lumps, unknown page kinds and missing records. An empty list means the file is
// sound.
QStringList checkBinder(const QString &path);

} // namespace quillery
