// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/Interaction.h"

#include "documents/PassphrasePrompt.h"
#include "documents/Password.h"

namespace quillery {

void Interaction::askPassword(PasswordPrompt &prompt)
{
    prompt.cancel();
}

void Interaction::askPassphrase(PassphrasePrompt &prompt)
{
    prompt.cancel();
}

} // namespace quillery
