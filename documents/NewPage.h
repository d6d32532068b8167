// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/PageKind.h"

#include <QString>

namespace quillery {

class Binder;
class TempFolder;
class Workspace;

// Adds a new empty text page (rich, plain or HTML) as the last page, named "Page N",
// and makes it current.
void addEmptyPage(Binder &binder, PageKind kind);

// The viewer's scratch page "Tmp.htm" in the temporary folder.
inline const QString PlaceholderName = QStringLiteral("Tmp.htm");
QString placeholderFile(const TempFolder &temp);
// Writes the blank viewer page into the temporary folder and returns its path.
QString writeBlankHtml(const Workspace &workspace);

} // namespace quillery
