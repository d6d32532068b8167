// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace quillery {

// The switches the web engine starts with: the user's own (from QTWEBENGINE_CHROMIUM_FLAGS,
// given) and the program's. The program's network limits come always, every request going
// through the proxy on this computer's proxyPort, whatever proxy the user named; with
// saveMemory also the switches that leave out what a viewer of documents does not need.
// Another switch the user gave keeps the user's value, and lists of features are extended,
// since the engine reads only the last list of each kind.
QByteArray engineFlags(const QByteArray &given, bool saveMemory, quint16 proxyPort);

} // namespace quillery
