// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/Interaction.h"

#include "documents/Password.h"

namespace quillery {

void Interaction::askPassword(PasswordPrompt &prompt)
{
    prompt.cancel();
}

} // namespace quillery
