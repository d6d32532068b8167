// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QProcess;

namespace quillery {

// Starts a private X server in server and returns its display, ":N"; empty when it could not
// start.
QString startPrivateXvfb(QProcess &server);

} // namespace quillery
