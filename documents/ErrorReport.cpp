// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/ErrorReport.h"

#include "platform/Dialogs.h"

namespace quillery {

void reportFileError(Dialogs &dialogs, const QString &title, const QString &lead,
                     const QString &name, const FileError &error)
{
    dialogs.fileError(title, lead, name, error);
}

} // namespace quillery
