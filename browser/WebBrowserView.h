// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/BrowserView.h"

#include <QWebEngineView>

class QWebEngineProfile;

namespace quillery {

class BrowserPage;
class PageSchemeHandler;
class RequestFilter;

// What a browser needs that is slow to make: a profile of its own (the first one starts the
// web engine) with its request filter and scheme handler, and the page. Made before the
// browser that uses them, they answer nothing and load only a blank page.
class BrowserParts : public QObject
{
public:
    BrowserParts(QObject *parent, const ProxyAccess &proxy);
    ~BrowserParts() override;

    // The page loads the address once the profile has proven itself to the proxy, which it
    // begins to at once; an address asked for before that replaces the one asked for earlier.
    void load(const QUrl &url);

    RequestFilter *filter;
    PageSchemeHandler *scheme;
    QWebEngineProfile *profile;
    BrowserPage *page;

private:
    bool m_proven = false;
    QUrl m_waiting;
};

// The viewer's browser: a web engine view with a profile of its own that serves the page
// scheme from the program's source and keeps the page to what the program's rule allows.
// Makes the parts of the next browser now, once; the first browser made takes them.
void preloadBrowserParts(const ProxyAccess &proxy);

class WebBrowserView : public QWebEngineView, public BrowserView
{
    Q_OBJECT
public:
    WebBrowserView(QWidget *parent, SchemeSource source, AddressRule rule,
                   const ProxyAccess &proxy);
    ~WebBrowserView() override;

    QWidget *widget() override { return this; }
    QUrl url() const override { return QWebEngineView::url(); }
    void setUrl(const QUrl &url) override;
    void reload() override { QWebEngineView::reload(); }
    void back() override { QWebEngineView::back(); }
    void forward() override { QWebEngineView::forward(); }
    void stop() override { QWebEngineView::stop(); }
    void setOffline(bool offline) override;
    void findText(const QString &text, bool backward) override;
    void print(QPrinter *printer, std::function<void()> done) override;

private:
    BrowserParts *m_parts;
    RequestFilter *m_filter;
    BrowserPage *m_page;
};

} // namespace quillery
