// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

namespace quillery {

class JpegEncoder;

// The scanner window's choices that need no window.

// Settings key (section "Quillery") of the JPEG quality the window remembers.
inline constexpr char jpegQualityKey[] = "JPEGQuality";
constexpr int defaultJpegQuality = 75;

// The stored quality as the window's scroll bar can take it: 75 when missing
// or not a number, otherwise kept within 1 ... 100.
int jpegQualityFromSetting(const QVariant &stored);

// The sub-sampling list, in its order; entry 3 ("2:2  [Default]") is chosen
// at first.
QStringList subSamplingChoices();
constexpr int defaultSubSamplingChoice = 3;

// Applies a choice to the encoder: luminance H x V from the entry's first and
// third characters with chrominance 1 x 1, or one greyscale component.
void applySubSampling(JpegEncoder &jpeg, const QString &choice, bool greyscale);

// The file a page added to a binder of `pageCount` pages is encoded into, in the
// temporary folder.
QString scannedPageFile(const QString &tempFolder, int pageCount);

} // namespace quillery
