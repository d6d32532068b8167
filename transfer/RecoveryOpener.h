// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

namespace quillery {

class Binder;
struct SnapshotEntry;
class Workspace;

enum class RecoverPurpose {
    // A window that may save: the binder file is locked as when it is opened, and every
    // data file is linked or copied into the temporary folder, so that the snapshot can
    // go once the binder is saved.
    Window,
    // Writing the binder out elsewhere: pages are read where they lie, nothing is locked.
    Export,
};

struct RecoveredBinder
{
    std::unique_ptr<Binder> binder;
    bool workingCopyFromBinder = false; // its working copy was just read from its file
};

// Makes the binder a snapshot kept: its records and pages, marked changed, with a
// caption that says it was recovered. A snapshot of a password-protected binder asks
// for the password first. A binder file that changed on disk since is not taken as
// this binder's: saving asks first. Failures, and a cancelled password prompt, have been
// reported when no binder comes back; nothing is written anywhere.
RecoveredBinder recoverBinder(Workspace &workspace, const SnapshotEntry &entry,
                              RecoverPurpose purpose);

} // namespace quillery
