// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PageDisplay.h"

#include "documents/Binder.h"
#include "documents/BinderFormat.h"
#include "documents/NewPage.h"
#include "documents/PageKind.h"
#include "documents/Workspace.h"
#include "editor/DefaultTextFormats.h"
#include "platform/Colours.h"
#include "transfer/PageExport.h"

#include <QCoreApplication>

namespace quillery {

namespace {

QByteArray oneLine(const QByteArray &text)
{
    return text + "\r\n";
}

// A resource name as it stands in markup: resolved against the placeholder's address it
// names the page again, and quotes or markup in it cannot break out of the attribute.
QByteArray attributeUrl(const QString &name)
{
    return QUrl::toPercentEncoding(name);
}

} // namespace

QUrl placeholderUrl()
{
    return pageSchemeUrl(PlaceholderName);
}

PageContent blankPageContent()
{
    PageContent content;
    content.html = QByteArrayLiteral("<html></html>\n");
    return content;
}

PageDisplay preparePageDisplay(Workspace &workspace, Binder &binder)
{
    PageDisplay display;
    if (!binder.hasPage(0))
        return display;
    const PageRow &row = binder.page(0);
    switch (row.key.kind) {
    case PageKind::RTF: {
        display.pane = PageDisplay::Pane::Text;
        bool ok = false;
        display.background = row.key.colour.toInt(&ok);
        if (!ok)
            display.background = SystemWindowBackground;
        display.data = pageBytes(binder);
        break;
    }
    case PageKind::TXT:
        display.pane = PageDisplay::Pane::Text;
        display.plainText = true;
        display.data = pageBytes(binder);
        break;
    case PageKind::HTML:
        display.pane = PageDisplay::Pane::Browser;
        display.content.html = oneLine(pageBytes(binder));
        for (int i = 0; i < binder.pageCount(); ++i) {
            const PageRow &other = binder.pages().at(i);
            if (isRelevantResource(row.name, other.name))
                display.content.addResource(other.name, other.key);
        }
        break;
    case PageKind::PICTURE:
        display.pane = PageDisplay::Pane::Browser;
        display.content.addResource(row.name, row.key);
        display.content.html = oneLine("<img src=\"" + attributeUrl(row.name) + "\">");
        break;
    case PageKind::SOUND:
        display.pane = PageDisplay::Pane::Browser;
        display.soundFile = writePageToTemp(workspace, binder, row.name, 0);
        // The name is shown as text, never run as markup.
        display.content.html =
            oneLine("<h1>" +
                    QCoreApplication::translate("PageDisplay", "Playing: %1")
                        .arg(row.name.toHtmlEscaped())
                        .toUtf8() +
                    "</h1><bgsound src=\"" + attributeUrl(row.name) + "\" loop=\"1\">");
        break;
    case PageKind::FILE:
        // A file page is whatever someone put into the binder; it is never run as a web
        // page here, whatever its name says.
        display.pane = PageDisplay::Pane::Browser;
        display.content.html =
            oneLine("<html><body><h1>" + row.name.toHtmlEscaped().toUtf8() + "</h1><p>" +
                    QCoreApplication::translate(
                        "PageDisplay", "This page holds a file that the viewer does not show. "
                                       "Use Edit Page to open it in its own program, or Export "
                                       "to save it as a file.")
                        .toHtmlEscaped()
                        .toUtf8() +
                    "</p></body></html>");
        break;
    case PageKind::Unknown:
        return display;
    }
    return display;
}

} // namespace quillery
