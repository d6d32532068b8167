// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/ProxyRequest.h"

#include <QHostAddress>
#include <QObject>
#include <QTimer>

class QTcpSocket;

namespace quillery {

// One connection of the web engine to the page proxy: it reads one request, checks the
// program's secret, looks the host up, connects to an address the page address rule allows,
// and then carries bytes both ways until either side closes. A host it refuses is never
// connected to. It deletes itself when done.
class ProxyConnection : public QObject
{
public:
    // The authorization expected is the whole Proxy-Authorization value.
    ProxyConnection(qintptr descriptor, QByteArray expectedAuthorization, QObject *parent);

private:
    void readHead();
    void serve();
    void judge(const QList<QHostAddress> &found);
    void connectNext();
    void connected();
    void carry(QTcpSocket *from, QTcpSocket *to);
    void carryResponse();
    void answer(const QByteArray &status, const QByteArray &headers, const QString &text);
    void sideClosed(QTcpSocket *closed, QTcpSocket *other);
    void finish();

    QTcpSocket *m_client;
    QTcpSocket *m_origin = nullptr;
    const QByteArray m_expectedAuthorization;
    QByteArray m_head;
    ProxyRequest m_request;
    QList<QHostAddress> m_addresses;
    // Until the origin's response head has passed (plain http only), it is held here.
    QByteArray m_responseHead;
    bool m_responseHeadPassed = false;
    QTimer m_deadline;
};

} // namespace quillery
