// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

namespace quillery {

// The "general date" text of a moment: the user's short date and long time. Stored
// texts in this form are only shown, never parsed back.
QString generalDate(const QDateTime &when);

// The same text with the seconds carrying nine fractional digits, for texts that must
// tell apart moments within one second.
QString generalDatePrecise(const QDateTime &when, int nanoseconds);

} // namespace quillery
