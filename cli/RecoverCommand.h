// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace quillery::cli {

class CliSession;

// "recover --list": one line per snapshot that may be recovered; "recover SNAPSHOT
// OUT.qly": writes a snapshot out as a binder, never replacing a file.
int recoverCommand(CliSession &session, const QStringList &args);

} // namespace quillery::cli
