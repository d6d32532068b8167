// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/BrowserView.h"

#include <QWebEngineView>

class QWebEngineProfile;

namespace quillery {

class BrowserPage;
class RequestFilter;

// The viewer's browser: a web engine view with a profile of its own that serves the page
// scheme from the program's source and keeps the page to what the program's rule allows.
class WebBrowserView : public QWebEngineView, public BrowserView
{
    Q_OBJECT
public:
    WebBrowserView(QWidget *parent, SchemeSource source, AddressRule rule);
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
    RequestFilter *m_filter;
    QWebEngineProfile *m_profile;
    BrowserPage *m_page;
};

} // namespace quillery
