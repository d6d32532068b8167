// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/ClipInfo.h"

#include <QByteArray>
#include <QVector>

#include <optional>

namespace quillery {

// Pages dragged to a binder window of another instance of the program travel as this MIME
// type: for each page, what the page clipboard keeps of it (a ClipInfo line) and its bytes.
inline const QString PagesMimeType = QStringLiteral("application/x-quillery-pages");
// Pages of an encrypted binder are offered only as this type, which carries nothing: a
// window of this instance takes them from the drag itself, and no other program gets them.
inline const QString LocalPagesMimeType = QStringLiteral("application/x-quillery-local-pages");

struct TransferredPage
{
    ClipInfo info;
    QByteArray data;
};

// A first line naming the format, then for each page a line "INFO-BYTES DATA-BYTES" and
// the two parts.
QByteArray encodePages(const QVector<TransferredPage> &pages);
// No value when the bytes are not that format throughout; every count is checked against
// the bytes that are there before anything is taken.
std::optional<QVector<TransferredPage>> decodePages(const QByteArray &bytes);

} // namespace quillery
