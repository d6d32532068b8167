// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quillery {

class Binder;

// Whether a binder's unsaved state may be kept as a recovery snapshot. A snapshot holds
// the binder's pages as plain files under the user's state folder: a binder whose
// content must never lie on disk unprotected is refused here, and then none is written.
bool mayKeepSnapshot(const Binder &binder);

} // namespace quillery
