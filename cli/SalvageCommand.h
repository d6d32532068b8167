// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace quillery::cli {

class CliSession;

// "salvage DAMAGED OUT.qly": writes the pages a damaged binder still holds into a new
// binder, naming on standard error each page it could not save. ExitFailed when pages
// were lost (OUT is written all the same) or nothing could be saved (no OUT). An
// encrypted binder gives what its sound chunks hold, with its passphrase.
int salvageFile(CliSession &session, const QStringList &args);

} // namespace quillery::cli
