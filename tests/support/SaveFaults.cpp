// SPDX-License-Identifier: GPL-3.0-or-later
#include "SaveFaults.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quillery::test::savefaults {

long stepsBeforeDeath = -1;
int holeError = 0;

namespace {

enum class Fate { Lives, DiesBefore, DiesHalfWay };

Fate nextFate()
{
    const long step = stepsBeforeDeath;
    if (step < 0)
        return Fate::Lives;
    stepsBeforeDeath -= 2;
    return step == 0 ? Fate::DiesBefore : step == 1 ? Fate::DiesHalfWay : Fate::Lives;
}

// How much of a call that dies half way gets done: a disk writes a sector whole or not at
// all, so a write within one is never torn.
template <typename Length> Length halfOf(Length length)
{
    return length > 512 ? length / 2 : length;
}

template <typename Function> Function next(const char *name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

// Runs call with the whole length, or with none or half of it before dying.
template <typename Call> auto stepOrDie(size_t length, Call call)
{
    const Fate fate = nextFate();
    if (fate == Fate::Lives)
        return call(length);
    if (fate == Fate::DiesHalfWay)
        call(halfOf(length));
    ::_exit(ChildKilled);
}

} // namespace

int runDyingAt(long step, const std::function<bool()> &work)
{
    const pid_t child = ::fork();
    if (child == 0) {
        stepsBeforeDeath = step;
        const bool done = work();
        ::_exit(done ? ChildSaved : ChildRefused);
    }
    // A child that hangs (on a lock a thread of the parent held at the fork) is no answer.
    int status = 0;
    for (int waited = 0;; ++waited) {
        const pid_t ended = ::waitpid(child, &status, WNOHANG);
        if (ended == child)
            break;
        if (ended < 0 && errno != EINTR)
            return -1;
        if (waited == 10000) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return -1;
        }
        const timespec millisecond{0, 1000000};
        ::nanosleep(&millisecond, nullptr);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace quillery::test::savefaults

using namespace quillery::test::savefaults;

extern "C" {

ssize_t write(int fd, const void *data, size_t length)
{
    static const auto call = next<ssize_t (*)(int, const void *, size_t)>("write");
    return stepOrDie(length, [&](size_t n) { return call(fd, data, n); });
}

ssize_t pwrite(int fd, const void *data, size_t length, off_t offset)
{
    static const auto call = next<ssize_t (*)(int, const void *, size_t, off_t)>("pwrite");
    return stepOrDie(length, [&](size_t n) { return call(fd, data, n, offset); });
}

ssize_t copy_file_range(int in, off64_t *inOffset, int out, off64_t *outOffset, size_t length,
                        unsigned int flags)
{
    static const auto call =
        next<ssize_t (*)(int, off64_t *, int, off64_t *, size_t, unsigned)>("copy_file_range");
    return stepOrDie(length,
                     [&](size_t n) { return call(in, inOffset, out, outOffset, n, flags); });
}

int fallocate(int fd, int mode, off_t offset, off_t length)
{
    static const auto call = next<int (*)(int, int, off_t, off_t)>("fallocate");
    if (holeError != 0 && (mode & FALLOC_FL_PUNCH_HOLE)) {
        errno = holeError;
        return -1;
    }
    return stepOrDie(size_t(length), [&](size_t n) { return call(fd, mode, offset, off_t(n)); });
}

int fdatasync(int fd)
{
    static const auto call = next<int (*)(int)>("fdatasync");
    return stepOrDie(0, [&](size_t) { return call(fd); });
}

} // extern "C"
