// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/PageSchemeHandler.h"

#include <QBuffer>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace quillery {

void registerPageScheme()
{
    if (!QWebEngineUrlScheme::schemeByName(PageScheme).name().isEmpty())
        return;
    QWebEngineUrlScheme scheme(PageScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    QWebEngineUrlScheme::registerScheme(scheme);
}

PageSchemeHandler::PageSchemeHandler(SchemeSource source, QObject *parent)
    : QWebEngineUrlSchemeHandler(parent), m_source(std::move(source))
{
}

void PageSchemeHandler::requestStarted(QWebEngineUrlRequestJob *job)
{
    if (job->requestMethod() != "GET") {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    const QString path = job->requestUrl().path();
    const SchemeReply reply = m_source(path.startsWith(u'/') ? path.mid(1) : path);
    switch (reply.status) {
    case SchemeReply::Status::Found: {
        auto *buffer = new QBuffer(job);
        buffer->setData(reply.data);
        buffer->open(QIODevice::ReadOnly);
        job->reply(reply.mimeType, buffer);
        break;
    }
    case SchemeReply::Status::NotFound:
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        break;
    case SchemeReply::Status::Failed:
        job->fail(QWebEngineUrlRequestJob::RequestFailed);
        break;
    }
}

} // namespace quillery
