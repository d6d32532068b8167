// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace quillery {

// Longest request or response head the page proxy reads, blank line included.
inline constexpr qsizetype LongestProxyHead = 64 * 1024;

// What the web engine asks the page proxy for, read from the head of its request.
struct ProxyRequest
{
    // CONNECT (https, and WebSockets): once connected, bytes go both ways unread.
    bool tunnel = false;
    // The host as the engine wrote it, without an IPv6 address's brackets.
    QString host;
    quint16 port = 0;
    // The value of Proxy-Authorization; empty when there is none.
    QByteArray authorization;
    // For a plain http request: the head to send the origin, in origin form, without the
    // headers meant for the proxy, and asking the origin to close the connection after it.
    QByteArray originHead;
};

// The request in a head that ends with its blank line; none when it is not a request the
// proxy serves (another scheme, user names in the address, a malformed line).
std::optional<ProxyRequest> readProxyRequest(const QByteArray &head);

// The status code of a response head; 0 when it is not one.
int responseStatus(const QByteArray &head);

// A response head from an origin, changed to say that the connection closes after it: the
// engine then never sends another request, perhaps for another site, down a connection that
// leads to this one.
QByteArray closingResponseHead(const QByteArray &head);

} // namespace quillery
