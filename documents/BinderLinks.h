// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillery {

class Binder;

// Whether every name of the binder file (its hard links) is one this window keeps: the
// file's own name, the working copy its pages are read from, its shadow copy and the
// files of its recovery snapshot. Another window or instance that opened the binder
// read-only reads it through a link of its own and counts on the bytes it was shown
// staying as they are, so only then may a save erase bytes in place.
bool onlyThisWindowLinksTo(const Binder &binder, const QString &fileName);

} // namespace quillery
