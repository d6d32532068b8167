// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/PageKind.h"

#include <QByteArrayView>

#include <optional>

namespace quillery {

// Page data whose format says where it ends: rich text (its braces balance), PNG, JPEG,
// GIF, BMP and RIFF files (WAVE sounds, WebP pictures). A binder that lost its directory
// still holds its pages back to back; these are the ones whose bounds can be found again.
struct RecognisedData
{
    qsizetype end = 0; // one past the last byte
    PageKind kind = PageKind::FILE;
};

// The data of a recognised format that starts at bytes[at] and ends inside bytes; none
// when no format starts there or it runs past the end.
std::optional<RecognisedData> recogniseData(QByteArrayView bytes, qsizetype at);

} // namespace quillery
