// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/RecoveryService.h"

#include "documents/Binder.h"
#include "documents/RecoveryKeeper.h"

namespace quillery {

void RecoveryService::watch(Binder &binder)
{
    if (enabled() && !RecoveryKeeper::of(binder))
        m_keepers << new RecoveryKeeper(binder, m_store, m_delayMs, !binder.isChanged());
}

void RecoveryService::adopt(Binder &binder, SnapshotFolder folder, bool workingCopyFromBinder)
{
    // With snapshots turned off the recovered one is still kept until the binder is saved
    // or closed without saving.
    if (!RecoveryKeeper::of(binder))
        m_keepers << new RecoveryKeeper(binder, m_store, m_delayMs, workingCopyFromBinder,
                                        std::move(folder));
}

void RecoveryService::writeAllAndKeep()
{
    m_keepers.removeAll(nullptr);
    for (RecoveryKeeper *keeper : std::as_const(m_keepers))
        keeper->writeNowAndKeep();
}

} // namespace quillery
