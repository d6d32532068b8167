// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ConsoleDialogs.h"

#include "platform/ConsoleText.h"
#include "platform/FileError.h"

#include <QTextStream>

namespace quillery {

MsgResult ConsoleDialogs::message(MsgIcon, MsgButtons buttons, const QString &title,
                                  const QString &text)
{
    QTextStream(stderr) << consoleText(title + QStringLiteral(": ") + text) << '\n';
    switch (buttons) {
    case MsgButtons::Ok:
        return MsgResult::Ok;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoDefaultNo:
        return MsgResult::No;
    default:
        return MsgResult::Cancel;
    }
}

void ConsoleDialogs::fileError(const QString &, const QString &, const QString &name,
                               const FileError &error)
{
    QTextStream(stderr) << consoleText(name + QStringLiteral(": ") + error.description()) << '\n';
}

} // namespace quillery
