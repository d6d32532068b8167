// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWebEngineProfile;

namespace quillery {

// WebRTC's peer connections open sockets of their own, past every request check, and send
// to any server a page names; a document has no use for them. A link to javascript: runs
// script when clicked, and the viewer follows no such link. So every frame of the profile's
// pages loses peer connections and the use of such links before a page's script can reach
// it.
void guardFrames(QWebEngineProfile *profile);

} // namespace quillery
