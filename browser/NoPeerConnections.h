// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWebEngineProfile;

namespace quillery {

// WebRTC's peer connections open sockets of their own, past every request check, and send
// to any server a page names. A document has no use for them, so the profile's pages lose
// them in every frame before a page's script can reach it.
void withoutPeerConnections(QWebEngineProfile *profile);

} // namespace quillery
