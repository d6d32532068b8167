// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/LumpArchive.h"

#include <QByteArray>
#include <QList>

#include <utility>

namespace quillery::test {

using NamedLumps = QList<std::pair<QByteArray, LumpData>>;

// An archive ready to be written, holding the lumps in order.
LumpArchive archiveOf(const NamedLumps &lumps, const QByteArray &header = "QLY4");
// Writes an archive of the lumps to path.
void writeArchive(const QString &path, const NamedLumps &lumps);
// A number as the archive stores it: 32 bits, little-endian.
QByteArray le32(quint32 value);

} // namespace quillery::test
