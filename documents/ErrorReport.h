// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillery {

class Dialogs;
class FileError;

// Shows a failed file operation the way every command reports one: a critical-stop box
// titled with the operation, saying lead + name + "' - " + description + ", " + number.
void reportFileError(Dialogs &dialogs, const QString &title, const QString &lead,
                     const QString &name, const FileError &error);

} // namespace quillery
