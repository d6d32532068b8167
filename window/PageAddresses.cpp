// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PageAddresses.h"

#include "platform/DefaultApplication.h"
#include "platform/DesktopFile.h"
#include "platform/XdgDirs.h"
#include "window/BrowserView.h"

#include <QFileInfo>
#include <QHostAddress>

namespace quillery {

namespace {

bool inNetwork(quint32 address, quint32 network, int prefixLength)
{
    const quint32 mask = ~quint32(0) << (32 - prefixLength);
    return (address & mask) == network;
}

bool isLocalIPv4(quint32 address)
{
    return inNetwork(address, 0x00000000, 8)      // unspecified, "this network"
           || inNetwork(address, 0x7f000000, 8)   // loopback
           || inNetwork(address, 0x0a000000, 8)   // private
           || inNetwork(address, 0xac100000, 12)  // private
           || inNetwork(address, 0xc0a80000, 16)  // private
           || inNetwork(address, 0xa9fe0000, 16); // link-local
}

bool isLocalIPv6(const QHostAddress &address)
{
    return address.isLoopback() || address.isLinkLocal() || address.isSiteLocal() ||
           address.isUniqueLocalUnicast() || address.isEqual(QHostAddress::AnyIPv6);
}

// An IPv6 address that carries an IPv4 one, mapped (::ffff:a.b.c.d) or in the old
// compatible form (::a.b.c.d), reaches that IPv4 address.
bool carriedIPv4(const Q_IPV6ADDR &address, quint32 &ipv4)
{
    for (int i = 0; i < 10; ++i) {
        if (address[i] != 0)
            return false;
    }
    const bool mapped = address[10] == 0xff && address[11] == 0xff;
    if (!mapped && (address[10] != 0 || address[11] != 0))
        return false;
    ipv4 = quint32(address[12]) << 24 | quint32(address[13]) << 16 | quint32(address[14]) << 8 |
           address[15];
    return true;
}

bool isWebScheme(const QString &scheme)
{
    return scheme == u"http" || scheme == u"https";
}

// Schemes of the browser itself, of this computer's files and of script: a link to one is
// never followed and never handed to another program.
bool isBrowserOwnScheme(const QString &scheme)
{
    static const QStringList own = {
        QString::fromLatin1(PageScheme), QStringLiteral("about"),
        QStringLiteral("blob"),          QStringLiteral("chrome"),
        QStringLiteral("chrome-error"),  QStringLiteral("chrome-extension"),
        QStringLiteral("chrome-search"), QStringLiteral("chrome-untrusted"),
        QStringLiteral("data"),          QStringLiteral("devtools"),
        QStringLiteral("file"),          QStringLiteral("filesystem"),
        QStringLiteral("javascript"),    QStringLiteral("qrc"),
        QStringLiteral("view-source"),   QStringLiteral("ws"),
        QStringLiteral("wss"),
    };
    return scheme.isEmpty() || own.contains(scheme);
}

constexpr qsizetype LongestShownAddress = 300;

} // namespace

bool isLocalNetworkHost(const QString &host)
{
    QString name = host.toLower();
    while (name.endsWith(u'.'))
        name.chop(1);
    if (name == u"localhost" || name.endsWith(u".localhost"))
        return true;
    QHostAddress address;
    if (!address.setAddress(name))
        return false;
    if (address.protocol() == QAbstractSocket::IPv4Protocol)
        return isLocalIPv4(address.toIPv4Address());
    quint32 ipv4 = 0;
    return isLocalIPv6(address) ||
           (carriedIPv4(address.toIPv6Address(), ipv4) && isLocalIPv4(ipv4));
}

bool pageMayLoad(const QUrl &url, bool offline)
{
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String(PageScheme) || scheme == u"data" || scheme == u"blob")
        return true;
    if (scheme == u"about")
        return url.path() == u"blank" || url.path() == u"srcdoc";
    if (isWebScheme(scheme))
        return !offline && !url.host().isEmpty() && !isLocalNetworkHost(url.host());
    return false;
}

LinkTarget linkTarget(const QUrl &url, bool offline)
{
    const QString scheme = url.scheme().toLower();
    if (isWebScheme(scheme) && isLocalNetworkHost(url.host()))
        return LinkTarget::LocalNetwork;
    if (isBrowserOwnScheme(scheme) || (isWebScheme(scheme) && url.host().isEmpty()))
        return LinkTarget::Never;
    if (offline)
        return LinkTarget::Offline;
    return isWebScheme(scheme) ? LinkTarget::Web : LinkTarget::OtherProgram;
}

QString programForScheme(const QString &scheme)
{
    const QString entry = defaultApplicationFor(QStringLiteral("x-scheme-handler/") + scheme,
                                                XdgDirs::fromEnvironment());
    if (entry.isEmpty())
        return QString();
    const QString name =
        DesktopFile::read(entry).value(QStringLiteral("Desktop Entry"), QStringLiteral("Name"));
    return name.isEmpty() ? QFileInfo(entry).completeBaseName() : name;
}

QString shownAddress(const QUrl &url)
{
    const QString address = QString::fromLatin1(url.toEncoded());
    if (address.size() <= LongestShownAddress)
        return address;
    return address.left(LongestShownAddress) + QStringLiteral("...");
}

} // namespace quillery
