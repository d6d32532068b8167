// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineUrlRequestInterceptor>

class QWebEngineProfile;

namespace quillery {

class PageSchemeHandler;

// Lets a page reach only the binder's own content and, unless working offline, the web.
// Local files are never fetched, whatever the page asks for.
class RequestFilter : public QWebEngineUrlRequestInterceptor
{
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    bool offline = false;
    void interceptRequest(QWebEngineUrlRequestInfo &info) override;
    static bool allows(const QUrl &url, bool offline);
};

// A profile of one window's own: nothing it holds is shared with another window or kept
// on disk, and its scheme handler answers only for that window's binder.
QWebEngineProfile *makeViewerProfile(PageSchemeHandler *scheme, RequestFilter *filter,
                                     QObject *parent);

// The browser's page: pages it shows may not close the viewer, open windows, use the
// clipboard or be granted any permission.
class BrowserPage : public QWebEnginePage
{
    Q_OBJECT
public:
    BrowserPage(QWebEngineProfile *profile, QObject *parent);
    static bool isCloseRequest(const QUrl &url);
    // Offline, page scripts are off too: that is the one sure way to keep WebRTC silent.
    void setScriptsEnabled(bool enabled);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
};

} // namespace quillery
