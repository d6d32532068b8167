// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

namespace quillery {

// The name of a reference is what follows its & up to the first byte that is neither an
// ASCII letter nor a digit (a # may come first), and at most MaxReferenceName bytes.
constexpr qsizetype MaxReferenceName = 32;

inline bool continuesReferenceName(char c, qsizetype nameSize)
{
    const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    return nameSize < MaxReferenceName && (alnum || (c == '#' && nameSize == 0));
}

// The character a reference stands for, given its name without & and ;: a number
// (#233, #xE9) or a name of HTML 4 (or apos). 0 when it is no reference.
char32_t htmlReference(QByteArrayView name);

} // namespace quillery
