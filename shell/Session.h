#pragma once

#include "platform/TempFolder.h"
#include "shell/InstanceLock.h"

#include <QString>

#include <memory>

namespace quillery {

class BinderUi;
class Dialogs;
class Settings;
class Workspace;

// What lives from start-up to shut-down besides the windows: the settings, the dialogs
// and window hooks, the temporary folder with this instance's hold on it, and the
// workspace every binder procedure shares. Start-up fills in the folder and the
// workspace; shut-down lets go of them.
struct Session
{
    Session(Settings &settings, Dialogs &dialogs, BinderUi &ui,
            const QString &tempPath = TempFolder::defaultPath());
    ~Session();

    Settings &settings;
    Dialogs &dialogs;
    BinderUi &ui;
    const QString tempPath;

    std::unique_ptr<TempFolder> temp;
    InstanceLock instances;
    std::unique_ptr<Workspace> workspace;

    // The temporary folder in use; empty before start-up has made it.
    QString TmpF() const { return temp ? temp->path() : QString(); }
};

} // namespace quillery
