// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

namespace quillery {

// The character a named reference of HTML 4 (or &apos;) stands for, given its name
// without & and ;, or 0 for a name HTML does not know.
char32_t htmlEntity(QByteArrayView name);

} // namespace quillery
