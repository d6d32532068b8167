// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/QuitRequests.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace quillery {

namespace {

int wakePipe[2] = {-1, -1};
constexpr int QuitSignals[] = {SIGTERM, SIGHUP};

extern "C" void onQuitSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakePipe[1], &byte, 1);
    errno = saved;
}

void handleSignals(void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : QuitSignals)
        ::sigaction(signal, &action, nullptr);
}

} // namespace

QuitRequests::QuitRequests(std::function<void()> quit, QObject *parent)
    : QObject(parent), m_quit(std::move(quit))
{
    if (::pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) == 0) {
        m_notifier = new QSocketNotifier(wakePipe[0], QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &QuitRequests::received);
        handleSignals(onQuitSignal);
    } else {
        qWarning("SIGTERM and SIGHUP will end the program without saving its state");
    }
    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        connect(app, &QGuiApplication::commitDataRequest, this, &QuitRequests::received);
}

QuitRequests::~QuitRequests()
{
    if (!m_notifier)
        return;
    handleSignals(SIG_DFL);
    ::close(wakePipe[0]);
    ::close(wakePipe[1]);
    wakePipe[0] = wakePipe[1] = -1;
}

void QuitRequests::received()
{
    char bytes[64];
    while (m_notifier && ::read(wakePipe[0], bytes, sizeof bytes) > 0) {
    }
    if (m_quitting)
        return;
    m_quitting = true;
    m_quit();
}

} // namespace quillery
