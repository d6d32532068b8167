// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ShellResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE names a global function, so it cannot be called inside the namespace.
static void initShellQrc()
{
    Q_INIT_RESOURCE(shell);
}

namespace quillery {

void initShellResources()
{
    static const bool done = (initShellQrc(), true);
    Q_UNUSED(done);
}

} // namespace quillery
