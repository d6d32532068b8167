// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quillery::cli {

// Exit codes of the tool, as its usage and manual page list them.
enum ExitCode {
    ExitOk = 0,
    ExitFailed = 1,   // an error, or faults found by check
    ExitPassword = 2, // the binder is protected and no (or a wrong) password was given
    ExitUsage = 64,
};

} // namespace quillery::cli
