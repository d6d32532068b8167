#pragma once

#include "documents/PageKey.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

namespace quillery {

// Binder content reaches the browser only through this scheme, never as file:// documents,
// so a page can neither read local files nor see the temporary folder.
inline constexpr char PageScheme[] = "quillery";

// Must run before the first browser profile is made; later calls do nothing.
void registerPageScheme();

// The address of a name inside the shown page's own folder of the scheme.
QUrl pageSchemeUrl(const QString &name);

// What one window's browser may fetch: the document being shown and the binder pages it
// may refer to by name (pictures and style sheets). Nothing else answers.
struct PageContent
{
    QByteArray html;
    QHash<QString, PageKey> resources; // by lower-cased page name

    void addResource(const QString &name, const PageKey &key);
    const PageKey *resource(const QString &name) const;
};

class PageSchemeHandler : public QWebEngineUrlSchemeHandler
{
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
    void setContent(const PageContent &content) { m_content = content; }
    const PageContent &content() const { return m_content; }
    void requestStarted(QWebEngineUrlRequestJob *job) override;

private:
    PageContent m_content;
};

} // namespace quillery
