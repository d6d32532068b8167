// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/BrowserView.h"

#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineUrlRequestInterceptor>

class QWebEngineProfile;

namespace quillery {

class PageSchemeHandler;

// The address that proves a new profile to the proxy (see ProxyCheckHost).
const QUrl &proxyCheckUrl();

// Gives the proxy the program's secret whenever a load of the page is asked for it.
void answerProxy(QWebEnginePage *page, const ProxyAccess &proxy);

// Lets a page load only what the viewer's rule allows, and the proxy's own check. Local files
// are never fetched, whatever the page asks for.
class RequestFilter : public QWebEngineUrlRequestInterceptor
{
public:
    RequestFilter(AddressRule rule, QObject *parent);
    void interceptRequest(QWebEngineUrlRequestInfo &info) override;
    bool allows(const QUrl &url) const { return url == proxyCheckUrl() || m_rule(url); }
    void setRule(AddressRule rule) { m_rule = std::move(rule); }

private:
    AddressRule m_rule;
};

// A profile of one window's own: nothing it holds is shared with another window or kept
// on disk, and its scheme handler answers only for that window's binder. The first profile
// starts the engine, with every request going through the proxy.
QWebEngineProfile *makeViewerProfile(PageSchemeHandler *scheme, RequestFilter *filter,
                                     const ProxyAccess &proxy, QObject *parent);

// The browser's page: pages it shows may not go where the filter forbids, open windows, use
// the clipboard or be granted any permission. It gives the proxy the program's secret.
class BrowserPage : public QWebEnginePage
{
    Q_OBJECT
public:
    BrowserPage(QWebEngineProfile *profile, const RequestFilter &filter, const ProxyAccess &proxy,
                QObject *parent);
    // Offline, page scripts are off too: that is the one sure way to keep WebRTC silent.
    void setScriptsEnabled(bool enabled);
    // Announces a refused address once the event loop runs again.
    void refuse(const QUrl &url);

Q_SIGNALS:
    void navigationRefused(const QUrl &url);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;

private:
    const RequestFilter &m_filter;
};

} // namespace quillery
