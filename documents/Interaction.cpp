#include "documents/Interaction.h"

#include "documents/Password.h"

namespace quillery {

void Interaction::askPassword(PasswordPrompt &prompt)
{
    prompt.cancel();
}

} // namespace quillery
