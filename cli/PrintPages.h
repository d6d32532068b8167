// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include <optional>

namespace quillery::cli {

class CliSession;

// quillery-cli print BINDER.qly OUT.pdf [--pages LIST]: the text pages laid out as
// printing does, each from a new sheet, into one PDF that never replaces a file.
int printBinder(CliSession &session, const QStringList &args);

// "2,5-7" as 1-based positions in order; no value when the list is malformed.
std::optional<QList<int>> parsePageList(const QString &list);

} // namespace quillery::cli
