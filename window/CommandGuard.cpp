// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/CommandGuard.h"

#include "platform/Cancelled.h"
#include "platform/Dialogs.h"
#include "platform/FileError.h"
#include <QCoreApplication>

namespace quillery {

namespace {

void say(Dialogs &dialogs, const QString &text)
{
    dialogs.message(MsgIcon::Critical, MsgButtons::Ok,
                    QCoreApplication::translate("CommandGuard", "Quillery"), text);
}

} // namespace

void guarded(Dialogs &dialogs, const std::function<void()> &command)
{
    try {
        command();
    } catch (const Cancelled &) {
    } catch (const FileError &error) {
        say(dialogs, error.description() + QStringLiteral(", ") + QString::number(error.number()));
    } catch (const std::exception &error) {
        say(dialogs, QString::fromLocal8Bit(error.what()));
    } catch (...) {
        say(dialogs,
            QCoreApplication::translate("CommandGuard",
                                        "The command failed for a reason Quillery does not know."));
    }
}

} // namespace quillery
