// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// A test program that uses these stands in for the calls that change a file (write, pwrite,
// copy_file_range, fallocate, fdatasync): a forked child can die just before a chosen call or
// half way through it, as a killed program would, and fallocate can refuse to make holes.
namespace quillery::test::savefaults {

// Steps left before the one that dies, two for each call: dying before it and dying half
// way through it. Negative: nothing dies.
extern long stepsBeforeDeath;
// The error fallocate gives when asked for a hole, as on file systems without them
// (EOPNOTSUPP) or failing outright (EIO); 0 makes holes.
extern int holeError;

constexpr int ChildKilled = 9;
constexpr int ChildSaved = 10;
constexpr int ChildRefused = 11;

// Runs work in a forked child that dies at the given step. Returns ChildKilled, ChildSaved or
// ChildRefused as work returned true or false, or -1 when the child ended otherwise or hung.
int runDyingAt(long step, const std::function<bool()> &work);

} // namespace quillery::test::savefaults
