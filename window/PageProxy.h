// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/BrowserView.h"

#include <QObject>
#include <QThread>

namespace quillery {

// The proxy every request of the viewer's browser goes through. The web engine sees an
// address only as a page writes it; here each name is looked up once, refused unless every
// address it has is public, and connected to at exactly the address judged, so that no
// request of a page reaches this computer or a network near it by any name, and no
// connection to one is even opened. It listens on a loopback port, on a thread of its own,
// and serves only those who give this run's secret, which only the browser is told.
class PageProxy : public QObject
{
public:
    explicit PageProxy(QObject *parent = nullptr);
    ~PageProxy() override;

    // What the browser needs to use it; the port is 0 when it could not listen, and then
    // pages reach nothing.
    const ProxyAccess &access() const { return m_access; }

private:
    QThread m_thread;
    ProxyAccess m_access;
};

} // namespace quillery
