// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

namespace quillery {

// The address a host as written stands for, when it spells one: IPv6, with or without
// brackets, and IPv4 in every spelling the system's resolver reads (127.1, 0x7f.1,
// 2130706433, 0177.0.0.1).
std::optional<QHostAddress> spelledAddress(const QString &host);

// Whether an address is on the public internet: not loopback, private, link-local, unique
// local, shared (carrier-grade NAT), multicast, broadcast, unspecified, reserved, for
// documentation or benchmarking; an IPv6 address carrying an IPv4 one (mapped, compatible,
// NAT64, 6to4) is judged by that one.
bool isPublicAddress(const QHostAddress &address);

// The addresses of a host name; none when it has none.
using Resolver = std::function<QList<QHostAddress>(const QString &name)>;

// The addresses a page's request for a host may be sent to: the one it spells, or all that
// the resolver gives for it, when every one is public; none otherwise. "localhost", the
// names under it and names without a dot (which the local network's own domains answer)
// are never looked up.
QList<QHostAddress> addressesToConnect(const QString &host, const Resolver &resolve);

// Whether a host as written, before any lookup, stands for this computer or a network that
// is not the internet: a local name, or an address that is not public.
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
