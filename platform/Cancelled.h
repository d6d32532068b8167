// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quillery {

// Thrown when the person declines what an operation needs from them (a password, a
// passphrase): the operation stops, leaving things as they were, and nobody is told of
// an error. It is not a std::exception, so handlers of real failures let it pass.
struct Cancelled
{
};

} // namespace quillery
