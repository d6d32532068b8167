// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/ProxyRequest.h"

#include <QByteArrayList>

#include <algorithm>

namespace quillery {

namespace {

constexpr char LineEnd[] = "\r\n";

// Headers that concern one connection only, never passed on; Proxy-Authorization carries
// the program's secret.
bool isHopByHop(const QByteArray &name, const QByteArrayList &listedInConnection)
{
    static const QByteArrayList hopByHop = {"connection", "proxy-connection", "keep-alive",
                                            "proxy-authorization", "proxy-authenticate"};
    return hopByHop.contains(name) || listedInConnection.contains(name);
}

// The lower-case name of a header line; empty for a line that is not one.
QByteArray headerName(const QByteArray &line)
{
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0 || line.front() == ' ' || line.front() == '\t')
        return QByteArray();
    return line.left(colon).toLower();
}

QByteArrayList withoutLineEnds(const QByteArray &head)
{
    QByteArrayList lines = head.split('\n');
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

bool isTokenCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
}

struct Header
{
    QByteArray name; // lower case
    QByteArray line; // as received
    QByteArray value;
};

// The header lines of a head, after its first line; none when one of them is malformed
// (folded lines included, which are obsolete and read differently by different servers).
std::optional<QList<Header>> readHeaders(const QByteArrayList &lines)
{
    QList<Header> headers;
    for (const QByteArray &line : lines.mid(1)) {
        if (line.isEmpty())
            continue;
        const QByteArray name = headerName(line);
        if (name.isEmpty() || !std::all_of(name.cbegin(), name.cend(), isTokenCharacter))
            return std::nullopt;
        headers.append({name, line, line.mid(line.indexOf(':') + 1).trimmed()});
    }
    return headers;
}

// The headers that the Connection header names, lower case: they concern this connection too.
QByteArrayList connectionTokens(const QByteArrayList &lines)
{
    QByteArrayList tokens;
    for (const QByteArray &line : lines.mid(1)) {
        if (headerName(line) == "connection") {
            for (const QByteArray &token : line.mid(line.indexOf(':') + 1).split(','))
                tokens << token.trimmed().toLower();
        }
    }
    return tokens;
}

bool isHostCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-' || c == '_';
}

// "host:port", "[v6]:port", or, where a default port is given, the host alone.
bool readAuthority(const QByteArray &authority, quint16 defaultPort, ProxyRequest &request)
{
    QByteArray host = authority;
    QByteArray port;
    if (authority.startsWith('[')) {
        const qsizetype close = authority.indexOf(']');
        if (close < 0)
            return false;
        host = authority.mid(1, close - 1);
        const QByteArray rest = authority.mid(close + 1);
        if (!rest.isEmpty() && !rest.startsWith(':'))
            return false;
        port = rest.mid(1);
        if (host.isEmpty() || !std::all_of(host.cbegin(), host.cend(), [](char c) {
                return c == ':' || c == '.' || isHostCharacter(c);
            }))
            return false;
    } else {
        const qsizetype colon = authority.lastIndexOf(':');
        if (colon >= 0) {
            host = authority.left(colon);
            port = authority.mid(colon + 1);
        }
        if (host.isEmpty() || !std::all_of(host.cbegin(), host.cend(), isHostCharacter))
            return false;
    }
    bool ok = true;
    const uint number = port.isEmpty() ? defaultPort : port.toUInt(&ok);
    if (!ok || number == 0 || number > 65535 || port.startsWith('+'))
        return false;
    request.host = QString::fromLatin1(host);
    request.port = quint16(number);
    return true;
}

} // namespace

std::optional<ProxyRequest> readProxyRequest(const QByteArray &head)
{
    const QByteArrayList lines = withoutLineEnds(head);
    const QByteArrayList requestLine = lines.value(0).split(' ');
    if (requestLine.size() != 3 || !requestLine[2].startsWith("HTTP/1."))
        return std::nullopt;
    const std::optional<QList<Header>> headers = readHeaders(lines);
    const QByteArray &method = requestLine[0];
    if (!headers || method.isEmpty() ||
        !std::all_of(method.cbegin(), method.cend(), isTokenCharacter))
        return std::nullopt;
    const QByteArray &target = requestLine[1];
    ProxyRequest request;
    for (const Header &header : *headers) {
        if (header.name == "proxy-authorization")
            request.authorization = header.value;
    }
    if (method == "CONNECT") {
        request.tunnel = true;
        return readAuthority(target, 0, request) ? std::optional(request) : std::nullopt;
    }
    // Only plain http comes as a full address; https goes through CONNECT.
    if (!target.toLower().startsWith("http://") || target.contains('#'))
        return std::nullopt;
    const QByteArray afterScheme = target.mid(7);
    qsizetype pathStart = afterScheme.size();
    for (const char c : {'/', '?'}) {
        const qsizetype at = afterScheme.indexOf(c);
        if (at >= 0)
            pathStart = std::min(pathStart, at);
    }
    const QByteArray authority = afterScheme.left(pathStart);
    if (authority.contains('@') || !readAuthority(authority, 80, request))
        return std::nullopt;
    QByteArray path = afterScheme.mid(pathStart);
    if (!path.startsWith('/'))
        path.prepend('/');

    QByteArray originHead = method + ' ' + path + ' ' + requestLine[2] + LineEnd;
    const QByteArrayList listed = connectionTokens(lines);
    for (const Header &header : *headers) {
        if (!isHopByHop(header.name, listed))
            originHead += header.line + LineEnd;
    }
    originHead += QByteArray("Connection: close") + LineEnd + LineEnd;
    request.originHead = originHead;
    return request;
}

int responseStatus(const QByteArray &head)
{
    const QByteArrayList parts = head.left(head.indexOf('\n')).trimmed().split(' ');
    if (parts.size() < 2 || !parts[0].startsWith("HTTP/1.") || parts[1].size() != 3)
        return 0;
    bool ok = false;
    const int status = parts[1].toInt(&ok);
    return ok && status >= 100 ? status : 0;
}

QByteArray closingResponseHead(const QByteArray &head)
{
    const QByteArrayList lines = withoutLineEnds(head);
    const QByteArrayList listed = connectionTokens(lines);
    QByteArray closing = lines.value(0) + LineEnd;
    for (const QByteArray &line : lines.mid(1)) {
        if (!line.isEmpty() && !isHopByHop(headerName(line), listed))
            closing += line + LineEnd;
    }
    return closing + "Connection: close" + LineEnd + "Proxy-Connection: close" + LineEnd + LineEnd;
}

} // namespace quillery
