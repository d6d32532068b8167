#include "window/BrowserPane.h"

namespace quillery {

void OfflineInterceptor::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    if (offline && !isLocal(info.requestUrl()))
        info.block(true);
}

bool OfflineInterceptor::isLocal(const QUrl &url)
{
    const QString scheme = url.scheme();
    return scheme == u"file" || scheme == u"about" || scheme == u"data" || scheme == u"qrc" ||
           scheme == u"blob";
}

BrowserPage::BrowserPage(QObject *parent)
    : QWebEnginePage(parent), m_interceptor(new OfflineInterceptor(this))
{
    setUrlRequestInterceptor(m_interceptor);
}

bool BrowserPage::isCloseRequest(const QUrl &url)
{
    return url.toString().left(23).toLower() == u"javascript:window.close";
}

bool BrowserPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (isCloseRequest(url))
        return false;
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}

} // namespace quillery
