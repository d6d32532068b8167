// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/RecoveryKeeper.h"

#include "documents/Binder.h"
#include "platform/FileError.h"

#include <QPromise>
#include <QThreadPool>

#include <memory>

namespace quillery {

namespace {

// One thread writes every snapshot in the order asked, so that a removal never overtakes
// the write before it.
QThreadPool &writingThread()
{
    static QThreadPool *pool = [] {
        auto *p = new QThreadPool;
        p->setMaxThreadCount(1);
        return p;
    }();
    return *pool;
}

// Runs work on the writing thread; the future gives why it failed, empty on success.
QFuture<QString> inBackground(std::function<void()> work)
{
    auto promise = std::make_shared<QPromise<QString>>();
    QFuture<QString> future = promise->future();
    promise->start();
    writingThread().start([promise, work = std::move(work)] {
        QString error;
        try {
            work();
        } catch (const FileError &failure) {
            error = failure.description();
        } catch (const std::exception &failure) {
            error = QString::fromLocal8Bit(failure.what());
        }
        promise->addResult(error);
        promise->finish();
    });
    return future;
}

} // namespace

RecoveryKeeper::RecoveryKeeper(Binder &binder, const RecoveryStore &store, int delayMs,
                               bool workingCopyFromBinder, SnapshotFolder adopted)
    : QObject(&binder), m_binder(binder), m_store(store), m_folder(std::move(adopted))
{
    setObjectName(QStringLiteral("RecoveryKeeper"));
    if (workingCopyFromBinder && !binder.workingCopy().isEmpty()) {
        m_readWorkingCopy = FileIdentity::of(binder.workingCopy());
        m_readBinder = FileIdentity::of(binder.fileName());
    }
    m_timer.setSingleShot(true);
    m_timer.setInterval(delayMs);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryKeeper::startWrite);
    connect(&m_writing, &QFutureWatcher<QString>::finished, this, &RecoveryKeeper::writeFinished);
    connect(&binder, &Binder::edited, this, &RecoveryKeeper::noteChange);
    connect(&binder, &Binder::captionChanged, this, &RecoveryKeeper::noteChange);
    connect(&binder.pages(), &PageList::rowsSettled, this, &RecoveryKeeper::noteChange);
    connect(&binder.pages(), &PageList::dataChanged, this, &RecoveryKeeper::noteChange);
    connect(&binder, &Binder::changedChanged, this, &RecoveryKeeper::settle);
    noteChange();
}

RecoveryKeeper::~RecoveryKeeper()
{
    // The snapshot stays: a window that goes without being closed is a program that ends
    // without asking, and the user's work is in it.
    waitForWrites();
}

RecoveryKeeper *RecoveryKeeper::of(const Binder &binder)
{
    return binder.findChild<RecoveryKeeper *>(QString(), Qt::FindDirectChildrenOnly);
}

bool RecoveryKeeper::needed() const
{
    return m_binder.isChanged() || m_edit;
}

void RecoveryKeeper::setUnsavedEdit(UnsavedEdit *edit)
{
    if (edit != m_edit) {
        if (m_edit)
            disconnect(m_edit, nullptr, this, nullptr);
        m_edit = edit;
        if (edit)
            connect(edit, &UnsavedEdit::ready, this, &RecoveryKeeper::startWrite);
    }
    noteChange();
    settle();
}

void RecoveryKeeper::noteChange()
{
    if (!m_kept && m_timer.interval() > 0 && needed())
        m_timer.start();
}

void RecoveryKeeper::settle()
{
    if (m_kept || needed())
        return;
    m_timer.stop();
    m_writeAgain = false;
    removeSnapshot();
}

std::optional<SnapshotCapture> RecoveryKeeper::capture(std::optional<EditedPage> edit)
{
    if (!needed())
        return std::nullopt;
    if (!m_folder.isValid()) {
        try {
            m_folder = m_store.create();
        } catch (const FileError &error) {
            m_lastError = error.description();
            qWarning("No recovery snapshot can be kept: %s", qPrintable(m_lastError));
            return std::nullopt;
        }
    }
    const bool readFromBinder = m_readWorkingCopy &&
                                FileIdentity::of(m_binder.workingCopy()) == m_readWorkingCopy &&
                                FileIdentity::of(m_binder.fileName()) == m_readBinder;
    return captureSnapshot(m_binder, readFromBinder, std::move(edit));
}

void RecoveryKeeper::startWrite()
{
    if (m_kept)
        return;
    if (m_writing.isRunning()) {
        m_writeAgain = true;
        return;
    }
    std::optional<EditedPage> edit;
    if (m_edit) {
        // The editor's text is made between the event loop's turns; ready comes back here.
        edit = m_edit->made();
        if (!edit) {
            m_edit->make();
            return;
        }
    }
    std::optional<SnapshotCapture> taken = capture(std::move(edit));
    if (!taken)
        return;
    const QString folder = m_folder.path();
    m_lastJob =
        inBackground([folder, snapshot = std::move(*taken)] { writeSnapshot(folder, snapshot); });
    m_writing.setFuture(m_lastJob);
}

void RecoveryKeeper::writeFinished()
{
    m_lastError = m_writing.future().result();
    if (!m_lastError.isEmpty())
        qWarning("The recovery snapshot could not be written: %s", qPrintable(m_lastError));
    if (m_writeAgain) {
        m_writeAgain = false;
        startWrite();
        return;
    }
    if (m_lastError.isEmpty())
        Q_EMIT snapshotWritten();
}

SnapshotFolder RecoveryKeeper::takeFolder()
{
    SnapshotFolder folder = std::move(m_folder);
    m_folder = SnapshotFolder();
    return folder;
}

void RecoveryKeeper::removeSnapshot()
{
    if (!m_folder.isValid())
        return;
    auto folder = std::make_shared<SnapshotFolder>(takeFolder());
    m_lastJob = inBackground([folder] { folder->remove(); });
    Q_EMIT snapshotRemoved();
}

void RecoveryKeeper::letGoOfBinderBytes()
{
    waitForWrites();
    if (m_folder.isValid()) {
        takeFolder().remove();
        Q_EMIT snapshotRemoved();
    }
    // After the save, for the editor's text that the save did not take.
    QMetaObject::invokeMethod(this, &RecoveryKeeper::startWrite, Qt::QueuedConnection);
}

void RecoveryKeeper::writeNowAndKeep()
{
    m_timer.stop();
    waitForWrites();
    m_writeAgain = false;
    if (!m_kept && m_timer.interval() > 0) {
        if (std::optional<SnapshotCapture> taken =
                capture(m_edit ? std::optional(m_edit->makeNow()) : std::nullopt)) {
            m_lastError.clear();
            try {
                writeSnapshot(m_folder.path(), *taken);
            } catch (const FileError &error) {
                m_lastError = error.description();
            }
        }
    }
    m_kept = true;
}

void RecoveryKeeper::waitForWrites()
{
    m_lastJob.waitForFinished();
}

} // namespace quillery
