// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/PageKind.h"

#include <QString>

namespace quillery {

// "." followed by the text after the last "." of fileName, or "" when it has none.
QString getext(const QString &fileName);

// Turns a page name into a name a file can have. With inTemp the name is also made
// unique in tempFolder by a number before the extension; only the name is returned,
// never the folder.
QString FileFormat(const QString &name, bool inTemp, const QString &tempFolder = QString());

// The name a page of this kind is written out under for other programs: rich and plain
// text get ".rtf" and ".txt" unless the name already ends so (in any case); HTML keeps
// ".htm", ".html" or ".php" and gets ".htm" otherwise; every other kind keeps its name.
QString exportFileName(const QString &name, PageKind kind);

// Expands %NAME% references to environment variables; unset ones expand to nothing,
// and a "%...%" span holding a space is not a reference.
QString Env2Str(const QString &text);

} // namespace quillery
