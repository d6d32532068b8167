// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/ProxyConnection.h"

#include "window/BrowserView.h"
#include "window/PageAddresses.h"

#include <QCoreApplication>
#include <QHostInfo>
#include <QNetworkProxy>
#include <QTcpSocket>

namespace quillery {

namespace {

constexpr int HeadTimeoutMs = 30000;
constexpr int ConnectTimeoutMs = 15000;
// How much of one side's bytes wait for the other side at most; past that the proxy stops
// reading, and the sender waits.
constexpr qint64 Chunk = 256 * 1024;
constexpr char HeadEnd[] = "\r\n\r\n";

bool sameSecret(const QByteArray &given, const QByteArray &expected)
{
    if (given.size() != expected.size())
        return false;
    char difference = 0;
    for (qsizetype i = 0; i < given.size(); ++i)
        difference |= char(given[i] ^ expected[i]);
    return difference == 0;
}

} // namespace

ProxyConnection::ProxyConnection(qintptr descriptor, QByteArray expectedAuthorization,
                                 QObject *parent)
    : QObject(parent), m_client(new QTcpSocket(this)),
      m_expectedAuthorization(std::move(expectedAuthorization))
{
    m_client->setSocketDescriptor(descriptor);
    m_client->setReadBufferSize(LongestProxyHead);
    connect(m_client, &QTcpSocket::readyRead, this, &ProxyConnection::readHead);
    connect(m_client, &QTcpSocket::disconnected, this, &ProxyConnection::finish);
    m_deadline.setSingleShot(true);
    m_deadline.callOnTimeout(this, [this] {
        if (m_origin)
            connectNext();
        else
            m_client->abort();
    });
    m_deadline.start(HeadTimeoutMs);
    readHead();
}

void ProxyConnection::readHead()
{
    m_head += m_client->readAll();
    const qsizetype end = m_head.indexOf(HeadEnd);
    if (end < 0) {
        if (m_head.size() >= LongestProxyHead)
            answer("431 Request Header Fields Too Large", {}, {});
        return;
    }
    disconnect(m_client, &QTcpSocket::readyRead, this, &ProxyConnection::readHead);
    m_deadline.stop();
    const std::optional<ProxyRequest> request = readProxyRequest(m_head.left(end + 4));
    m_head.remove(0, end + 4);
    if (!request) {
        answer("400 Bad Request", {}, {});
        return;
    }
    m_request = *request;
    if (!sameSecret(m_request.authorization, m_expectedAuthorization)) {
        answer("407 Proxy Authentication Required",
               "Proxy-Authenticate: Basic realm=\"Quillery\"\r\n", {});
        return;
    }
    if (!m_request.tunnel && m_request.host == QLatin1String(ProxyCheckHost)) {
        answer("204 No Content", {}, {});
        return;
    }
    serve();
}

void ProxyConnection::serve()
{
    const QString &host = m_request.host;
    // An address, or a name the rule refuses as written, needs nobody to look it up.
    if (spelledAddress(host) || isLocalNetworkHost(host)) {
        judge({});
        return;
    }
    QHostInfo::lookupHost(host, this, [this](const QHostInfo &info) { judge(info.addresses()); });
}

void ProxyConnection::judge(const QList<QHostAddress> &found)
{
    m_addresses = addressesToConnect(m_request.host, [&found](const QString &) { return found; });
    if (m_addresses.isEmpty()) {
        answer("403 Forbidden", {},
               QCoreApplication::translate(
                   "ProxyConnection",
                   "Pages may not reach %1: it has no public address, or is on this "
                   "computer or a network near it.")
                   .arg(m_request.host));
        return;
    }
    connectNext();
}

void ProxyConnection::connectNext()
{
    if (m_origin) {
        m_origin->disconnect(this);
        m_origin->abort();
        m_origin->deleteLater();
        m_origin = nullptr;
    }
    if (m_addresses.isEmpty()) {
        answer("502 Bad Gateway", {},
               QCoreApplication::translate("ProxyConnection", "%1 could not be reached.")
                   .arg(m_request.host));
        return;
    }
    m_origin = new QTcpSocket(this);
    m_origin->setProxy(QNetworkProxy::NoProxy);
    connect(m_origin, &QTcpSocket::connected, this, &ProxyConnection::connected);
    connect(m_origin, &QAbstractSocket::errorOccurred, this, [this] {
        if (m_deadline.isActive())
            QMetaObject::invokeMethod(this, &ProxyConnection::connectNext, Qt::QueuedConnection);
    });
    m_deadline.start(ConnectTimeoutMs);
    // Exactly the address judged: a second lookup could give another.
    m_origin->connectToHost(m_addresses.takeFirst(), m_request.port);
}

void ProxyConnection::connected()
{
    m_deadline.stop();
    // A head and its body go on in separate writes; waiting to merge them would hold each
    // response for the other side's delayed acknowledgement.
    m_client->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_origin->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_origin->setReadBufferSize(Chunk);
    m_client->setReadBufferSize(Chunk);
    const auto toOrigin = [this] {
        carry(m_client, m_origin);
    };
    connect(m_client, &QTcpSocket::readyRead, this, toOrigin);
    connect(m_origin, &QTcpSocket::bytesWritten, this, toOrigin);
    if (m_request.tunnel) {
        const auto toClient = [this] {
            carry(m_origin, m_client);
        };
        connect(m_origin, &QTcpSocket::readyRead, this, toClient);
        connect(m_client, &QTcpSocket::bytesWritten, this, toClient);
        m_client->write("HTTP/1.1 200 Connection established\r\n\r\n");
    } else {
        connect(m_origin, &QTcpSocket::readyRead, this, &ProxyConnection::carryResponse);
        connect(m_client, &QTcpSocket::bytesWritten, this, &ProxyConnection::carryResponse);
        m_origin->write(m_request.originHead);
    }
    // Whatever the engine sent after its head (a request's body) follows it.
    m_origin->write(std::exchange(m_head, QByteArray()));
    disconnect(m_client, &QTcpSocket::disconnected, this, &ProxyConnection::finish);
    connect(m_client, &QTcpSocket::disconnected, this, [this] { sideClosed(m_client, m_origin); });
    connect(m_origin, &QTcpSocket::disconnected, this, [this] { sideClosed(m_origin, m_client); });
    toOrigin();
}

void ProxyConnection::carry(QTcpSocket *from, QTcpSocket *to)
{
    while (from->bytesAvailable() > 0 && to->bytesToWrite() < Chunk)
        to->write(from->read(Chunk));
}

void ProxyConnection::carryResponse()
{
    if (m_responseHeadPassed) {
        carry(m_origin, m_client);
        return;
    }
    m_responseHead += m_origin->read(LongestProxyHead);
    for (;;) {
        const qsizetype end = m_responseHead.indexOf(HeadEnd);
        if (end < 0) {
            if (m_responseHead.size() >= LongestProxyHead)
                m_client->abort();
            return;
        }
        const QByteArray head = m_responseHead.left(end + 4);
        m_responseHead.remove(0, end + 4);
        const int status = responseStatus(head);
        if (status == 0) {
            m_client->abort();
            return;
        }
        // Interim responses come before the one that counts, each a head alone; a switch of
        // protocols leaves nothing to reuse the connection for.
        if (status < 200 && status != 101) {
            m_client->write(head);
            continue;
        }
        m_client->write(status == 101 ? head : closingResponseHead(head));
        m_client->write(std::exchange(m_responseHead, QByteArray()));
        m_responseHeadPassed = true;
        carry(m_origin, m_client);
        return;
    }
}

void ProxyConnection::answer(const QByteArray &status, const QByteArray &headers,
                             const QString &text)
{
    const QByteArray body = text.isEmpty() ? QByteArray() : text.toUtf8() + '\n';
    QByteArray response = "HTTP/1.1 " + status + "\r\n" + headers;
    if (!body.isEmpty())
        response += "Content-Type: text/plain; charset=utf-8\r\n";
    if (!status.startsWith("204"))
        response += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    m_client->write(response + "Connection: close\r\nProxy-Connection: close\r\n\r\n" + body);
    m_client->disconnectFromHost();
}

void ProxyConnection::sideClosed(QTcpSocket *closed, QTcpSocket *other)
{
    // What the closing side sent last still goes on.
    if (closed == m_origin && !m_request.tunnel && !m_responseHeadPassed)
        m_client->abort();
    else
        other->write(closed->readAll());
    other->disconnectFromHost();
    if (other->state() == QAbstractSocket::UnconnectedState)
        deleteLater();
}

void ProxyConnection::finish()
{
    if (m_origin)
        m_origin->abort();
    deleteLater();
}

} // namespace quillery
