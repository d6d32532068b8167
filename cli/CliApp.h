// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quillery::cli {

// Runs the command-line tool; returns the process exit code.
int run(int argc, char *argv[]);

} // namespace quillery::cli
