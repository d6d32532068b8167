// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/BrowserPane.h"

#include "browser/PageSchemeHandler.h"
#include "window/BrowserView.h"

#include <QWebEngineDownloadRequest>
#include <QWebEngineFileSystemAccessRequest>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineProfile>
#include <QWebEngineRegisterProtocolHandlerRequest>
#include <QWebEngineSettings>

namespace quillery {

namespace {

void restrictSettings(QWebEngineSettings *settings)
{
    using S = QWebEngineSettings;
    for (const S::WebAttribute off :
         {S::JavascriptCanOpenWindows, S::JavascriptCanAccessClipboard, S::JavascriptCanPaste,
          S::LocalContentCanAccessFileUrls, S::LocalContentCanAccessRemoteUrls,
          S::DnsPrefetchEnabled, S::PluginsEnabled, S::FullScreenSupportEnabled,
          S::ScreenCaptureEnabled, S::AllowWindowActivationFromJavaScript, S::NavigateOnDropEnabled,
          S::PdfViewerEnabled, S::AutoLoadIconsForPage, S::HyperlinkAuditingEnabled,
          S::SpatialNavigationEnabled})
        settings->setAttribute(off, false);
    settings->setAttribute(S::WebRTCPublicInterfacesOnly, true);
}

} // namespace

void RequestFilter::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    if (!allows(info.requestUrl(), offline))
        info.block(true);
}

bool RequestFilter::allows(const QUrl &url, bool offline)
{
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String(PageScheme) || scheme == u"about" || scheme == u"data" ||
        scheme == u"blob")
        return true;
    return !offline &&
           (scheme == u"http" || scheme == u"https" || scheme == u"ws" || scheme == u"wss");
}

QWebEngineProfile *makeViewerProfile(PageSchemeHandler *scheme, RequestFilter *filter,
                                     QObject *parent)
{
    registerPageScheme();
    auto *profile = new QWebEngineProfile(parent); // off the record: nothing on disk
    profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    profile->setSpellCheckEnabled(false);
    profile->installUrlSchemeHandler(PageScheme, scheme);
    profile->setUrlRequestInterceptor(filter);
    restrictSettings(profile->settings());
    // Files the browser cannot show are not downloaded anywhere behind the user's back.
    QObject::connect(profile, &QWebEngineProfile::downloadRequested, profile,
                     [](QWebEngineDownloadRequest *download) { download->cancel(); });
    return profile;
}

BrowserPage::BrowserPage(QWebEngineProfile *profile, QObject *parent)
    : QWebEnginePage(profile, parent)
{
    restrictSettings(settings());
    connect(this, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl &origin, Feature feature) {
                setFeaturePermission(origin, feature, PermissionDeniedByUser);
            });
    connect(this, &QWebEnginePage::fileSystemAccessRequested, this,
            [](QWebEngineFileSystemAccessRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::registerProtocolHandlerRequested, this,
            [](QWebEngineRegisterProtocolHandlerRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::fullScreenRequested, this,
            [](QWebEngineFullScreenRequest request) { request.reject(); });
}

void BrowserPage::setScriptsEnabled(bool enabled)
{
    settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, enabled);
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
