#pragma once

#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineUrlRequestInterceptor>

class QWebEngineView;

namespace quillery {

// Refuses every request that leaves this machine while the browser works offline.
class OfflineInterceptor : public QWebEngineUrlRequestInterceptor
{
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    bool offline = false;
    void interceptRequest(QWebEngineUrlRequestInfo &info) override;
    static bool isLocal(const QUrl &url);
};

// The browser's page: pages it shows may not close the viewer.
class BrowserPage : public QWebEnginePage
{
    Q_OBJECT
public:
    explicit BrowserPage(QObject *parent = nullptr);
    OfflineInterceptor *interceptor() const { return m_interceptor; }
    static bool isCloseRequest(const QUrl &url);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;

private:
    OfflineInterceptor *m_interceptor;
};

} // namespace quillery
