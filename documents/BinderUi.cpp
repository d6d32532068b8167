#include "documents/BinderUi.h"

#include "documents/Password.h"

namespace quillery {

void BinderUi::askPassword(PasswordPrompt &prompt)
{
    prompt.cancel();
}

} // namespace quillery
