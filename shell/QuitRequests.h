// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace quillery {

// Turns the requests from outside to end the program now, without asking the user
// anything, into one call on the interface thread: SIGTERM and SIGHUP (what a logout or
// a shutdown sends) and the session manager's request to save before the session ends.
// The signal handler only writes a byte into a pipe; the rest runs in the event loop.
// One object at a time.
class QuitRequests : public QObject
{
    Q_OBJECT
public:
    explicit QuitRequests(std::function<void()> quit, QObject *parent = nullptr);
    ~QuitRequests() override;

private:
    void received();

    std::function<void()> m_quit;
    QSocketNotifier *m_notifier = nullptr;
    bool m_quitting = false;
};

} // namespace quillery
