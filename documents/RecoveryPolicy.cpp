// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/RecoveryPolicy.h"

#include "documents/EncryptedBinder.h"

namespace quillery {

bool mayKeepSnapshot(const Binder &binder)
{
    return !isEncrypted(binder);
}

} // namespace quillery
