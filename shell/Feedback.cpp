// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Feedback.h"

#include "platform/Dialogs.h"
#include "shell/AppInfo.h"
#include <QCoreApplication>

namespace quillery {

void sendFeedback(Dialogs &dialogs, const std::function<bool(const QUrl &)> &openUrl)
{
    const QString address = AppInfo::feedbackAddress();
    if (openUrl(QUrl(address)))
        return;
    dialogs.message(MsgIcon::Exclamation, MsgButtons::Ok,
                    QCoreApplication::translate("Feedback", "Send Feedback"),
                    QCoreApplication::translate(
                        "Feedback", "Quillery could not start a web browser to open the page "
                                    "for feedback. Please open this address yourself:\n\n") +
                        address);
}

} // namespace quillery
