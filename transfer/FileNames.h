// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/PageKind.h"

#include <QString>

namespace quillery {

// "." followed by the text after the last "." of fileName, or "" when it has none.
QString extensionOf(const QString &fileName);

// Turns a page name into a name a file can have in one folder: control characters go,
// path separators and the characters other systems refuse are replaced, the spaces at
// the ends go, a long name keeps its last 250 bytes, and a name that would begin with "."
// or "-" gets a "_" before it, so that it is never hidden, never "..", and never read as
// an option. Empty when nothing of the name is left. With inTemp the name is also made
// unique in tempFolder by a number before the extension; only the name is returned,
// never the folder.
QString safeFileName(const QString &name, bool inTemp, const QString &tempFolder = QString());

// The name a page of this kind is written out under for other programs: rich and plain
// text get ".rtf" and ".txt" unless the name already ends so (in any case); HTML keeps
// ".htm", ".html" or ".php" and gets ".htm" otherwise; every other kind keeps its name.
QString exportFileName(const QString &name, PageKind kind);

// The one name a page is written out under and proposed under in save dialogs: its name
// with its kind's extension (exportFileName), made safe by safeFileName; a page whose name
// leaves nothing is called "page".
QString pageFileName(const QString &name, PageKind kind);

} // namespace quillery
