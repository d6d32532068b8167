// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/WindowUi.h"

#include "window/PasswordDialogs.h"
#include "window/ProgressWindow.h"

#include <QApplication>
#include <QEventLoop>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <exception>

namespace quillery {

namespace {

// Holds back socket notices (file watchers, processes, pipes) for as long as it lives. The
// GLib event loop ignores ExcludeSocketNotifiers, so each notifier that fires is switched
// off, and on again at the end, when it fires again if its file still has news.
class SocketNoticeHold : public QObject
{
public:
    SocketNoticeHold() { QCoreApplication::instance()->installEventFilter(this); }
    ~SocketNoticeHold() override
    {
        QCoreApplication::instance()->removeEventFilter(this);
        for (const QPointer<QSocketNotifier> &notifier : std::as_const(m_held)) {
            if (notifier)
                notifier->setEnabled(true);
        }
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *notifier =
            event->type() == QEvent::SockAct ? qobject_cast<QSocketNotifier *>(watched) : nullptr;
        if (!notifier)
            return false;
        notifier->setEnabled(false);
        m_held.append(notifier);
        return true;
    }

private:
    QList<QPointer<QSocketNotifier>> m_held;
};

} // namespace

WindowUi::WindowUi(Hooks hooks) : m_hooks(std::move(hooks))
{
}

WindowUi::~WindowUi() = default;

void WindowUi::setBusy(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void WindowUi::beginProgress(const QString &caption, int maximum, bool cancellable)
{
    if (!m_progress) {
        m_progress = std::make_unique<ProgressWindow>(m_hooks.parent ? m_hooks.parent() : nullptr);
        // Only Cancel can be pressed while a long loop runs.
        m_progress->setWindowModality(Qt::ApplicationModal);
    }
    ++m_progressDepth;
    m_progress->start(caption, maximum, cancellable);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WindowUi::setProgress(int value)
{
    if (m_progress)
        m_progress->setValue(value);
}

bool WindowUi::progressCancelled()
{
    return m_progress && m_progress->cancelled();
}

void WindowUi::endProgress()
{
    if (m_progress && --m_progressDepth <= 0) {
        m_progressDepth = 0;
        // Gone rather than hidden: a window manager may still hand the focus to a window
        // shown only for a moment, and a hidden window holding it takes every key after.
        m_progress.reset();
    }
}

void WindowUi::processEvents()
{
    // Long work calls this once per page; a few dozen times a second keeps the window
    // alive without making thousands of pages wait on the event loop.
    constexpr qint64 EventInterval = 30;
    if (m_sinceEvents.isValid() && !m_sinceEvents.hasExpired(EventInterval))
        return;
    QApplication::processEvents();
    m_sinceEvents.start();
}

void WindowUi::runInBackground(const QString &caption, const std::function<void()> &work)
{
    std::exception_ptr failure;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    QEventLoop waiting;
    QObject::connect(thread.get(), &QThread::finished, &waiting, &QEventLoop::quit);
    // A quick save would only flash a progress window.
    constexpr int ProgressDelayMs = 300;
    QTimer progressDelay;
    progressDelay.setSingleShot(true);
    bool progressShown = false;
    if (!caption.isEmpty()) {
        QObject::connect(&progressDelay, &QTimer::timeout, [&] {
            beginProgress(caption, 0, false);
            progressShown = true;
        });
        progressDelay.start(ProgressDelayMs);
    }
    const SocketNoticeHold notices;
    thread->start();
    // The windows are painted meanwhile, but no key, click or close request reaches them
    // and no file or process notice changes a binder while its file is being written:
    // both wait until the work is done.
    waiting.exec(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
    thread->wait();
    if (progressShown)
        endProgress();
    if (failure)
        std::rethrow_exception(failure);
}

void WindowUi::askPassword(PasswordPrompt &prompt)
{
    closeSplash();
    PasswordDialog dialog(prompt, m_hooks.parent ? m_hooks.parent() : nullptr);
    dialog.exec();
}

void WindowUi::askPassphrase(PassphrasePrompt &prompt)
{
    closeSplash();
    PassphraseDialog dialog(prompt, m_hooks.parent ? m_hooks.parent() : nullptr);
    dialog.exec();
}

void WindowUi::openCancelled()
{
    if (m_hooks.openCancelled)
        m_hooks.openCancelled();
}

void WindowUi::closeSplash()
{
    if (m_hooks.closeSplash)
        m_hooks.closeSplash();
}

void WindowUi::recordRecent(const QString &title, const QString &path)
{
    if (m_hooks.recordRecent)
        m_hooks.recordRecent(title, path);
}

} // namespace quillery
