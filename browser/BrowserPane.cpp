// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/BrowserPane.h"

#include "browser/EngineFlags.h"
#include "browser/FrameGuard.h"
#include "browser/PageSchemeHandler.h"
#include "window/BrowserView.h"

#include <QAuthenticator>
#include <QLoggingCategory>
#include <QNetworkProxyFactory>
#include <QOpenGLContext>
#include <QQuickWindow>
#include <QWebEngineDownloadRequest>
#include <QWebEngineFileSystemAccessRequest>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineProfile>
#include <QWebEngineRegisterProtocolHandlerRequest>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>

#include <functional>
#include <utility>

namespace quillery {

namespace {

constexpr char ChromiumFlags[] = "QTWEBENGINE_CHROMIUM_FLAGS";
constexpr int HttpCacheBytes = 2 * 1024 * 1024;

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
    // A link to another program's address reaches the page's navigation check (which turns
    // it down and lets the viewer ask) only when the user clicked it.
    settings->setUnknownUrlSchemePolicy(S::AllowUnknownUrlSchemesFromUserInteraction);
}

// The engine reads its switches when the first profile starts it, so they are taken back
// afterwards, out of the way of the programs this one starts.
void withEngineFlags(quint16 proxyPort, const std::function<void()> &startEngine)
{
    static bool done = false;
    if (std::exchange(done, true)) {
        startEngine();
        return;
    }
    // The engine's account of how it was set up is for its own developers; QT_LOGGING_RULES
    // can still show it.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext=false"));
    // Without the context the program shares for OpenGL, the views draw in software too.
    if (!QOpenGLContext::globalShareContext())
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    const bool wasSet = qEnvironmentVariableIsSet(ChromiumFlags);
    const QByteArray given = qgetenv(ChromiumFlags);
    qputenv(ChromiumFlags, engineFlags(given, engineMemorySavingWanted(), proxyPort));
    // The engine takes the proxy of its switches only where it is told to follow the
    // system's settings, which the switches then override; otherwise it would use Qt's
    // application proxy, which lets names without a dot and this computer's addresses go
    // around it. Nothing of this program reaches the network through Qt's proxy settings.
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    startEngine();
    if (wasSet)
        qputenv(ChromiumFlags, given);
    else
        qunsetenv(ChromiumFlags);
}

} // namespace

const QUrl &proxyCheckUrl()
{
    static const QUrl url(QStringLiteral("http://%1/").arg(QLatin1String(ProxyCheckHost)));
    return url;
}

void answerProxy(QWebEnginePage *page, const ProxyAccess &proxy)
{
    QObject::connect(
        page, &QWebEnginePage::proxyAuthenticationRequired, page,
        [proxy](const QUrl &, QAuthenticator *authenticator, const QString &proxyHost) {
            if (proxyHost == u"127.0.0.1") {
                authenticator->setUser(proxy.user);
                authenticator->setPassword(proxy.secret);
            }
        });
}

RequestFilter::RequestFilter(AddressRule rule, QObject *parent)
    : QWebEngineUrlRequestInterceptor(parent), m_rule(std::move(rule))
{
}

void RequestFilter::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    if (!allows(info.requestUrl()))
        info.block(true);
}

QWebEngineProfile *makeViewerProfile(PageSchemeHandler *scheme, RequestFilter *filter,
                                     const ProxyAccess &proxy, QObject *parent)
{
    registerPageScheme();
    QWebEngineProfile *profile = nullptr;
    // Off the record: nothing on disk.
    withEngineFlags(proxy.port, [&] { profile = new QWebEngineProfile(parent); });
    profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    // Binder pages are served from memory and never cached; what pages fetch online seldom
    // repeats, and each window's profile would otherwise keep up to 10 MB of it.
    if (engineMemorySavingWanted())
        profile->setHttpCacheMaximumSize(HttpCacheBytes);
    profile->setSpellCheckEnabled(false);
    profile->installUrlSchemeHandler(PageScheme, scheme);
    profile->setUrlRequestInterceptor(filter);
    restrictSettings(profile->settings());
    guardFrames(profile);
    // Files the browser cannot show are not downloaded anywhere behind the user's back.
    QObject::connect(profile, &QWebEngineProfile::downloadRequested, profile,
                     [](QWebEngineDownloadRequest *download) { download->cancel(); });
    return profile;
}

BrowserPage::BrowserPage(QWebEngineProfile *profile, const RequestFilter &filter,
                         const ProxyAccess &proxy, QObject *parent)
    : QWebEnginePage(profile, parent), m_filter(filter)
{
    restrictSettings(settings());
    answerProxy(this, proxy);
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

void BrowserPage::refuse(const QUrl &url)
{
    QMetaObject::invokeMethod(
        this, [this, url] { Q_EMIT navigationRefused(url); }, Qt::QueuedConnection);
}

bool BrowserPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (m_filter.allows(url))
        return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
    // Links to other programs' addresses come here only from a click: the engine itself
    // drops those a script makes on its own.
    if (isMainFrame)
        refuse(url);
    return false;
}

} // namespace quillery
