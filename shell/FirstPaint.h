// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace quillery {

// Runs work once, just after the first binder window has been painted, in the order given:
// for what start-up should do but the first paint does not need.
void afterFirstPaint(std::function<void()> work);

} // namespace quillery
