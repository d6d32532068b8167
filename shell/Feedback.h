// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>

#include <functional>

namespace quillery {

class Dialogs;

// Opens the project's page for problems and suggestions in the web browser. When no
// browser can be started, says so and gives the address, which the message lets the
// user copy.
void sendFeedback(Dialogs &dialogs, const std::function<bool(const QUrl &)> &openUrl);

} // namespace quillery
