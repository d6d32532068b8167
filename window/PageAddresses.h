// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

namespace quillery {

// Whether a host name stands for this computer or its local network: "localhost" and the
// names under it, and loopback, private (RFC 1918, fc00::/7), link-local and unspecified
// addresses, also when an IPv6 address carries an IPv4 one.
bool isLocalNetworkHost(const QString &host);

// Whether a page in the viewer may load an address: anything it fetches, sends or opens in a
// frame. Its own content comes through the page scheme, what it builds itself through
// about:blank, data: and blob:; the web only when online and never this computer or its
// local network.
bool pageMayLoad(const QUrl &url, bool offline);

// Where a link the user follows from a page leads.
enum class LinkTarget {
    Web,          // an http or https address the browser may show
    Offline,      // one that leads off this computer while working offline
    LocalNetwork, // this computer or its local network
    OtherProgram, // an address for some other program (mail, file shares), if one is installed
    Never,        // the browser's own, local files, script, or the page's own resources
};
LinkTarget linkTarget(const QUrl &url, bool offline);

// The name of the desktop's default program for addresses of a scheme; empty when none.
QString programForScheme(const QString &scheme);

// An address as the user is shown it when asked about it: in ASCII, so nothing in it can
// pass for something else, and cut short when very long.
QString shownAddress(const QUrl &url);

} // namespace quillery
