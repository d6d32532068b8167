#include "shell/Session.h"

#include "documents/Workspace.h"

namespace quillery {

Session::Session(Settings &settings, Dialogs &dialogs, BinderUi &ui, const QString &tempPath)
    : settings(settings), dialogs(dialogs), ui(ui), tempPath(tempPath)
{
}

Session::~Session() = default;

} // namespace quillery
