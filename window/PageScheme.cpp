#include "window/PageScheme.h"

#include "documents/Binder.h"
#include "documents/NewPage.h"
#include "platform/FileError.h"

#include <QBuffer>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace quillery {

namespace {

// Served types are fixed by the name, never sniffed, so a resource cannot turn into a
// document that runs script.
QByteArray resourceMimeType(const QString &name)
{
    const QString ext = name.mid(name.lastIndexOf(u'.') + 1).toLower();
    if (ext == u"css")
        return "text/css";
    if (ext == u"gif")
        return "image/gif";
    if (ext == u"jpg" || ext == u"jpeg")
        return "image/jpeg";
    if (ext == u"png")
        return "image/png";
    if (ext == u"bmp")
        return "image/bmp";
    return {};
}

void reply(QWebEngineUrlRequestJob *job, const QByteArray &mimeType, const QByteArray &data)
{
    auto *buffer = new QBuffer(job);
    buffer->setData(data);
    buffer->open(QIODevice::ReadOnly);
    job->reply(mimeType, buffer);
}

} // namespace

void registerPageScheme()
{
    if (!QWebEngineUrlScheme::schemeByName(PageScheme).name().isEmpty())
        return;
    QWebEngineUrlScheme scheme(PageScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    QWebEngineUrlScheme::registerScheme(scheme);
}

QUrl pageSchemeUrl(const QString &name)
{
    QUrl url;
    url.setScheme(QString::fromLatin1(PageScheme));
    url.setPath(u'/' + name);
    return url;
}

void PageContent::addResource(const QString &name, const PageKey &key)
{
    if (!resourceMimeType(name).isEmpty())
        resources.insert(name.toLower(), key);
}

const PageKey *PageContent::resource(const QString &name) const
{
    const auto found = resources.constFind(name.toLower());
    return found == resources.constEnd() ? nullptr : &found.value();
}

void PageSchemeHandler::requestStarted(QWebEngineUrlRequestJob *job)
{
    if (job->requestMethod() != "GET") {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    const QString path = job->requestUrl().path();
    // One flat folder: no listings, no parents, no sub-folders.
    const QString name = path.startsWith(u'/') ? path.mid(1) : path;
    if (name == PlaceholderName) {
        reply(job, "text/html", m_content.html);
        return;
    }
    const PageKey *key = m_content.resource(name);
    if (!key) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    try {
        reply(job, resourceMimeType(name), pageData(*key));
    } catch (const FileError &) {
        job->fail(QWebEngineUrlRequestJob::RequestFailed);
    }
}

} // namespace quillery
