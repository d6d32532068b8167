// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

namespace quillery {

// The "general date" text kept in a page's records, such as "8 Dec 2026 14:31:58 UTC":
// one form in every language, locale and time zone, so that a binder saved anywhere holds
// the same bytes and another user's program can show the moment in their own terms.
QString generalDate(const QDateTime &when);

// A moment as the user reads it: their locale's short date and long time, in their time
// zone.
QString localDate(const QDateTime &when);

// A stored general date text as the user reads it. A text in any other form (written by
// an older program in some locale's terms, or "Never") is shown as stored, never guessed
// at; "Never" in the user's language.
QString shownDate(const QString &stored);

// The user's general date with the seconds carrying nine fractional digits, for texts that
// must tell apart moments within one second.
QString generalDatePrecise(const QDateTime &when, int nanoseconds);

} // namespace quillery
