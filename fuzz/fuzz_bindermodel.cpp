// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the binder model steps of tst_bindermodel from the fuzzer's bytes, three bytes a
// choice, for runs longer than the suite has time for: any step where the binder file is
// not the model's binder aborts with the steps that led there.

#include "BinderModelRun.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_bindermodel";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    size_t at = 0;
    const auto choose = [&](int n) {
        if (at + 3 > size)
            return 0;
        const uint32_t value =
            data[at] | uint32_t(data[at + 1]) << 8 | uint32_t(data[at + 2]) << 16;
        at += 3;
        return int(value % uint32_t(n));
    };
    const int steps = int(std::min<size_t>(size / 6, 400));
    const QString fault = quillery::test::runBinderModel(steps, choose);
    if (!fault.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(fault));
        std::abort();
    }
    return 0;
}
