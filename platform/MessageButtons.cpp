// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MessageButtons.h"

namespace quillery {

QList<MsgResult> buttonResults(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok:
        return {MsgResult::Ok};
    case MsgButtons::OkCancel:
        return {MsgResult::Ok, MsgResult::Cancel};
    case MsgButtons::YesNo:
    case MsgButtons::YesNoDefaultNo:
        return {MsgResult::Yes, MsgResult::No};
    case MsgButtons::YesNoCancel:
        return {MsgResult::Yes, MsgResult::No, MsgResult::Cancel};
    case MsgButtons::RetryCancel:
        return {MsgResult::Retry, MsgResult::Cancel};
    }
    return {MsgResult::Ok};
}

MsgResult defaultResult(MsgButtons buttons)
{
    return buttons == MsgButtons::YesNoDefaultNo ? MsgResult::No : buttonResults(buttons).first();
}

} // namespace quillery
