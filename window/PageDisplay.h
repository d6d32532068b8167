// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/PageScheme.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace quillery {

class Binder;
class Workspace;

// How the viewer shows the current page. Working it out touches no widget, so the viewer
// only has to follow it. Browser content is served from memory (see PageScheme); only a
// sound page is written out, for the player.
struct PageDisplay
{
    enum class Pane { Unchanged, Text, Browser };

    Pane pane = Pane::Unchanged;
    bool plainText = false; // text pane: data is plain text in the binder's text format
    QByteArray data;        // text pane content (RTF or plain text)
    qint32 background = 0;  // rich text pages: the stored background colour
    PageContent content;    // browser pane: the placeholder document and its resources
    QString soundFile;      // sound pages: the file to play
};

// The blank browser page and its address.
QUrl placeholderUrl();
PageContent blankPageContent();

PageDisplay preparePageDisplay(Workspace &workspace, Binder &binder);

} // namespace quillery
