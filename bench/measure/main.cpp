// SPDX-License-Identifier: GPL-3.0-or-later
// Runs one command and prints "ok seconds cpu-seconds system-seconds peak-MB" for it:
// whether it exited with 0, its wall time, the processor time it used (user and system),
// the part of that spent in the kernel, and its peak resident memory.
// The kernel carries a process's peak memory over into a program it starts, so other
// benchmarks, which hold large pictures themselves, start their commands through this
// small program to measure them alone.
// Usage: bench_measure PROGRAM [ARGUMENT...]

#include <cstdio>
#include <ctime>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double seconds(const timeval &t)
{
    return double(t.tv_sec) + double(t.tv_usec) / 1e6;
}

double since(const timespec &start)
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec - start.tv_sec) + double(now.tv_nsec - start.tv_nsec) / 1e9;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_measure PROGRAM [ARGUMENT...]\n");
        return 64;
    }
    timespec start{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    pid_t pid = 0;
    int status = 0;
    rusage usage{};
    if (posix_spawn(&pid, argv[1], nullptr, nullptr, argv + 1, environ) != 0 ||
        wait4(pid, &status, 0, &usage) != pid) {
        std::printf("0 0 0 0 0\n");
        return 1;
    }
    const double wall = since(start);
    const bool ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    std::printf("%d %.6f %.6f %.6f %.3f\n", ok ? 1 : 0, wall,
                seconds(usage.ru_utime) + seconds(usage.ru_stime), seconds(usage.ru_stime),
                double(usage.ru_maxrss) / 1024);
    return 0;
}
