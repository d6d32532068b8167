// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/TerminalSecret.h"

#include "platform/FileIo.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace quillery::cli {

namespace {

constexpr int MaxSecretBytes = 4096;

// Turns echo off for as long as it lives.
class EchoOff
{
public:
    explicit EchoOff(int fd) : m_fd(fd)
    {
        m_active = ::tcgetattr(fd, &m_saved) == 0;
        if (!m_active)
            return;
        struct termios quiet = m_saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        quiet.c_lflag |= ECHONL;
        ::tcsetattr(fd, TCSAFLUSH, &quiet);
    }
    ~EchoOff()
    {
        if (m_active)
            ::tcsetattr(m_fd, TCSAFLUSH, &m_saved);
    }
    EchoOff(const EchoOff &) = delete;
    EchoOff &operator=(const EchoOff &) = delete;

private:
    int m_fd;
    struct termios m_saved;
    bool m_active = false;
};

} // namespace

std::optional<QString> readSecretFromTerminal(const QString &prompt)
{
    UniqueFd tty(::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (!tty.valid())
        return std::nullopt;
    const QByteArray question = prompt.toLocal8Bit();
    if (::write(tty.get(), question.constData(), size_t(question.size())) < 0)
        return std::nullopt;
    const EchoOff quiet(tty.get());
    char line[MaxSecretBytes];
    int length = 0;
    bool ended = false;
    while (length < MaxSecretBytes) {
        const ssize_t n = ::read(tty.get(), line + length, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 || line[length] == '\n') {
            ended = n > 0;
            break;
        }
        ++length;
    }
    std::optional<QString> secret;
    if (ended)
        secret = QString::fromLocal8Bit(line, length);
    ::explicit_bzero(line, sizeof line);
    return secret;
}

} // namespace quillery::cli
