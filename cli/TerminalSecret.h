// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace quillery::cli {

// Asks at the controlling terminal for a line that is not shown as it is typed. No value
// when the tool has no terminal or the input ends.
std::optional<QString> readSecretFromTerminal(const QString &prompt);

} // namespace quillery::cli
