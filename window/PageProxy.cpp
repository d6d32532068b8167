// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PageProxy.h"

#include "window/ProxyConnection.h"

#include <QRandomGenerator>
#include <QTcpServer>

namespace quillery {

namespace {

constexpr int SecretBytes = 32;

class ProxyServer : public QTcpServer
{
public:
    explicit ProxyServer(QByteArray expectedAuthorization)
        : m_expectedAuthorization(std::move(expectedAuthorization))
    {
    }

protected:
    void incomingConnection(qintptr descriptor) override
    {
        new ProxyConnection(descriptor, m_expectedAuthorization, this);
    }

private:
    const QByteArray m_expectedAuthorization;
};

QString newSecret()
{
    QByteArray bytes(SecretBytes, Qt::Uninitialized);
    QRandomGenerator::system()->generate(bytes.begin(), bytes.end());
    return QString::fromLatin1(
        bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

} // namespace

PageProxy::PageProxy(QObject *parent) : QObject(parent)
{
    m_access.user = QStringLiteral("quillery");
    m_access.secret = newSecret();
    const QByteArray authorization =
        "Basic " + (m_access.user + u':' + m_access.secret).toUtf8().toBase64();
    auto *server = new ProxyServer(authorization);
    server->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, server, &QObject::deleteLater);
    m_thread.setObjectName(QStringLiteral("page proxy"));
    m_thread.start();
    QMetaObject::invokeMethod(
        server,
        [this, server] {
            if (server->listen(QHostAddress::LocalHost))
                m_access.port = server->serverPort();
        },
        Qt::BlockingQueuedConnection);
}

PageProxy::~PageProxy()
{
    m_thread.quit();
    m_thread.wait();
}

} // namespace quillery
