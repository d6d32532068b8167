// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/WebBrowserView.h"

#include "browser/BrowserPane.h"
#include "browser/PageSchemeHandler.h"

#include <QWebEngineProfile>

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

} // namespace

WebBrowserView::WebBrowserView(QWidget *parent, SchemeSource source, AddressRule rule)
    : QWebEngineView(parent), m_filter(new RequestFilter(std::move(rule), this)),
      m_profile(makeViewerProfile(new PageSchemeHandler(std::move(source), this), m_filter, this)),
      m_page(new BrowserPage(m_profile, *m_filter, this))
{
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
    // The page goes before the profile it uses.
    delete m_page;
    delete m_profile;
}

void WebBrowserView::setUrl(const QUrl &url)
{
    // Some addresses act before any request is made (one of the engine's own ends the whole
    // program), so the rule is asked here first.
    if (m_filter->allows(url))
        QWebEngineView::setUrl(url);
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

extern "C" Q_DECL_EXPORT quillery::BrowserView *
quilleryMakeBrowserView(QWidget *parent, quillery::SchemeSource source, quillery::AddressRule rule)
{
    return new quillery::WebBrowserView(parent, std::move(source), std::move(rule));
}
