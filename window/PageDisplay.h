#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace quillery {

class Binder;
class Workspace;

// How the viewer shows the current page. Working it out writes the scratch files the
// browser needs (Tmp.htm, the page's own file, the pictures an HTML page refers to) but
// touches no widget, so the viewer only has to follow it.
struct PageDisplay
{
    enum class Pane { Unchanged, Text, Browser };

    Pane pane = Pane::Unchanged;
    bool plainText = false; // text pane: data is plain text in the binder's text format
    QByteArray data;        // text pane content (RTF or plain text)
    qint32 background = 0;  // rich text pages: the stored background colour
    QUrl address;           // browser pane: what to load
    QString soundFile;      // sound pages: the file to play
};

// The blank browser page and its address.
QUrl placeholderUrl(const Workspace &workspace);

PageDisplay preparePageDisplay(Workspace &workspace, Binder &binder);

} // namespace quillery
