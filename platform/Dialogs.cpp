// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Dialogs.h"

#include "platform/FileError.h"

namespace quillery {

void Dialogs::fileError(const QString &title, const QString &lead, const QString &name,
                        const FileError &error)
{
    message(MsgIcon::Critical, MsgButtons::Ok, title,
            lead + name + QStringLiteral("' - ") + error.description() + QStringLiteral(", ") +
                QString::number(error.number()));
}

} // namespace quillery
