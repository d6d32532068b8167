#include "window/PageDisplay.h"

#include "documents/Binder.h"
#include "documents/PageKind.h"
#include "documents/Workspace.h"
#include "editor/DefaultTextFormats.h"
#include "platform/Colours.h"
#include "platform/FileIo.h"
#include "platform/TempFolder.h"
#include "transfer/NewPage.h"
#include "transfer/PageExport.h"

namespace quillery {

namespace {

void writePlaceholderLine(const Workspace &workspace, const QByteArray &line)
{
    fileio::writeWhole(placeholderFile(workspace.temp), line + "\r\n");
}

QByteArray fileUrlText(const QString &path)
{
    return "file://" + path.toUtf8();
}

} // namespace

QUrl placeholderUrl(const Workspace &workspace)
{
    return QUrl::fromLocalFile(placeholderFile(workspace.temp));
}

PageDisplay preparePageDisplay(Workspace &workspace, Binder &binder)
{
    PageDisplay display;
    if (!binder.hasPage(0))
        return display;
    const PageRow &row = binder.page(0);
    switch (kindFromString(row.key.kind)) {
    case PageKind::RTF: {
        display.pane = PageDisplay::Pane::Text;
        bool ok = false;
        display.background = row.key.colour.toInt(&ok);
        if (!ok)
            display.background = SystemWindowBackground;
        display.data = GetLumpString(binder);
        break;
    }
    case PageKind::TXT:
        display.pane = PageDisplay::Pane::Text;
        display.plainText = true;
        display.data = GetLumpString(binder);
        break;
    case PageKind::HTML:
        display.pane = PageDisplay::Pane::Browser;
        writePlaceholderLine(workspace, GetLumpString(binder));
        ExtractRelevant(workspace, binder);
        display.address = placeholderUrl(workspace);
        break;
    case PageKind::PICTURE: {
        display.pane = PageDisplay::Pane::Browser;
        const QString path = ExpBin(workspace, binder, row.name, 0, false, true);
        writePlaceholderLine(workspace, "<img src=\"" + fileUrlText(path) + "\">");
        display.address = placeholderUrl(workspace);
        break;
    }
    case PageKind::SOUND: {
        display.pane = PageDisplay::Pane::Browser;
        const QString path = ExpBin(workspace, binder, row.name, 0, false, true);
        // The name is shown as text, never run as markup.
        writePlaceholderLine(workspace, "<h1>Playing: " + row.name.toHtmlEscaped().toUtf8() +
                                            "</h1><bgsound src=\"" + fileUrlText(path) +
                                            "\" loop=\"1\">");
        display.address = placeholderUrl(workspace);
        display.soundFile = path;
        break;
    }
    case PageKind::FILE: {
        display.pane = PageDisplay::Pane::Browser;
        const QString path = ExpBin(workspace, binder, row.name, 0, true, true);
        display.address = QUrl::fromLocalFile(path);
        break;
    }
    case PageKind::Unknown:
        return display;
    }
    binder.CF.write(QStringLiteral("SelPage"), binder.CurIndex());
    return display;
}

} // namespace quillery
