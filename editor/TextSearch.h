// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillery {

class RichTextBox;

// The editor's search: positions count characters of the box's Text from 0. Without
// matchCase, letters compare by their case-folded forms, so positions never shift.

// Where needle first occurs in haystack at or after from; -1 when it does not, or when
// needle is empty.
qsizetype findText(QStringView haystack, QStringView needle, qsizetype from, bool matchCase);

bool sameText(QStringView a, QStringView b, bool matchCase);

// Replaces every occurrence of find in the box in one pass from the start, never
// searching inside a replacement, as one undo step. Returns how many were replaced.
int replaceEvery(RichTextBox &box, const QString &find, const QString &replacement, bool matchCase);

} // namespace quillery
