// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillery {

class Dialogs;
class FileError;

// Reports a failed file operation the way every command reports one, through
// Dialogs::fileError: in a window, a critical-stop box titled with the operation, saying
// lead + name + "' - " + description + ", " + number.
void reportFileError(Dialogs &dialogs, const QString &title, const QString &lead,
                     const QString &name, const FileError &error);

} // namespace quillery
