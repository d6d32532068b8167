// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PageAddresses.h"

#include "platform/DefaultApplication.h"
#include "platform/DesktopFile.h"
#include "platform/XdgDirs.h"
#include "window/BrowserView.h"

#include <QFileInfo>

#include <algorithm>

namespace quillery {

namespace {

bool inNetwork(quint32 address, quint32 network, int prefixLength)
{
    const quint32 mask = ~quint32(0) << (32 - prefixLength);
    return (address & mask) == network;
}

// The IPv4 ranges that are not the public internet: each reaches this computer, a network
// near it, many hosts at once, or nothing in particular.
bool isPublicIPv4(quint32 address)
{
    struct Range
    {
        quint32 network;
        int prefixLength;
    };
    static constexpr Range notPublic[] = {
        {0x00000000, 8},  // "this network", unspecified
        {0x0a000000, 8},  // private
        {0x64400000, 10}, // shared address space (carrier-grade NAT)
        {0x7f000000, 8},  // loopback
        {0xa9fe0000, 16}, // link-local
        {0xac100000, 12}, // private
        {0xc0000000, 24}, // protocol assignments
        {0xc0000200, 24}, // documentation
        {0xc0586300, 24}, // old 6to4 relays
        {0xc0a80000, 16}, // private
        {0xc6120000, 15}, // benchmarking
        {0xc6336400, 24}, // documentation
        {0xcb007100, 24}, // documentation
        {0xe0000000, 4},  // multicast
        {0xf0000000, 4},  // reserved, and the broadcast address
    };
    for (const Range &range : notPublic) {
        if (inNetwork(address, range.network, range.prefixLength))
            return false;
    }
    return true;
}

quint32 ipv4At(const Q_IPV6ADDR &address, int first)
{
    return quint32(address[first]) << 24 | quint32(address[first + 1]) << 16 |
           quint32(address[first + 2]) << 8 | address[first + 3];
}

bool startsWith(const Q_IPV6ADDR &address, std::initializer_list<quint8> prefix)
{
    return std::equal(prefix.begin(), prefix.end(), address.c);
}

// An IPv6 address that carries an IPv4 one reaches that IPv4 address: mapped
// (::ffff:a.b.c.d), in the old compatible form (::a.b.c.d, :: and ::1 among them), through
// NAT64 (64:ff9b::a.b.c.d) or 6to4 (2002:aabb:ccdd::).
std::optional<quint32> carriedIPv4(const Q_IPV6ADDR &address)
{
    if (startsWith(address, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff}) ||
        startsWith(address, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}) ||
        startsWith(address, {0, 0x64, 0xff, 0x9b, 0, 0, 0, 0, 0, 0, 0, 0}))
        return ipv4At(address, 12);
    if (startsWith(address, {0x20, 0x02}))
        return ipv4At(address, 2);
    return std::nullopt;
}

bool isPublicIPv6(const Q_IPV6ADDR &address)
{
    if (const std::optional<quint32> ipv4 = carriedIPv4(address))
        return isPublicIPv4(*ipv4);
    // Only 2000::/3 is given out for the internet; within it, protocol assignments
    // (2001::/23, Teredo among them) and documentation (2001:db8::/32, 3fff::/20) are not.
    const quint16 first = quint16(address[0] << 8 | address[1]);
    const quint16 second = quint16(address[2] << 8 | address[3]);
    return (first & 0xe000) == 0x2000 && !(first == 0x2001 && second < 0x0200) &&
           !(first == 0x2001 && second == 0x0db8) && !(first == 0x3fff && second < 0x1000);
}

int digitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return 16;
}

// One part of an IPv4 address as the system's resolver reads it: decimal, octal after a
// leading 0, hexadecimal after 0x. Larger than any part can be, it is none.
std::optional<quint64> addressPart(QStringView part)
{
    int base = 10;
    if (part.startsWith(u"0x") || part.startsWith(u"0X")) {
        base = 16;
        part = part.mid(2);
    } else if (part.size() > 1 && part.startsWith(u'0')) {
        base = 8;
    } else if (part.isEmpty()) {
        return std::nullopt;
    }
    quint64 value = 0;
    for (const QChar c : part) {
        const int digit = digitValue(c);
        if (digit >= base)
            return std::nullopt;
        value = value * quint64(base) + quint64(digit);
        if (value > 0xffffffffu)
            return std::nullopt;
    }
    return value;
}

// Dotted IPv4 with one to four parts, the last filling the bits left (127.1, 2130706433).
std::optional<quint32> spelledIPv4(const QString &host)
{
    const QStringList parts = host.split(u'.');
    if (parts.size() > 4)
        return std::nullopt;
    quint64 address = 0;
    for (int i = 0; i < parts.size(); ++i) {
        const std::optional<quint64> part = addressPart(parts.at(i));
        if (!part)
            return std::nullopt;
        const bool last = i == parts.size() - 1;
        const int bits = last ? 32 - 8 * i : 8;
        if (*part >= (quint64(1) << bits))
            return std::nullopt;
        address |= *part << (last ? 0 : 24 - 8 * i);
    }
    return quint32(address);
}

// A name without a dot is looked up in the local network's own domains, and "localhost"
// and the names under it are this computer.
bool isLocalName(const QString &name)
{
    return (!name.isEmpty() && !name.contains(u'.')) || name == u"localhost" ||
           name.endsWith(u".localhost");
}

QString normalisedHost(const QString &host)
{
    QString name = host.toLower();
    if (name.startsWith(u'[') && name.endsWith(u']'))
        name = name.mid(1, name.size() - 2);
    while (name.endsWith(u'.'))
        name.chop(1);
    return name;
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

std::optional<QHostAddress> spelledAddress(const QString &host)
{
    const QString name = normalisedHost(host);
    if (name.isEmpty())
        return std::nullopt;
    if (const std::optional<quint32> ipv4 = spelledIPv4(name))
        return QHostAddress(*ipv4);
    QHostAddress address;
    if (name.contains(u':') && address.setAddress(name))
        return address;
    return std::nullopt;
}

bool isPublicAddress(const QHostAddress &address)
{
    switch (address.protocol()) {
    case QAbstractSocket::IPv4Protocol:
        return isPublicIPv4(address.toIPv4Address());
    case QAbstractSocket::IPv6Protocol:
        return isPublicIPv6(address.toIPv6Address());
    default:
        return false;
    }
}

QList<QHostAddress> addressesToConnect(const QString &host, const Resolver &resolve)
{
    if (const std::optional<QHostAddress> spelled = spelledAddress(host))
        return isPublicAddress(*spelled) ? QList<QHostAddress>{*spelled} : QList<QHostAddress>();
    const QString name = normalisedHost(host);
    if (name.isEmpty() || isLocalName(name))
        return {};
    const QList<QHostAddress> addresses = resolve(name);
    if (std::all_of(addresses.cbegin(), addresses.cend(), isPublicAddress))
        return addresses;
    return {};
}

bool isLocalNetworkHost(const QString &host)
{
    if (const std::optional<QHostAddress> spelled = spelledAddress(host))
        return !isPublicAddress(*spelled);
    return isLocalName(normalisedHost(host));
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
