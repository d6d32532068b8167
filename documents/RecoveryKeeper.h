// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/RecoveryCapture.h"
#include "documents/RecoveryStore.h"
#include "documents/UnsavedEdit.h"

#include <QFuture>
#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <optional>

namespace quillery {

class Binder;

// Keeps the recovery snapshot of one binder window: a while after the last change it
// takes what the snapshot needs (a moment's work) and has it written on a background
// thread, so that typing, page switching and saving never wait for the disk. Once the
// binder has no unsaved changes left (saved, or closed without saving) the snapshot is
// removed. Lives as a child of its binder.
class RecoveryKeeper : public QObject
{
    Q_OBJECT
public:
    // delayMs 0 writes no snapshot, but still removes an adopted one at the end.
    // workingCopyFromBinder: the binder's working copy was just read from its file, as it
    // is after opening. adopted: the folder of a recovered snapshot this window goes on
    // keeping.
    RecoveryKeeper(Binder &binder, const RecoveryStore &store, int delayMs,
                   bool workingCopyFromBinder, SnapshotFolder adopted = {});
    ~RecoveryKeeper() override;

    static RecoveryKeeper *of(const Binder &binder);

    // The editor's unsaved text while it has any; null once it is saved into the binder,
    // discarded or closed.
    void setUnsavedEdit(UnsavedEdit *edit);
    // Something changed: the snapshot is written a delay after the last call.
    void noteChange();
    // Writes the snapshot now when one is needed, waits for every write, and from then on
    // neither writes nor removes it: the program ends without asking the user anything.
    void writeNowAndKeep();
    void waitForWrites();
    // A save has turned the binder file to its new pages and is about to erase the bytes
    // it replaced where they lie, which the snapshot may read pages from: the snapshot is
    // removed first, and written anew a moment later while one is still needed.
    void letGoOfBinderBytes();

    QString folder() const { return m_folder.path(); }
    // Why the last write failed; empty after a success.
    const QString &lastError() const { return m_lastError; }

Q_SIGNALS:
    void snapshotWritten();
    void snapshotRemoved();

private:
    bool needed() const;
    void settle();
    void startWrite();
    void writeFinished();
    void removeSnapshot();
    SnapshotFolder takeFolder();
    std::optional<SnapshotCapture> capture(std::optional<EditedPage> edit);

    Binder &m_binder;
    const RecoveryStore &m_store;
    QTimer m_timer;
    QPointer<UnsavedEdit> m_edit;
    SnapshotFolder m_folder;
    std::optional<FileIdentity> m_readWorkingCopy; // the working copy as read from the binder
    std::optional<FileIdentity> m_readBinder;      // and the binder file it was read from
    QFutureWatcher<QString> m_writing;
    QFuture<QString> m_lastJob;
    bool m_writeAgain = false;
    bool m_kept = false;
    QString m_lastError;
};

} // namespace quillery
