// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/RecoveryPolicy.h"

namespace quillery {

bool mayKeepSnapshot(const Binder &)
{
    return true;
}

} // namespace quillery
