// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/TempFolder.h"
#include "shell/InstanceLock.h"

#include <QString>

#include <memory>

namespace quillery {

class Dialogs;
class Settings;

// What start-up prepares for the whole run besides the windows, and shut-down lets go
// of: the temporary folder with this instance's hold on it, and the author name.
struct Session
{
    Session(Settings &settings, Dialogs &dialogs,
            const QString &tempPath = TempFolder::defaultPath())
        : settings(settings), dialogs(dialogs), tempPath(tempPath)
    {
    }

    Settings &settings;
    Dialogs &dialogs;
    const QString tempPath; // the folder wanted; temp is the one in use

    std::unique_ptr<TempFolder> temp;
    InstanceLock instances;
    QString authorName;
};

} // namespace quillery
