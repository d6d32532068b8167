// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PageScheme.h"

#include "documents/Binder.h"
#include "documents/NewPage.h"
#include "documents/PageKind.h"
#include "pagetext/HtmlEncoding.h"
#include "platform/FileError.h"

namespace quillery {

namespace {

// What a page may refer to by name: a picture in a picture page, a style sheet in a plain
// text page; the name says which is asked for, the page's kind must fit it. Served types are
// fixed so, never sniffed, so a resource cannot turn into a document that runs script.
QByteArray resourceMimeType(const QString &name, PageKind kind)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return {};
    const QString ext = name.mid(dot + 1).toLower();
    switch (kind) {
    case PageKind::TXT:
        return ext == u"css" ? "text/css" : QByteArray();
    case PageKind::PICTURE:
        if (ext == u"gif")
            return "image/gif";
        if (ext == u"jpg" || ext == u"jpeg")
            return "image/jpeg";
        if (ext == u"png")
            return "image/png";
        if (ext == u"bmp")
            return "image/bmp";
        return {};
    default:
        return {};
    }
}

} // namespace

QUrl pageSchemeUrl(const QString &name)
{
    QUrl url;
    url.setScheme(QString::fromLatin1(PageScheme));
    url.setPath(u'/' + name);
    return url;
}

void PageContent::addResource(const QString &name, const PageKey &key)
{
    if (!resourceMimeType(name, key.kind).isEmpty())
        resources.insert(name.toLower(), key);
}

const PageKey *PageContent::resource(const QString &name) const
{
    const auto found = resources.constFind(name.toLower());
    return found == resources.constEnd() ? nullptr : &found.value();
}

SchemeReply PageContent::answer(const QString &name) const
{
    SchemeReply reply;
    if (name == PlaceholderName) {
        reply.status = SchemeReply::Status::Found;
        // A page that names no encoding reaches the browser in UTF-8 and says so: left to
        // itself the browser would read it in the code page of the user's language.
        if (std::optional<QByteArray> utf8 = undeclaredHtmlAsUtf8(html)) {
            reply.mimeType = "text/html; charset=utf-8";
            reply.data = std::move(*utf8);
        } else {
            reply.mimeType = "text/html";
            reply.data = html;
        }
        return reply;
    }
    const PageKey *key = resource(name);
    if (!key)
        return reply;
    try {
        reply.data = pageData(*key);
        reply.mimeType = resourceMimeType(name, key->kind);
        reply.status = SchemeReply::Status::Found;
    } catch (const FileError &) {
        reply.status = SchemeReply::Status::Failed;
    }
    return reply;
}

} // namespace quillery
