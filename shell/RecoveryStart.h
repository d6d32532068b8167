// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quillery {

class MainWindow;
class RecoveryService;
struct SnapshotEntry;

// Offers the snapshots of binders an earlier run left unsaved in the "Recover Unsaved
// Work" window, when there are any. What was skipped in the recovery folder is shown
// there, or printed when there is nothing to offer.
void offerRecovery(MainWindow &window, RecoveryService &service);
// Opens a snapshot's binder in a window that goes on keeping the snapshot; false when
// it could not be recovered (the user has been told) or the password was not given.
bool recoverSnapshot(MainWindow &window, RecoveryService &service, const SnapshotEntry &entry);
// Ends the program at once, asking nothing: the snapshot of every changed binder is
// written and kept, and every binder file and its companion files are let go.
void endWithoutAsking(MainWindow &window, RecoveryService &service);

} // namespace quillery
