// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace quillery {

// RTF of paragraphs of mixed formatting until it reaches about the given size. Paragraph n
// starts with "The quick brown fox jumps over the lazy dog n. Bold words", so a benchmark
// can find any paragraph by its number. Their count goes to paragraphs when given.
QByteArray richPage(qint64 bytes, int *paragraphs = nullptr);

} // namespace quillery
