// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/BrowserView.h"

#include <QWebEngineUrlSchemeHandler>

namespace quillery {

// Must run before the first browser profile is made; later calls do nothing.
void registerPageScheme();

// Answers the page scheme for one window's browser from what the program gives it.
class PageSchemeHandler : public QWebEngineUrlSchemeHandler
{
public:
    PageSchemeHandler(SchemeSource source, QObject *parent);
    void requestStarted(QWebEngineUrlRequestJob *job) override;
    void setSource(SchemeSource source) { m_source = std::move(source); }

private:
    SchemeSource m_source;
};

} // namespace quillery
