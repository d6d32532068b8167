// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/PageKey.h"
#include "window/BrowserView.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QUrl>

namespace quillery {

// The address of a name inside the shown page's own folder of the scheme.
QUrl pageSchemeUrl(const QString &name);

// What one window's browser may fetch: the document being shown and the binder pages it
// may refer to by name (picture pages as pictures, plain text pages as style sheets).
// Nothing else answers.
struct PageContent
{
    QByteArray html;
    QHash<QString, PageKey> resources; // by lower-cased page name

    // Kept only when the page's kind fits what its name asks for.
    void addResource(const QString &name, const PageKey &key);
    const PageKey *resource(const QString &name) const;
    // The reply to the scheme's address of name: one flat folder, no listings, no parents.
    SchemeReply answer(const QString &name) const;
};

} // namespace quillery
