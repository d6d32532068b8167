// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

namespace quillery::test {

// Runs a sequence of operations on a binder through the program's own code and on a model of
// it: adding, importing, deleting, moving, renaming and changing pages, undo and redo, saves
// (some of them cut short at a random call), reopening, encrypting and decrypting, and
// recovering from a snapshot. After each step a reader of the test's own checks the binder
// file against the model: each page's bytes, kind and name, and no byte of a replaced page or
// name left in the file. choose(n) gives the next choice, 0 to n - 1. Returns the first
// mismatch with the steps that led to it; empty when there was none.
QString runBinderModel(int steps, const std::function<int(int)> &choose);

} // namespace quillery::test
