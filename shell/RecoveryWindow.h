// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/RecoveryStore.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace quillery {

class Dialogs;

// The "Recover Unsaved Work" window: the snapshots left by a program that ended without
// saving, each with its binder, when it was taken, how many pages changed and whether
// the binder file changed on disk since. Recover opens the binder from the snapshot,
// Discard deletes the snapshot after asking once, Later closes the window and keeps
// every snapshot not acted on.
class RecoveryWindow : public QDialog
{
    Q_OBJECT
public:
    // recover opens a binder from the snapshot; true when it did, and the row goes.
    using RecoverCall = std::function<bool(const SnapshotEntry &entry)>;

    RecoveryWindow(Dialogs &dialogs, QVector<SnapshotEntry> entries, const QStringList &problems,
                   RecoverCall recover, QWidget *parent = nullptr);

    QTreeWidget *list() const { return m_list; }
    void recoverSelected();
    void discardSelected();

private:
    int selectedRow() const; // 0-based, -1 for none
    void removeRow(int row);

    Dialogs &m_dialogs;
    QVector<SnapshotEntry> m_entries;
    RecoverCall m_recover;
    QTreeWidget *m_list;
    QPushButton *m_recoverButton;
    QPushButton *m_discardButton;
};

} // namespace quillery
