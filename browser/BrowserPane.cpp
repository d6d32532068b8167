// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/BrowserPane.h"

#include "browser/EngineFlags.h"
#include "browser/PageSchemeHandler.h"
#include "window/BrowserView.h"

#include <QLoggingCategory>
#include <QOpenGLContext>
#include <QQuickWindow>
#include <QWebEngineDownloadRequest>
#include <QWebEngineFileSystemAccessRequest>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineProfile>
#include <QWebEngineRegisterProtocolHandlerRequest>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
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
void withEngineFlags(const std::function<void()> &startEngine)
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
    qputenv(ChromiumFlags, engineFlags(given, engineMemorySavingWanted()));
    startEngine();
    if (wasSet)
        qputenv(ChromiumFlags, given);
    else
        qunsetenv(ChromiumFlags);
}

// WebRTC's peer connections open sockets of their own, past every request check, and send
// to any server a page names (TURN over TCP too). A document has no use for them, so every
// frame loses them before its first script runs.
void withoutPeerConnections(QWebEngineProfile *profile)
{
    QWebEngineScript script;
    script.setName(QStringLiteral("quillery-no-peer-connections"));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(true);
    script.setSourceCode(QStringLiteral("for (const name of ['RTCPeerConnection', "
                                        "'webkitRTCPeerConnection']) delete window[name];"));
    profile->scripts()->insert(script);
}

} // namespace

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
                                     QObject *parent)
{
    registerPageScheme();
    QWebEngineProfile *profile = nullptr;
    // Off the record: nothing on disk.
    withEngineFlags([&] { profile = new QWebEngineProfile(parent); });
    profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    // Binder pages are served from memory and never cached; what pages fetch online seldom
    // repeats, and each window's profile would otherwise keep up to 10 MB of it.
    if (engineMemorySavingWanted())
        profile->setHttpCacheMaximumSize(HttpCacheBytes);
    profile->setSpellCheckEnabled(false);
    profile->installUrlSchemeHandler(PageScheme, scheme);
    profile->setUrlRequestInterceptor(filter);
    restrictSettings(profile->settings());
    withoutPeerConnections(profile);
    // Files the browser cannot show are not downloaded anywhere behind the user's back.
    QObject::connect(profile, &QWebEngineProfile::downloadRequested, profile,
                     [](QWebEngineDownloadRequest *download) { download->cancel(); });
    return profile;
}

BrowserPage::BrowserPage(QWebEngineProfile *profile, const RequestFilter &filter, QObject *parent)
    : QWebEnginePage(profile, parent), m_filter(filter)
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
