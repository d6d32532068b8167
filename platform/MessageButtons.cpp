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
        return {MsgResult::Yes, MsgResult::No};
    case MsgButtons::YesNoCancel:
        return {MsgResult::Yes, MsgResult::No, MsgResult::Cancel};
    case MsgButtons::RetryCancel:
        return {MsgResult::Retry, MsgResult::Cancel};
    }
    return {MsgResult::Ok};
}

} // namespace quillery
