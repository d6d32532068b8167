// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/RecoveryStore.h"

#include <QList>
#include <QPointer>

namespace quillery {

class Binder;
class RecoveryKeeper;

// The program's recovery snapshots: it gives each binder window its keeper and, when
// the program has to end at once, has every one written.
class RecoveryService
{
public:
    // delayMs: how long after the last change a snapshot is written; 0 keeps none.
    RecoveryService(const RecoveryStore &store, int delayMs) : m_store(store), m_delayMs(delayMs) {}

    const RecoveryStore &store() const { return m_store; }
    bool enabled() const { return m_delayMs > 0; }

    // Keeps snapshots of a binder just opened or made; nothing when it is kept already.
    void watch(Binder &binder);
    // Goes on keeping a recovered snapshot for the binder made from it.
    void adopt(Binder &binder, SnapshotFolder folder, bool workingCopyFromBinder);
    // Writes the snapshot of every changed binder now and keeps them all as they are.
    void writeAllAndKeep();

private:
    RecoveryStore m_store;
    int m_delayMs;
    QList<QPointer<RecoveryKeeper>> m_keepers;
};

} // namespace quillery
