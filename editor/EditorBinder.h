// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/PageKind.h"
#include "platform/Colours.h"

#include <QByteArray>
#include <QString>

namespace quillery {

class Binder;
class RichTextBox;
class Workspace;

// Everything the page editor reads from or writes to its binder is here, so the editor
// itself knows only a binder and the position of its page.

struct PageToEdit
{
    QString title;
    PageKind kind = PageKind::Unknown;
    QByteArray data;
    bool empty = false;        // a page that never had any content
    ColourCode backColour = 0; // the background the viewer shows the page on
};

// Reads the page at a 1-based position; throws FileError when its data cannot be read.
PageToEdit loadPageToEdit(const Binder &binder, int position);

// Gives the whole box the binder's default format "RTF" or "TXT".
void applyDefaultFormat(RichTextBox &box, const Binder &binder, const QString &prefix);

// Makes bytes the page's new content, as a step of the binder's history: a new page data
// file in the temporary folder, a new serial in the page key with colourField as its
// colour, the modified time and size. Throws FileError, leaving the binder as it was,
// when the file cannot be written.
void storeEditedPage(Workspace &workspace, Binder &binder, int position, const QByteArray &bytes,
                     const QString &colourField);

// Saves the binder as its window's Save command does.
void saveEditedBinder(Workspace &workspace, Binder &binder);

} // namespace quillery
