// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/WebBrowserView.h"

#include "browser/BrowserPane.h"
#include "browser/PageSchemeHandler.h"

#include <QCoreApplication>
#include <QWebEngineHistory>
#include <QWebEngineProfile>

#include <utility>

namespace quillery {

namespace {

QString terminationText(QWebEnginePage::RenderProcessTerminationStatus status, int exitCode)
{
    switch (status) {
    case QWebEnginePage::CrashedTerminationStatus:
        return QStringLiteral("crashed");
    case QWebEnginePage::KilledTerminationStatus:
        return QStringLiteral("was killed");
    default:
        return QStringLiteral("ended with code %1").arg(exitCode);
    }
}

const QUrl &blankUrl()
{
    static const QUrl blank(QStringLiteral("about:blank"));
    return blank;
}

// The parts made ahead for the next browser; null when there are none.
BrowserParts *&readyParts()
{
    static BrowserParts *parts = nullptr;
    return parts;
}

BrowserParts *takeParts(QObject *parent, const ProxyAccess &proxy)
{
    BrowserParts *parts = std::exchange(readyParts(), nullptr);
    if (!parts)
        return new BrowserParts(parent, proxy);
    parts->setParent(parent);
    return parts;
}

} // namespace

BrowserParts::BrowserParts(QObject *parent, const ProxyAccess &proxy)
    : QObject(parent),
      filter(new RequestFilter([](const QUrl &url) { return url == blankUrl(); }, this)),
      scheme(new PageSchemeHandler([](const QString &) { return SchemeReply(); }, this)),
      profile(makeViewerProfile(scheme, filter, proxy, this)),
      page(new BrowserPage(profile, *filter, proxy, this))
{
    // A page of its own proves the profile, so that the browser's page sees nothing of it.
    auto *check = new QWebEnginePage(profile, this);
    answerProxy(check, proxy);
    connect(
        check, &QWebEnginePage::loadFinished, this,
        [this, check] {
            check->deleteLater();
            m_proven = true;
            if (m_waiting.isValid())
                page->setUrl(std::exchange(m_waiting, QUrl()));
        },
        Qt::SingleShotConnection);
    check->setUrl(proxyCheckUrl());
}

BrowserParts::~BrowserParts()
{
    // The page goes before the profile it uses.
    delete page;
    delete profile;
}

void BrowserParts::load(const QUrl &url)
{
    if (m_proven)
        page->setUrl(url);
    else
        m_waiting = url;
}

void preloadBrowserParts(const ProxyAccess &proxy)
{
    if (readyParts())
        return;
    readyParts() = new BrowserParts(nullptr, proxy);
    // A blank page starts the process that will draw the first page shown.
    readyParts()->load(blankUrl());
    // Parts no browser took go before the web engine does.
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, readyParts(),
                     [] { delete std::exchange(readyParts(), nullptr); });
}

WebBrowserView::WebBrowserView(QWidget *parent, SchemeSource source, AddressRule rule,
                               const ProxyAccess &proxy)
    : QWebEngineView(parent), m_parts(takeParts(this, proxy)), m_filter(m_parts->filter),
      m_page(m_parts->page)
{
    m_filter->setRule(std::move(rule));
    m_parts->scheme->setSource(std::move(source));
    // The blank page of parts made ahead is no page to go back to.
    m_page->history()->clear();
    setPage(m_page);
    connect(m_page, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        if (onLoadFinished)
            onLoadFinished(ok);
    });
    connect(m_page, &QWebEnginePage::linkHovered, this, [this](const QString &address) {
        if (onLinkHovered)
            onLinkHovered(address);
    });
    connect(m_page, &BrowserPage::navigationRefused, this, [this](const QUrl &address) {
        if (onNavigationRefused)
            onNavigationRefused(address);
    });
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int exitCode) {
                if (status != QWebEnginePage::NormalTerminationStatus && onRendererGone)
                    onRendererGone(terminationText(status, exitCode));
            });
}

WebBrowserView::~WebBrowserView()
{
    // The page is the view's until the parts take it with them.
    delete m_parts;
}

void WebBrowserView::setUrl(const QUrl &url)
{
    // Some addresses act before any request is made (one of the engine's own ends the whole
    // program), so the rule is asked here first.
    if (m_filter->allows(url))
        m_parts->load(url);
    else
        m_page->refuse(url);
}

void WebBrowserView::setOffline(bool offline)
{
    m_page->setScriptsEnabled(!offline);
}

void WebBrowserView::findText(const QString &text, bool backward)
{
    QWebEngineView::findText(text,
                             backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags());
}

void WebBrowserView::print(QPrinter *printer, std::function<void()> done)
{
    connect(
        this, &QWebEngineView::printFinished, this, [done = std::move(done)] { done(); },
        Qt::SingleShotConnection);
    QWebEngineView::print(printer);
}

} // namespace quillery

extern "C" Q_DECL_EXPORT int quilleryBrowserInterface()
{
    return quillery::BrowserInterfaceVersion;
}

extern "C" Q_DECL_EXPORT void quilleryPreloadBrowser(const quillery::ProxyAccess &proxy)
{
    quillery::preloadBrowserParts(proxy);
}

extern "C" Q_DECL_EXPORT quillery::BrowserView *
quilleryMakeBrowserView(QWidget *parent, quillery::SchemeSource source, quillery::AddressRule rule,
                        const quillery::ProxyAccess &proxy)
{
    return new quillery::WebBrowserView(parent, std::move(source), std::move(rule), proxy);
}
