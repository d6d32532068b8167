// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillery {

// A byte count with the locale's digit grouping and no decimals: 12345 gives "12,345".
QString sizeText(qint64 bytes);

} // namespace quillery
