// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/WebBrowserView.h"

#include "browser/BrowserPane.h"
#include "browser/PageSchemeHandler.h"

#include <QWebEngineProfile>

namespace quillery {

WebBrowserView::WebBrowserView(QWidget *parent, SchemeSource source)
    : QWebEngineView(parent), m_filter(new RequestFilter(this)),
      m_profile(makeViewerProfile(new PageSchemeHandler(std::move(source), this), m_filter, this)),
      m_page(new BrowserPage(m_profile, this))
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
}

WebBrowserView::~WebBrowserView()
{
    // The page goes before the profile it uses.
    delete m_page;
    delete m_profile;
}

void WebBrowserView::setOffline(bool offline)
{
    m_filter->offline = offline;
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
quilleryMakeBrowserView(QWidget *parent, quillery::SchemeSource source)
{
    return new quillery::WebBrowserView(parent, std::move(source));
}
