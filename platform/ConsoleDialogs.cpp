// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ConsoleDialogs.h"

#include <QTextStream>

namespace quillery {

MsgResult ConsoleDialogs::message(MsgIcon, MsgButtons buttons, const QString &title,
                                  const QString &text)
{
    QTextStream(stderr) << title << ": " << text << '\n';
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

} // namespace quillery
