// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/EngineFlags.h"

#include <QByteArrayList>

#include <algorithm>

namespace quillery {

namespace {

constexpr char EnableFeatures[] = "--enable-features=";
constexpr char DisableFeatures[] = "--disable-features=";

QByteArray switchName(const QByteArray &flag)
{
    const qsizetype equals = flag.indexOf('=');
    return equals < 0 ? flag : flag.left(equals);
}

void addFeatures(QByteArrayList &flags, const char *list, const QByteArray &features)
{
    const auto given = std::find_if(flags.begin(), flags.end(),
                                    [&](const QByteArray &flag) { return flag.startsWith(list); });
    if (given == flags.end())
        flags << list + features;
    else
        *given += ',' + features;
}

void addSwitch(QByteArrayList &flags, const QByteArray &flag)
{
    const QByteArray name = switchName(flag);
    if (std::none_of(flags.cbegin(), flags.cend(),
                     [&](const QByteArray &given) { return switchName(given) == name; }))
        flags << flag;
}

} // namespace

QByteArray engineFlags(const QByteArray &given, bool saveMemory, quint16 proxyPort)
{
    QByteArrayList flags = given.split(' ');
    flags.removeAll(QByteArray());
    // Every request goes through the program's proxy, which judges the addresses names resolve
    // to: requests for this computer too (the engine would otherwise go to it directly), and
    // never to a proxy of the user's choosing, which would look names up where the program
    // cannot see.
    // The engine reads a switch after one dash as after two.
    flags.erase(std::remove_if(flags.begin(), flags.end(),
                               [](const QByteArray &flag) {
                                   const QByteArray name = flag.mid(flag.startsWith("--") ? 2 : 1);
                                   return flag.startsWith('-') && (name.startsWith("proxy-") ||
                                                                   name.startsWith("no-proxy-"));
                               }),
                flags.end());
    flags << "--proxy-server=http://127.0.0.1:" + QByteArray::number(proxyPort)
          << "--proxy-bypass-list=<-loopback>";
    // Where the proxy is not asked (a page's own addresses as written, before any request),
    // these limits of the engine's own hold too: Private Network Access refuses a page (never a
    // secure context here) a private or loopback address, and WebRTC sends no UDP, so no STUN
    // request reaches any address, and its TCP goes through the proxy.
    addFeatures(flags, EnableFeatures,
                "BlockInsecurePrivateNetworkRequests,"
                "BlockInsecurePrivateNetworkRequestsFromPrivate,"
                "BlockInsecurePrivateNetworkRequestsFromUnknown,"
                "BlockInsecurePrivateNetworkRequestsForNavigations,"
                "PrivateNetworkAccessSendPreflights,"
                "PrivateNetworkAccessRespectPreflightResults");
    flags << "--force-webrtc-ip-handling-policy=disable_non_proxied_udp";
    if (saveMemory) {
        // Documents draw well in software: without the GPU the engine keeps no graphics
        // contexts, shader caches or textures of its own in the program's process.
        addSwitch(flags, "--disable-gpu");
        // The engine keeps a second zygote for helpers that run outside the sandbox, which
        // here has next to nothing to start: renderers come from the sandboxed one still.
        addSwitch(flags, "--no-unsandboxed-zygote");
    }
    return flags.join(' ');
}

} // namespace quillery
