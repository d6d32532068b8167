// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoadAverage.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace quillery::bench {

void printLoad(const char *when)
{
    double load[3] = {-1, -1, -1};
    ::getloadavg(load, 3);
    std::printf("load average %s: %.2f %.2f %.2f (%ld processors)\n", when, load[0], load[1],
                load[2], ::sysconf(_SC_NPROCESSORS_ONLN));
}

} // namespace quillery::bench
